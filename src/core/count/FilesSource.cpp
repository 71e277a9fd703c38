#include "count/FilesSource.h"

#include "count/DocxExtraction.h"
#include "count/DocxText.h"
#include "count/FileSource.h"
#include "count/ReadAheadLines.h"
#include "count/RunState.h"
#include "count/RunStatus.h"
#include "count/RunTexts.h"
#include "count/TextFileVetting.h"
#include "scan/CaseFolding.h"
#include "scan/CommentMarkers.h"
#include "sources/DocxArchive.h"
#include "sources/FileNames.h"
#include "sources/InputFiles.h"
#include "sources/PathIdentity.h"
#include "sources/RawFile.h"
#include "sources/TextFileReader.h"
#include "text/Folders.h"
#include "text/Host.h"
#include "text/ReplaceFile.h"

#include <cerrno>
#include <sys/stat.h>
#include <vector>

namespace qd {

namespace {

constexpr int64_t kProgressBarMinBytes = 10240; // above: draw the progress bar

// A file the count will read, as vetting found it.
struct PlannedFile {
    ustring path;
    bool docx = false;
    bool utf8 = false;  // declared or marked UTF-8
    bool named = false; // named by the person, not found in a folder
    int64_t size = 0;
};

// What reading the planned files came to.
struct FilesRead {
    int32_t counted = 0;
    int32_t skipped = 0; // files of a folder that could not be read as text
    bool stopped = false;
    bool failed = false; // an error was reported while reading
};

bool IsTextKind(FileKind kind) {
    return kind == FileKind::Text || kind == FileKind::TextLf || kind == FileKind::TextCr;
}

// A named input, vetted with the messages of a count of one file. False when refused.
bool VetNamedFile(RunState& run, const ustring& path, PlannedFile& file) {
    file = {path, false, false, true, 0};
    if (IsEncryptedDocument(path)) {
        InputError(run, u"The file " + path +
                            u"\r\nis protected by a password, so its text cannot be read.\r\n"
                            u"Save it without the password, or as a text file, and count that "
                            u"file.");
        return false;
    }
    if (IsDocxFile(path)) {
        file.docx = true;
        file.size = FileLength(path);
        return true;
    }
    // Among several inputs each message names its file: the vetting tells a missing or an
    // empty one so (the window's check of its one input file does not).
    struct stat info {};
    if (::stat(ToPath(path).c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        run.host.message(u"Input file " + path + u"\r\nis " +
                             FromUtf8(SpecialFileKind(info.st_mode)) + u", not a file.",
                         u"Not a file", MsgIcon::Exclamation);
        return false;
    }
    const VetResult vet = VetTextFile(run, path, false);
    if (!vet.ok) return false;
    file.utf8 = vet.detectedUtf8;
    file.size = FileLength(path);
    return true;
}

enum class FoundFile { Countable, NotText, Unreadable };

// A file found in a folder, vetted without a word; cause says why an unreadable one is.
FoundFile VetFoundFile(const ustring& path, PlannedFile& file, ustring& cause) {
    file = {path, false, false, false, FileLength(path)};
    {
        // What cannot be opened or read is no file that is not text: it is told as unread.
        RawFile probe(path);
        char byte;
        if (!probe.isOpen() || probe.read(&byte, 1) < 0) {
            cause = FromUtf8(probe.error().message());
            return FoundFile::Unreadable;
        }
    }
    if (IsDocxFile(path)) {
        file.docx = true;
        return file.size > 0 && !IsEncryptedDocument(path) ? FoundFile::Countable
                                                           : FoundFile::NotText;
    }
    const TextFileCheck check = IsTextFile(path, kVetScanBytes, 0.0, true);
    file.utf8 = check.isUtf8;
    switch (check.kind) {
    case FileKind::PermissionDenied: // the file changed since it was opened above
        cause = FromUtf8(SystemErrorText(EACCES));
        return FoundFile::Unreadable;
    case FileKind::CannotOpen:
    case FileKind::ReadError:
        cause = FromUtf8(SystemErrorText(EIO));
        return FoundFile::Unreadable;
    default:
        return IsTextKind(check.kind) ? FoundFile::Countable : FoundFile::NotText;
    }
}

// The files and folders of folder inputs that could not be read, in one message: each is
// refused as a named input is, and the others are counted.
void TellUnreadable(RunState& run, const std::vector<ustring>& lines) {
    if (lines.empty()) return;
    constexpr size_t kMaxNamed = 10; // one message box, however many
    ustring text;
    for (size_t i = 0; i < lines.size() && i < kMaxNamed; ++i) {
        if (i > 0) text += u"\r\n";
        text += lines[i];
    }
    if (lines.size() > kMaxNamed)
        text += u"\r\n... and " + FromInt(int32_t(lines.size() - kMaxNamed)) + u" more.";
    run.host.message(text, RunText(run.texts, kTextErrorTitle), MsgIcon::Exclamation);
    run.current.refusedInputs += int32_t(lines.size());
}

// The named inputs in order, each folder replaced by its countable files.
std::vector<PlannedFile> PlanFiles(RunState& run, FilesRead& read) {
    const InputSettings& input = run.settings.input;
    std::vector<ustring> named{input.InputFile};
    named.insert(named.end(), input.MoreInputs.begin(), input.MoreInputs.end());
    std::vector<PlannedFile> files;
    std::vector<ustring> unreadable;
    PlannedFile file;
    ustring cause;
    for (const ustring& path : named) {
        if (IsDirectory(path)) {
            const FolderFiles found = CountableFilesUnder(path, run.settings.output.OutputFile);
            for (const UnreadableFolder& folder : found.unreadable)
                unreadable.push_back(u"Folder " + folder.path + u" cannot be read: " +
                                     folder.cause + u".");
            for (const ustring& foundPath : found.files) {
                switch (VetFoundFile(foundPath, file, cause)) {
                case FoundFile::Countable:
                    files.push_back(std::move(file));
                    break;
                case FoundFile::NotText:
                    ++read.skipped;
                    break;
                case FoundFile::Unreadable:
                    unreadable.push_back(u"File " + foundPath + u" cannot be read: " + cause +
                                         u".");
                    break;
                }
            }
        } else if (VetNamedFile(run, path, file)) {
            files.push_back(std::move(file));
        } else {
            ++run.current.refusedInputs;
        }
    }
    TellUnreadable(run, unreadable);
    return files;
}

// Reads one text file into the table; doneBefore bytes of the run came before it.
void ReadText(RunState& run, const PlannedFile& file, FileProgressBar* bar, int64_t doneBefore,
              FilesRead& read) {
    TextFileReader reader;
    if (!reader.open(ToPath(file.path))) {
        ReportError(run, reader.error().number, reader.error().description, u"DoItFromFile");
        read.failed = true;
        return;
    }
    const auto lines =
        MakeFileLines(reader, run.settings, run.yield,
                      !run.oneThread && ReadAheadPays(file.size, false, run.settings.input.UTF8));
    RunProgress progress(run, [&] {
        if (bar) bar->update(doneBefore + lines->consumed());
    });
    read.stopped = ScanLines(run.scanner, *lines, run.session.stopRequested, progress);
    if (const ErrorInfo* error = lines->readError()) {
        ReportError(run, error->number, error->description, u"DoItFromFile");
        read.failed = true;
        return;
    }
    ++read.counted;
}

// Unpacks and reads one docx document into the table. A named document that cannot be
// unpacked gets today's message and is refused; one found in a folder is skipped.
void ReadDocument(RunState& run, const PlannedFile& file, FilesRead& read) {
    const int32_t r =
        ExtractDocx(run, file.path, kDocxEntryPath, kTempFolderBase, file.named, file.named, false);
    if (r < 0) {
        if (file.named) {
            ReportExtractDocxResult(run.host, r, file.path, RunText(run.texts, kTextErrorTitle));
            ++run.current.refusedInputs;
        } else {
            ++read.skipped;
        }
        return;
    }
    DocxText docx = ReadDocxText(run, run.docx.xmlPath, false, r);
    DeleteDocxTempFiles(run, false);
    if (docx.result == DocxReadResult::Stopped) {
        read.stopped = true;
        return;
    }
    if (docx.result == DocxReadResult::Error) {
        ReportDocxReadError(run.host, docx.message, file.path);
        read.failed = true;
        return;
    }
    ++read.counted;
    ustring& line = run.scanner.line();
    line = std::move(docx.text);
    if (line.empty()) return;
    // The extraction has decoded the text already.
    if (!run.settings.words.CaseSignificant) LowerCaseAccentedInPlace(line, &run.yield);
    line.push_back(u' ');
    read.stopped = ScanAndTestStop(run);
}

// Reads the planned files in order into the one word table, each from a fresh scanner
// state (no comment runs on into the next file), until the end or a stop that stands.
FilesRead ReadFiles(RunState& run, const std::vector<PlannedFile>& files, int64_t total,
                    FilesRead read) {
    Settings& s = run.settings;
    const bool utf8ForAll = s.input.UTF8;
    std::optional<FileProgressBar> bar;
    if (total > kProgressBarMinBytes) {
        SetTotalNumOccurrencesForFileProgressBar(run.host);
        bar.emplace(run.host, total);
    }
    bool markerFaultShown = false;
    int64_t done = 0;
    int32_t index = 0;
    for (const PlannedFile& file : files) {
        if (read.stopped || read.failed) break;
        auto fault = SelectCommentPreset(run.scanner, FileExtension(file.path, true));
        if (fault && !markerFaultShown) {
            run.host.message(fault->text,
                             fault->wordCharacters ? run.texts.GetText(kTextErrorTitle) : u"Error",
                             MsgIcon::Exclamation);
            markerFaultShown = true;
        }
        run.scanner.startText();
        run.result.table.setFileIndex(++index);
        // Read as the file is encoded; the setting itself is left as the person chose it.
        s.input.UTF8 = utf8ForAll || file.utf8 || file.docx;
        if (file.docx)
            ReadDocument(run, file, read);
        else
            ReadText(run, file, bar ? &*bar : nullptr, done, read);
        s.input.UTF8 = utf8ForAll;
        done += file.size;
        if (bar) bar->update(done);
    }
    return read;
}

ustring FilesText(int32_t n) {
    return FromInt(n) + (n == 1 ? u" file" : u" files");
}

} // namespace

bool CountsSeveralFiles(const InputSettings& input) {
    return !input.MoreInputs.empty() || IsDirectory(input.InputFile);
}

SourceResult CountFromFiles(RunState& run, ErrorInfo& outputError) {
    Host& host = run.host;
    Settings& s = run.settings;
    host.setOutputText(u"Now processing input files ...");
    host.repaint();
    run.current.refusedInputs = 0;

    for (const ustring& more : s.input.MoreInputs) {
        if (!s.output.OutputFile.empty() && SameFile(s.output.OutputFile, more)) {
            InputError(run, u"Output file cannot be the same as the input file.");
            return SourceResult::Refused;
        }
    }
    FilesRead planned;
    const std::vector<PlannedFile> files = PlanFiles(run, planned);
    if (files.empty()) {
        ClearOutputBox(host);
        if (run.current.refusedInputs == 0)
            host.message(planned.skipped > 0 ? u"No file to count: " + FilesText(planned.skipped) +
                                                   u" skipped: not text."
                                             : u"No text or docx file found to count.",
                         u"Nothing to count", MsgIcon::Exclamation);
        return SourceResult::Refused;
    }
    int64_t total = 0;
    for (const PlannedFile& file : files)
        total += file.size;
    host.setLabel(LabelId::Filesize, FilesText(int32_t(files.size())) + u", " +
                                         FormatFileSize(double(total), 2, run.numberFormat));

    ClearOutputBox(host);
    if (AdviseOutputFile(run, total) != LargeInput::Continue) return SourceResult::Refused;
    if (!CheckNamedOutputFile(s.output, outputError)) return SourceResult::OutputFailed;

    host.setOutputText(u"Now processing input files ...");
    host.repaint();
    host.setLabel(LabelId::SizeOfClipboardContents, u"");
    ConcealNumWords(host, true);
    run.current.ClipboardText.clear();
    ClearOutput(run);
    run.current.SavedSuppressWords = s.output.SuppressWords;
    run.result.table.clear();
    run.session.stopRequested = false;
    SetRunPhase(run, RunPhase::Counting);
    host.enableMainControls(false);

    // Whatever way the run takes from here, no unpacked document is left behind.
    DocxTempFilesGuard docxTempFiles(run);
    FilesRead read;
    try {
        read = ReadFiles(run, files, total, planned);
    } catch (const std::exception& e) {
        const ErrorInfo error = ErrorOf(e);
        ReportError(run, error.number, error.description, u"DoItFromFile");
        read.failed = true;
    }
    run.result.table.setFileIndex(0);
    run.result.stats.filesCounted = read.counted;
    EndOfReading(run);
    if (read.skipped > 0)
        host.message(FilesText(read.skipped) + u" skipped: not text", u"Files skipped",
                     MsgIcon::Information);
    return read.failed ? SourceResult::ReadAfterError : SourceResult::Read;
}

} // namespace qd
