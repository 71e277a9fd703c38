#include "CountCommand.h"

#include "CliHost.h"
#include "StreamListing.h"
#include "count/RunState.h"
#include "count/WordsToIgnore.h"
#include "scan/CommentMarkers.h"
#include "session/CommonWords.h"
#include "session/CountRun.h"
#include "settings/Defaults.h"
#include "settings/SavedState.h"
#include "settings/SettingsFields.h"
#include "sources/Languages.h"
#include "text/Folders.h"
#include "text/Formatting.h"
#include "text/ProgramTexts.h"

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace qd::cli {

namespace {

// Standard input kept in a temporary file for the length of the run, since the count run
// reads files.
class StdinCopy {
public:
    ~StdinCopy() {
        if (!folder_.empty()) DeleteFolder(folder_, true);
    }
    bool make(const fs::path& tempRoot, std::istream& in) {
        folder_ = CreateTempFolder(tempRoot, u"QDC", false);
        if (folder_.empty()) return false;
        path_ = FromPath(ToPath(folder_) / "stdin.txt");
        std::ofstream out(ToPath(path_), std::ios::binary);
        char block[1 << 16];
        while (in.read(block, sizeof block) || in.gcount() > 0)
            out.write(block, in.gcount());
        out.flush();
        return bool(out) && !in.bad();
    }
    const ustring& path() const { return path_; }

private:
    ustring folder_;
    ustring path_;
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

} // namespace

int RunCountCommand(const CliOptions& options, const Environment& env, std::istream& in,
                    std::ostream& out, std::ostream& err) {
    const bool fromStdin = options.input == "-";
    EncodingChoice encoding = options.encoding;
    if (fromStdin && encoding == EncodingChoice::Detected) encoding = EncodingChoice::Utf8;

    CliHost host(err, encoding);
    RunState run(host, env);
    run.numberFormat = NumberFormatFromLocale();
    ScanSettings& s = run.settings;
    if (LoadProgramTexts(host, env.programFolder, run.texts, run.strProgramTextFile) <= 0)
        return kExitRefused;
    Initialize(s);
    // As at the window's start: the "C" markers are in force until a count chooses others,
    // and stay when user-defined markers fail their check.
    SetCommentMarkers(run.scanner, u"C");

    // A fresh start's defaults, then the settings file. The command line names the files
    // itself: the paths a settings file remembers are not taken.
    if (!options.settingsFile.empty()) {
        const ustring error = RestoreSavedState(s, AbsolutePath(options.settingsFile));
        if (!error.empty()) return UsageError(err, error);
        s.InputFile.clear();
        s.OutputFile.clear();
    }
    if (!options.outputFile.empty()) {
        s.OutputFile = AbsolutePath(options.outputFile);
        s.DisableOutputToFile = false;
    }
    for (const std::string& assignment : options.assignments) {
        const ustring error = ApplySettingAssignment(s, U(assignment));
        if (!error.empty()) return UsageError(err, u"--set " + U(assignment) + u": " + error);
    }

    StdinCopy stdinCopy;
    if (fromStdin) {
        if (!stdinCopy.make(env.tempRoot, in)) {
            err << "quorvel-count: standard input could not be kept in a temporary file\n";
            return kExitRefused;
        }
        s.InputFile = stdinCopy.path();
        host.aliasPath(stdinCopy.path(), u"(standard input)");
    } else {
        s.InputFile = AbsolutePath(options.input);
    }
    s.Source = SourceKind::InFile;
    if (encoding != EncodingChoice::Detected) s.UTF8 = encoding == EncodingChoice::Utf8;

    run.blnStartUpCompleted = true;
    NormaliseWordsToIgnore(run);

    if (!options.language.empty()) {
        s.CommonWordsFile =
            FromPath(env.programFolder / CommonWordsFileForLanguage(options.language));
        s.IgnoreCommonWords = true;
    } else if (s.IgnoreCommonWords && s.CommonWordsFile.empty() && !fromStdin) {
        // No file named: as the window does when a file is chosen, the common words of the
        // language the input declares (English when it declares none).
        s.CommonWordsFile = CommonWordsFileForInput(env.programFolder, s.InputFile);
    }
    if (s.IgnoreCommonWords && !s.CommonWordsFile.empty() && !AttemptToReadCommonWords(run) &&
        !options.language.empty())
        return kExitRefused;

    StreamListing listing(out, s.DisplayFormat);
    run.listingOutput = &listing;
    const RunOutcome outcome = CountWords(run);
    out.flush();
    if (options.counts) WriteCounts(host, err);
    return outcome == RunOutcome::Listed ? kExitListed : kExitRefused;
}

} // namespace qd::cli
