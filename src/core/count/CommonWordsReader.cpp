#include "count/CommonWordsReader.h"

#include "count/RunState.h"
#include "count/RunStatus.h"
#include "count/TextFileVetting.h"
#include "scan/CaseFolding.h"
#include "scan/CommentMarkers.h"
#include "scan/Scanner.h"
#include "scan/TextRoutines.h"
#include "sources/Languages.h"
#include "sources/TextFileReader.h"
#include "text/Folders.h"
#include "text/Host.h"
#include "text/ReplaceFile.h"
#include "text/Utf8Decoding.h"

#include <string>
#include <sys/stat.h>

namespace qd {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view TrimmedOfSpaces(std::string_view bytes) {
    const size_t first = bytes.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return bytes.substr(first, bytes.find_last_not_of(' ') - first + 1);
}

// Step 2 of reading: the file is not there.
void ReportMissingFile(RunState& run) {
    if (!run.session.startUpCompleted) {
        // At start a stale path from the saved state must not stop the program:
        // fall back to the English file, without ignoring words, and say nothing.
        run.settings.ignore.CommonWordsFile =
            CommonWordsFileInProgramFolder(run.env.programFolder, CommonWordsFileNames[0]);
        run.lists.commonWordsFile = run.settings.ignore.CommonWordsFile;
        run.settings.ignore.IgnoreCommonWords = false;
        run.host.settingsChanged();
        return;
    }
    run.host.message(u"File for common words not found.", u"File not found", MsgIcon::Exclamation);
}

// Scans the lines of the file into the word table; false when the file could
// not be read to its end (the reason has been shown) or the read was stopped.
bool ScanCommonWordsLines(RunState& run, ustring_view path, bool utf8) {
    TextFileReader reader;
    reader.open(ToPath(path));
    std::string_view bytes;
    ustring line;
    bool firstLine = true;
    while (!run.session.stopRequested && reader.nextLine(bytes)) {
        if (firstLine && utf8 && bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(3);
        firstLine = false;
        bytes = TrimmedOfSpaces(bytes);
        if (!bytes.empty()) {
            if (utf8) {
                DecodeUtf8(bytes, line);
            } else {
                line.clear();
                AppendCp1252(bytes, line);
            }
            LowerCaseAccentedInPlace(line, run.session.startUpCompleted ? &run.yield : nullptr);
            line += u' ';
            run.scanner.line() = line;
            run.scanner.scanLine();
        }
        if (run.session.startUpCompleted) run.yield();
    }
    if (reader.failed()) {
        run.host.message(u"The file of common words could not be read:\r\n" + ustring(path) +
                             u"\r\n" + reader.error().description,
                         u"File not read", MsgIcon::Exclamation);
        return false;
    }
    return !run.session.stopRequested;
}

} // namespace

bool ReadCommonWordsFile(RunState& run) {
    Settings& settings = run.settings;
    TrimSpacesInPlace(settings.ignore.CommonWordsFile);
    const ustring path = settings.ignore.CommonWordsFile;
    if (path.empty()) return false;
    // A pipe could keep the read waiting for ever, and a device such as /dev/zero gives
    // bytes without end.
    struct stat info {};
    const bool notAFile = ::stat(ToPath(path).c_str(), &info) == 0 && !S_ISREG(info.st_mode);
    if (notAFile && run.session.startUpCompleted) {
        run.host.message(u"The file for common words\r\n" + path + u"\r\nis " +
                             FromUtf8(SpecialFileKind(info.st_mode)) + u", not a file.",
                         u"Not a file", MsgIcon::Exclamation);
        return false;
    }
    if (notAFile || !FileExists(path)) {
        ReportMissingFile(run);
        return false;
    }

    // Line ends make no difference to this reader, so their notices are left out.
    const VetResult vetted = VetTextFile(run, path, true);
    if (!vetted.ok) return false;

    run.scanner.setReadingWords(true);
    const bool savedSuppressWords = settings.output.SuppressWords;
    const bool savedAllowCommentMarkers = settings.comments.AllowCommentMarkers;
    settings.output.SuppressWords = true;
    SetCommentMarkers(run.scanner, u"C");
    settings.comments.AllowCommentMarkers = true;
    run.scanner.startText();
    // Every extra character is allowed, so that don't and peut-être are read
    // whole. Each count run builds its own set again when it starts.
    run.scanner.setExtraChars(AllPossibleExtraChars);
    run.result.table.clear();
    ConcealNumWords(run.host);
    run.host.settingsChanged();

    run.host.setOutputText(u"Now reading common words ...");
    SetRunPhase(run, RunPhase::ReadingCommonWords);

    const bool complete = ScanCommonWordsLines(run, path, vetted.detectedUtf8);
    if (complete) {
        const int32_t n = run.result.table.size();
        run.lists.commonWords.clear();
        run.lists.commonWords.reserve(size_t(n));
        for (int32_t i = 1; i <= n; ++i)
            run.lists.commonWords.emplace_back(run.result.table[i].word());
    }

    settings.output.SuppressWords = savedSuppressWords;
    settings.comments.AllowCommentMarkers = savedAllowCommentMarkers;
    run.host.settingsChanged();
    SetRunPhase(run, RunPhase::Idle);
    run.host.setOutputText(u"");
    run.session.stopRequested = false;
    return complete;
}

} // namespace qd
