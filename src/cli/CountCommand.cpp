#include "CountCommand.h"

#include "CliHost.h"
#include "StreamListing.h"
#include "count/FilesSource.h"
#include "count/IgnoredWordsReport.h"
#include "count/RunState.h"
#include "count/WordsToIgnore.h"
#include "scan/CommentMarkers.h"
#include "session/CommonWords.h"
#include "session/CountRun.h"
#include "settings/Defaults.h"
#include "settings/SavedState.h"
#include "settings/SettingsFields.h"
#include "sources/InputFiles.h"
#include "sources/Languages.h"
#include "sources/PathIdentity.h"
#include "sources/TextFileReader.h"
#include "text/Folders.h"
#include "text/Formatting.h"
#include "text/ProgramTexts.h"
#include "text/ReplaceFile.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qd::cli {

namespace {

// An input read as a stream: standard input, or a named pipe or device named on the command
// line, which is opened here and closed at the end.
class InputStream {
public:
    ~InputStream() {
        if (owned_ >= 0) ::close(owned_);
    }
    // Standard input.
    void attachStdin(int fd) { reader_.attach(fd); }
    // path, when it names something other than a regular file that opens for reading.
    bool attachIfNotRegular(const std::string& path) {
        struct stat st;
        if (::stat(path.c_str(), &st) != 0 || S_ISREG(st.st_mode) || S_ISDIR(st.st_mode))
            return false;
        owned_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (owned_ < 0) return false;
        reader_.attach(owned_);
        return true;
    }
    TextFileReader& reader() { return reader_; }

private:
    TextFileReader reader_;
    int owned_ = -1;
};

ustring AbsolutePath(const std::string& path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(fs::path(path), ec);
    return FromPath(ec ? fs::path(path) : absolute);
}

int UsageError(std::ostream& err, const ustring& text) {
    err << "quorvel-count: " << TerminalText(text) << '\n';
    return kExitUsage;
}

void WriteCounts(const CliHost& host, std::ostream& err) {
    for (LabelId label : {LabelId::NumberOfWords, LabelId::NumWordsExcluded,
                          LabelId::NumOccurrences, LabelId::TotalNumOccurrences}) {
        const ustring caption = host.label(label);
        if (!caption.empty()) err << TerminalText(caption) << '\n';
    }
}

// --why and --ignored, once the count has been listed. False when the file could not be
// written (reported; an earlier file there is left as it was).
bool WriteIgnoredWords(const CliOptions& options, const RunState& run, std::ostream& err) {
    if (options.why)
        for (const ustring& line :
             IgnoredTallyLines(run.excluded.tally(), run.texts, run.numberFormat))
            err << TerminalText(line) << '\n';
    if (options.ignoredFile.empty()) return true;
    const std::string failure = ReplaceFileContents(ToPath(AbsolutePath(options.ignoredFile)),
                                                    IgnoredWordsFileText(run.excluded, run.texts));
    if (failure.empty()) return true;
    err << "quorvel-count: cannot write the ignored words to " << TerminalText(options.ignoredFile)
        << ": " << TerminalText(failure) << '\n';
    return false;
}

// Why the ignored-words report may not be written where options name it, or empty: it would
// replace a file this count reads, named or found in a named folder, links followed. (Only
// an existing file can be one: a new report loses nothing.)
ustring IgnoredFileRefusal(const CliOptions& options) {
    const ustring ignored = AbsolutePath(options.ignoredFile);
    const ustring output =
        options.outputFile.empty() ? ustring() : AbsolutePath(options.outputFile);
    if (!output.empty() && SameFile(ignored, output))
        return u"--ignored and --output cannot name the same file";
    struct stat report {};
    if (::stat(ToPath(ignored).c_str(), &report) != 0) return {};
    for (const std::string& named : options.inputs) {
        if (named == "-") continue;
        const ustring path = AbsolutePath(named);
        if (SameFile(ignored, path)) return u"--ignored cannot name the input file";
        if (!IsDirectory(path)) continue;
        for (const ustring& file : CountableFilesUnder(path, output).files) {
            struct stat found {};
            if (::stat(ToPath(file).c_str(), &found) == 0 && found.st_dev == report.st_dev &&
                found.st_ino == report.st_ino)
                return u"--ignored cannot name a file counted from the folder " + U(named);
        }
    }
    return {};
}

} // namespace

