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
#include "sources/Languages.h"
#include "sources/PathIdentity.h"
#include "sources/TextFileReader.h"
#include "text/Folders.h"
#include "text/Formatting.h"
#include "text/ProgramTexts.h"
#include "text/ReplaceFile.h"

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
    err << "quorvel-count: cannot write the ignored words to " << options.ignoredFile << ": "
        << failure << '\n';
    return false;
}

} // namespace

int RunCountCommand(const CliOptions& options, const Environment& env, int stdinFd,
                    std::ostream& out, std::ostream& err) {
    const std::string& input = options.inputs.front();
    const bool several = options.inputs.size() > 1;
    const bool fromStdin = input == "-";
    EncodingChoice encoding = options.encoding;
    if (fromStdin && encoding == EncodingChoice::Detected) encoding = EncodingChoice::Utf8;

    CliHost host(err, encoding);
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
        const ustring ignored = AbsolutePath(options.ignoredFile);
        for (const std::string& named : options.inputs)
            if (named != "-" && SameFile(ignored, AbsolutePath(named)))
                return UsageError(err, u"--ignored cannot name the input file");
        if (!options.outputFile.empty() && SameFile(ignored, AbsolutePath(options.outputFile)))
            return UsageError(err, u"--ignored and --output cannot name the same file");
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

    run.session.startUpCompleted = true;
    NormaliseWordsToIgnore(run);

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
    if (s.ignore.IgnoreCommonWords && !s.ignore.CommonWordsFile.empty() &&
        !AttemptToReadCommonWords(run) && !options.language.empty())
        return kExitRefused;

    StreamListing listing(out, s.output.DisplayFormat);
    run.current.listingOutput = &listing;
    const RunOutcome outcome = CountWords(run);
    out.flush();
    if (options.counts) WriteCounts(host, err);
    // Only a count that reached its listing has words left out to tell of.
    const bool ignoredWritten = !run.session.ListingShown || WriteIgnoredWords(options, run, err);
    const bool allTaken = run.current.refusedInputs == 0;
    return outcome == RunOutcome::Listed && ignoredWritten && allTaken ? kExitListed : kExitRefused;
}

} // namespace qd::cli
