#include "count/FileSource.h"

#include "count/DocxExtraction.h"
#include "count/DocxText.h"
#include "count/InputFileCheck.h"
#include "count/ReadAheadLines.h"
#include "count/RunState.h"
#include "count/RunStatus.h"
#include "count/RunTexts.h"
#include "count/TextFileVetting.h"
#include "scan/CaseFolding.h"
#include "scan/CommentMarkers.h"
#include "scan/TextRoutines.h"
#include "sources/DocxArchive.h"
#include "sources/FileNames.h"
#include "sources/LineCharacters.h"
#include "sources/PathIdentity.h"
#include "sources/TextFileReader.h"
#include "text/Folders.h"
#include "text/Host.h"

namespace qd {

namespace {

constexpr int64_t kLargeInputBytes = 204800;    // above: advise an output file
constexpr int64_t kProgressBarMinBytes = 10240; // above: draw the progress bar

// The encoding question when the detection and the UTF-8 setting disagree. False when the
// person cancels.
bool SettleEncoding(RunState& run, bool detectedUtf8) {
    Settings& s = run.settings;
    if (s.input.UTF8 == detectedUtf8) return true;
    const Question question =
        detectedUtf8 ? Question::EncodingSeemsUtf8 : Question::EncodingSeemsAnsi;
    const ustring_view prompt =
        detectedUtf8 ? u"This file seems to be UTF-8 encoded.\r\n"
                       u"Click 'Yes' to scan it as UTF-8 encoded or 'No' to scan it as ANSI."
                     : u"This file does not seem to be UTF-8 encoded.\r\n"
                       u"Click 'Yes' to scan it as UTF-8 encoded (not advisable)\r\n"
                       u"or 'No' to scan it as ANSI.";
    const Answer a = run.host.ask(question, prompt, u"UTF-8 or ANSI file?", MsgIcon::Question,
                                  MsgButtons::YesNoCancel, Answer::Yes);
    if (a == Answer::Cancel) return false;
    if (a == Answer::Yes) {
        s.input.UTF8 = true;
        s.words.Only7bitASCII = false;
    } else {
        s.input.UTF8 = false;
    }
    run.host.settingsChanged();
    return true;
}

} // namespace

LargeInput AdviseOutputFile(RunState& run, int64_t size) {
    Settings& s = run.settings;
    if (size <= kLargeInputBytes || !s.output.OutputFile.empty()) return LargeInput::Continue;
    const Answer a =
        run.host.ask(Question::LargeInput,
                     u"The input file is quite large.  It is advisable to specify an output file "
                     u"before continuing, in case the text window will not hold the result. "
                     u"Do you wish to specify an output file?",
                     u"Large input file", MsgIcon::Question, MsgButtons::YesNoCancel, Answer::Yes);
    if (a == Answer::Cancel) return LargeInput::Cancel;
    if (a != Answer::Yes) return LargeInput::Continue;
    ustring chosen = run.host.chooseOutputFile();
    if (chosen.empty()) return LargeInput::Continue;
    // The list must never be written over the file it was counted from.
    bool isInput = SameFile(chosen, s.input.InputFile);
    for (const ustring& more : s.input.MoreInputs)
        isInput = isInput || SameFile(chosen, more);
    if (isInput) {
        InputError(run, u"Output file cannot be the same as the input file.");
        return LargeInput::SameAsInput;
    }
    s.output.OutputFile = std::move(chosen);
    run.host.settingsChanged();
    return LargeInput::Continue;
}

void EndOfReading(RunState& run) {
    ResetTotalNumOccurrencesLabel(run.host);
    if (run.settings.output.SuppressWords != run.current.SavedSuppressWords) {
        run.settings.output.SuppressWords = run.current.SavedSuppressWords;
        run.host.settingsChanged();
    }
    run.host.setLabel(LabelId::Twirler, u" ");
}

namespace {

// Reads the text file line by line into the word table. False when an error was reported.
bool ReadTextFile(RunState& run, ustring_view path, int64_t size) {
    TextFileReader file;
    if (!run.current.inputStream && !file.open(ToPath(path))) {
        ReportError(run, file.error().number, file.error().description, u"DoItFromFile");
        return false;
    }
    const bool stream = run.current.inputStream != nullptr;
    TextFileReader& reader = stream ? *run.current.inputStream : file;
    const auto lines =
        MakeFileLines(reader, run.settings, run.yield,
                      !run.oneThread && ReadAheadPays(size, stream, run.settings.input.UTF8));
    // A stream's length is not known before its end.
    const bool drawBar = !stream && size > kProgressBarMinBytes;
    FileProgressBar bar(run.host, size);
    RunProgress progress(run, [&] {
        if (drawBar) bar.update(lines->consumed());
    });
    ScanLines(run.scanner, *lines, run.session.stopRequested, progress);
    if (const ErrorInfo* error = lines->readError()) {
        ReportError(run, error->number, error->description, u"DoItFromFile");
        return false;
    }
    return true;
}

// Reads the extracted document part and scans its text as one line. False when the text
// could not be read or the extraction was stopped: the run ends there.
bool ReadDocx(RunState& run, ustring_view path, int64_t size) {
    Host& host = run.host;
    host.setOutputText(u"Processing input file ...\r\n\r\n");
    host.repaint();
    SetTotalNumOccurrencesForFileProgressBar(host);
    host.setSuppressWordsVisible(false);
    DocxText docx = ReadDocxText(run, run.docx.xmlPath, true, int32_t(size));
    host.setSuppressWordsVisible(true);
    if (docx.result == DocxReadResult::Error) {
        ReportDocxReadError(host, docx.message, path);
        run.session.stopRequested = true;
    }
    if (run.session.stopRequested || docx.result != DocxReadResult::Ok) {
        ClearOutputBox(host);
        run.session.stopRequested = false;
        host.enableMainControls(true);
        SetRunPhase(run, RunPhase::Idle);
        ResetTotalNumOccurrencesLabel(host);
        return false;
    }
    ClearOutputBox(host);
    run.yield.processNow();
    ResetTotalNumOccurrencesLabel(host);
    run.scanner.line() = std::move(docx.text);
    if (!run.scanner.line().empty()) {
        // The extraction has decoded the text already.
        if (!run.settings.words.CaseSignificant)
            LowerCaseAccentedInPlace(run.scanner.line(), &run.yield);
        run.scanner.line().push_back(u' ');
        ScanAndTestStop(run);
    }
    return true;
}

// Unpacks the document part of a docx input, which is then read as UTF-8. Its size in
// bytes, or -1 (after any message) when the run ends here.
int64_t UnpackDocx(RunState& run, const ustring& path) {
    Host& host = run.host;
    const int32_t r = ExtractDocx(run, path, kDocxEntryPath, kTempFolderBase, true, true, true);
    ReportExtractDocxResult(host, r, path, RunText(run.texts, kTextErrorTitle));
    if (r < 0) {
        host.setElapsedTimerEnabled(false);
        run.current.elapsedTimeRunning = false;
        run.settings.input.InputFile.clear();
        host.settingsChanged();
        ClearOutputBox(host);
        return -1;
    }
    if (!run.settings.input.UTF8) {
        run.settings.input.UTF8 = true;
        host.settingsChanged();
    }
    return r;
}

// The checks of a text input: a path, an existing non-empty file, the vetting, the encoding
// question. The file's size in bytes, or -1 (after any message) when the run ends here.
int64_t CheckTextFile(RunState& run, const ustring& path) {
    if (path.empty()) {
        InputError(run, u"Input file not specified.");
        return -1;
    }
    bool ok = CheckInputFile(run, path);
    if (ok) {
        const VetResult vet = VetTextFile(run, path, false);
        ok = vet.ok && SettleEncoding(run, vet.detectedUtf8);
    }
    if (!ok) {
        ClearOutputBox(run.host);
        return -1;
    }
    return FileLength(path);
}

// The checks of a stream input, from its first block: some bytes, the vetting, the encoding
// question. The size of that block, or -1 (after any message) when the run ends here.
int64_t CheckTextStream(RunState& run, const ustring& name) {
    TextFileReader& reader = *run.current.inputStream;
    const std::string_view head = reader.head();
    bool ok = false;
    if (reader.failed()) {
        ReportError(run, reader.error().number, reader.error().description, u"DoItFromFile");
    } else if (head.empty()) {
        run.host.message(u"Input file is zero-length.", u"Empty file", MsgIcon::Exclamation);
    } else {
        const VetResult vet = VetTextStream(run, name, head, reader.atEnd(), false);
        ok = vet.ok && SettleEncoding(run, vet.detectedUtf8);
    }
    if (!ok) {
        ClearOutputBox(run.host);
        return -1;
    }
    return int64_t(head.size());
}

} // namespace

SourceResult CountFromFile(RunState& run, ErrorInfo& outputError) {
    Host& host = run.host;
    Settings& s = run.settings;
    host.setOutputText(u"Now processing input file ...");
    host.repaint();

    // Leading and trailing blanks of the typed path are never part of it.
    if (TrimSpacesInPlace(s.input.InputFile)) host.settingsChanged();
    const ustring path = s.input.InputFile;

    const bool stream = run.current.inputStream != nullptr;
    // A document protected by a password is no zip archive, and no text either.
    if (!stream && IsEncryptedDocument(path)) {
        InputError(run, u"The file " + path +
                            u"\r\nis protected by a password, so its text cannot be read.\r\n"
                            u"Save it without the password, or as a text file, and count that "
                            u"file.");
        return SourceResult::Refused;
    }
    const bool docx = !stream && IsDocxFile(path);
    // Whatever way the run takes from here, no unpacked document is left behind.
    DocxTempFilesGuard docxTempFiles(run);
    const int64_t size = docx     ? UnpackDocx(run, path)
                         : stream ? CheckTextStream(run, path)
                                  : CheckTextFile(run, path);
    if (size < 0) return SourceResult::Refused;

    ClearOutputBox(host);
    if (AdviseOutputFile(run, size) != LargeInput::Continue) return SourceResult::Refused;
    if (!CheckNamedOutputFile(run.settings.output, outputError)) return SourceResult::OutputFailed;

    host.setOutputText(u"Now processing input file ...");
    host.repaint();
    host.setLabel(LabelId::SizeOfClipboardContents, u"");
    ConcealNumWords(host, true);

    run.current.ClipboardText.clear();
    if (!docx) ClearOutput(run);

    run.current.SavedSuppressWords = s.output.SuppressWords;
    run.result.table.clear();
    if (auto fault = SelectCommentPreset(run.scanner, FileExtension(path, true)))
        run.host.message(fault->text,
                         fault->wordCharacters ? run.texts.GetText(kTextErrorTitle) : u"Error",
                         MsgIcon::Exclamation);

    run.session.stopRequested = false;
    SetRunPhase(run, RunPhase::Counting);
    host.enableMainControls(false);

    if (!docx && !stream && size > kProgressBarMinBytes)
        SetTotalNumOccurrencesForFileProgressBar(host);

    run.scanner.startText();
    bool readOk = true;
    try {
        if (docx) {
            if (!ReadDocx(run, path, size)) return SourceResult::Refused;
        } else {
            readOk = ReadTextFile(run, path, size);
        }
    } catch (const std::exception& e) {
        const ErrorInfo error = ErrorOf(e);
        ReportError(run, error.number, error.description, u"DoItFromFile");
        readOk = false;
    }
    EndOfReading(run);
    return readOk ? SourceResult::Read : SourceResult::ReadAfterError;
}

} // namespace qd