int RunCountCommand(const CliOptions& options, const Environment& env, int stdinFd,
                    std::ostream& out, std::ostream& err) {
    const std::string& input = options.inputs.front();
    const bool several = options.inputs.size() > 1;
    const bool fromStdin = input == "-";
    EncodingChoice encoding = options.encoding;
    if (fromStdin && encoding == EncodingChoice::Detected) encoding = EncodingChoice::Utf8;

    CliHost host(err, encoding, options.scanBadChecksum);
    RunState run(host, env);
    run.numberFormat = NumberFormatFromLocale();
    Settings& s = run.settings;
    ustring programTextPath;
    if (LoadProgramTexts(host, env.programFolder, run.texts, programTextPath) <= 0)
        return kExitRefused;
    Initialize(s);
    // As at the window's start: the "C" markers are in force until a count chooses others,
    // and stay when user-defined markers fail their check.
    SetCommentMarkers(run.scanner, u"C");

    // A fresh start's defaults, then the settings file. The command line names the files
    // itself: the paths a settings file remembers are not taken.
    if (!options.settingsFile.empty()) {
        const ustring error =
            RestoreSavedState(s, AbsolutePath(options.settingsFile), env.programFolder);
        if (!error.empty()) return UsageError(err, error);
        s.input.InputFile.clear();
        s.output.OutputFile.clear();
    }
    if (!options.ignoredFile.empty()) {
        if (const ustring refusal = IgnoredFileRefusal(options); !refusal.empty())
            return UsageError(err, refusal);
    }
    run.keepExcludedWords = options.why || !options.ignoredFile.empty();
    run.oneThread = options.oneThread;
    if (!options.outputFile.empty()) {
        s.output.OutputFile = AbsolutePath(options.outputFile);
        s.output.DisableOutputToFile = false;
    }
    if (options.filesColumn) s.output.ShowFilesColumn = true;
    for (const std::string& assignment : options.assignments) {
        const ustring error = ApplySettingAssignment(s, U(assignment));
        if (!error.empty()) return UsageError(err, u"--set " + U(assignment) + u": " + error);
    }
    if (options.outputEncoding) s.output.OutputEncoding = *options.outputEncoding;

    // Standard input and pipes are counted as their bytes arrive, never copied first.
    InputStream stream;
    bool streamed = true;
    if (fromStdin) {
        stream.attachStdin(stdinFd);
        s.input.InputFile = u"(standard input)";
    } else {
        s.input.InputFile = AbsolutePath(input);
        // Several inputs are each vetted as files: a pipe among them is refused.
        streamed = !several && stream.attachIfNotRegular(input);
        for (size_t i = 1; i < options.inputs.size(); ++i)
            s.input.MoreInputs.push_back(AbsolutePath(options.inputs[i]));
    }
    if (streamed) run.current.inputStream = &stream.reader();
    s.input.Source = SourceKind::InFile;
    if (encoding != EncodingChoice::Detected) s.input.UTF8 = encoding == EncodingChoice::Utf8;

    // Normalised as the window's start does, before start-up is complete: the count checks
    // their characters itself, and a refusal is told once.
    NormaliseWordsToIgnore(run);
    run.session.startUpCompleted = true;

    if (!options.language.empty()) {
        s.ignore.CommonWordsFile =
            FromPath(env.programFolder / CommonWordsFileForLanguage(options.language));
        s.ignore.IgnoreCommonWords = true;
    } else if (s.ignore.IgnoreCommonWords && s.ignore.CommonWordsFile.empty() && !streamed) {
        // No file named: as the window does when a file is chosen, the common words of the
        // language the input declares (English when it declares none); several files take
        // English.
        s.ignore.CommonWordsFile =
            CountsSeveralFiles(s.input)
                ? DefaultCommonWordsFile(env.programFolder)
                : CommonWordsFileForInput(env.programFolder, s.input.InputFile);
    }
    // A count without the common words it was told to ignore would list them as words.
    TrimSpacesInPlace(s.ignore.CommonWordsFile);
    if (s.ignore.IgnoreCommonWords && !s.ignore.CommonWordsFile.empty()) {
        s.ignore.CommonWordsFile = AbsolutePath(ToUtf8(s.ignore.CommonWordsFile));
        if (!AttemptToReadCommonWords(run)) {
            err << "quorvel-count: nothing counted: the common words of "
                << TerminalText(s.ignore.CommonWordsFile) << " could not be read\n";
            return kExitRefused;
        }
    }

    StreamListing listing(out, s.output.DisplayFormat);
    run.current.listingOutput = &listing;
    const RunOutcome outcome = CountWords(run);
    out.flush();
    // A listing that never reached standard output is a failed run, whatever was counted.
    const int listingError = listing.writeError() != 0 ? listing.writeError() : out ? 0 : EIO;
    if (listingError != 0)
        err << "quorvel-count: cannot write the listing to standard output: "
            << SystemErrorText(listingError) << '\n';
    if (options.counts) WriteCounts(host, err);
    // Only a count that reached its listing has words left out to tell of.
    const bool ignoredWritten = !run.session.ListingShown || WriteIgnoredWords(options, run, err);
    const bool allTaken = run.current.refusedInputs == 0;
    return outcome == RunOutcome::Listed && listingError == 0 && ignoredWritten && allTaken
               ? kExitListed
               : kExitRefused;
}

} // namespace qd::cli
