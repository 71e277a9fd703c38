#include "session/CountRun.h"

#include "count/ClipboardSource.h"
#include "count/FileSource.h"
#include "count/FilesSource.h"
#include "count/Listing.h"
#include "count/RunState.h"
#include "count/RunStatus.h"
#include "count/RunTexts.h"
#include "count/WordsToIgnore.h"
#include "scan/WordRules.h"
#include "sources/DocxArchive.h"
#include "sources/PathIdentity.h"
#include "table/PostCountRules.h"
#include "table/WordOrdering.h"
#include "text/Host.h"

namespace qd {

namespace {

constexpr int32_t kKeepElapsedSeconds = 4; // below: the elapsed time is blanked
constexpr int kErrPermissionDenied = 70;
constexpr char16_t kCrLf[] = u"\r\n";

void CommonEnd(RunState& run) {
    run.host.enableMainControls(true);
    SetRunPhase(run, RunPhase::Idle);
    run.host.setLabel(LabelId::Twirler, u" ");
    run.host.setTheFocus();
}

// The end of a run after its error was reported.
RunOutcome EndAfterError(RunState& run, const ErrorInfo& error) {
    if (error.number == kErrPermissionDenied)
        run.host.setOutputText(u"Error: " + error.description + kCrLf + kCrLf +
                               u"If the output file is open in Excel then it must first be "
                               u"closed\r\nor a different file should be specified as the "
                               u"output file.");
    CommonEnd(run);
    return RunOutcome::Failed;
}

RunOutcome ErrorStep(RunState& run, const ErrorInfo& error) {
    ReportError(run, error.number, error.description, u"DoIt");
    return EndAfterError(run, error);
}

RunOutcome OutputFileErrorStep(RunState& run, const ErrorInfo& error) {
    ReportOutputFileError(run, error, u"DoIt");
    return EndAfterError(run, error);
}

// The stop outcome: tells what was found and asks whether to list it. False when the
// person declines the listing.
bool ListAfterAStop(RunState& run) {
    Host& host = run.host;
    run.session.stopRequested = false;
    if (host.outputLength() > 0) host.appendOutputText(u"\r\n\r\n");
    const int32_t n = run.result.table.size();
    host.appendOutputText(u"Stopped with " + FromInt(n) + (n == 1 ? u" word" : u" words") +
                          u" found.");
    ConcealNumWords(host, false);
    host.setOutputCaret(true);
    const Answer a =
        host.ask(Question::ListAfterStop,
                 u"The operation was stopped before all words were counted.\r\n"
                 u"Do you wish to list the words which were found?",
                 u"Counting interrupted", MsgIcon::Question, MsgButtons::YesNo, Answer::Yes);
    if (a == Answer::No) {
        host.enableMainControls(true);
        SetRunPhase(run, RunPhase::Idle);
        return false;
    }
    run.current.ListAfterStop = true;
    return true;
}

// The file becomes the source again, as a click on the "file" option makes it.
void SelectFileSource(RunState& run) {
    run.settings.input.Source = SourceKind::InFile;
    run.session.wordsGot = false;
    if (run.session.ListingShown) run.host.setOutputText(u"");
    run.host.setLabel(LabelId::SizeOfClipboardContents, u"");
    run.host.settingsChanged();
    run.host.setTheFocus();
}

RunOutcome RunFromSourceOn(RunState& run, ustring_view clipboardText) {
    Host& host = run.host;
    Settings& s = run.settings;

    // The list must never be written over the file it is counted from, and the check comes
    // before the output file is emptied.
    if (s.input.Source == SourceKind::InFile && TrimSpacesInPlace(s.input.InputFile))
        host.settingsChanged();
    if (s.input.Source == SourceKind::InFile && !s.output.OutputFile.empty() &&
        SameFile(s.output.OutputFile, s.input.InputFile)) {
        InputError(run, u"Output file cannot be the same as the input file.");
        return RunOutcome::Refused;
    }

    run.scanner.resetTotalOccurrences();
    run.excluded.clear();
    run.scanner.setIgnoredSink(run.keepExcludedWords ? &run.excluded : nullptr);
    host.setLabelVisible(LabelId::TimeElapsed, true);
    host.setLabel(LabelId::TimeElapsed, u"Time elapsed: 0s");
    run.current.elapsedTimeRunning = true;
    run.current.secondsElapsed = 0;
    host.setElapsedTimerEnabled(true);

    SourceResult read;
    ErrorInfo outputError;
    if (s.input.Source == SourceKind::InFile && !run.current.inputStream &&
        CountsSeveralFiles(s.input)) {
        read = CountFromFiles(run, outputError);
    } else if (s.input.Source == SourceKind::InFile) {
        read = CountFromFile(run, outputError);
    } else if (GetClipboardText(run, clipboardText, false)) {
        read = CountFromClipboard(run, outputError);
    } else {
        SelectFileSource(run);
        return RunOutcome::Refused;
    }
    if (read == SourceResult::Refused) return RunOutcome::Refused;
    if (read == SourceResult::OutputFailed) return OutputFileErrorStep(run, outputError);

    SortWordTable(run.result.table, 1, run.result.table.size(), 1,
                  run.session.startUpCompleted ? &run.yield : nullptr);

    if (run.session.stopRequested && !ListAfterAStop(run)) return RunOutcome::NotListed;

    run.session.wordsGot = !run.current.ListAfterStop;
    SetRunPhase(run, RunPhase::Listing);
    host.repaint();
    host.setCountButtonEnabled(false);
    RunProgress progress(run);
    RankWords(run.result, run.settings, run.yield, run.session.startUpCompleted, progress);
    if (run.keepExcludedWords)
        run.excluded.addHiddenEntries(run.result.table, run.settings, run.result.stats);
    ShowCounts(run);
    run.session.ListingShown = true;
    host.setCountButtonEnabled(true);
    const ListWordsResult listed =
        ListWords(run, read == SourceResult::ReadAfterError ? EmptyListing::KeepsOutputFile
                                                            : EmptyListing::EmptiesOutputFile);
    CommonEnd(run);
    // A listing that never reached its output file is a failed run.
    const bool fileFailed =
        listed == ListWordsResult::FileFailed || listed == ListWordsResult::NothingListed;
    return read == SourceResult::ReadAfterError || fileFailed ? RunOutcome::Failed
                                                              : RunOutcome::Listed;
}

} // namespace

RunOutcome CountWords(RunState& run, ustring_view clipboardText) {
    Host& host = run.host;
    Settings& s = run.settings;
    if (CountIsRunning(run)) {
        const Answer a = host.ask(Question::Stop, RunText(run.texts, kTextStopQuestion),
                                  RunText(run.texts, kTextStop), MsgIcon::Question,
                                  MsgButtons::YesNo, Answer::No);
        if (a == Answer::No) return RunOutcome::StopDeclined;
        run.session.stopRequested = true;
        return RunOutcome::StopRequested;
    }
    if (s.input.UTF8 && s.words.Only7bitASCII) {
        const ustring text = IsDocxFile(s.input.InputFile)
                                 ? u"Scanning a 'docx' file is not compatible with\r\n"
                                   u"allowing only 7-bit ASCII characters."
                                 : u"Scanning as UTF-8 is not compatible with\r\n"
                                   u"allowing only 7-bit ASCII characters.";
        host.message(text, u"Incompatible setting", MsgIcon::Exclamation);
        return RunOutcome::Refused;
    }
    run.result.stats.thresholdFrequency = s.ignore.ThresholdFrequency + 2;
    const RunOutcome outcome = RunCount(run, clipboardText);
    host.setElapsedTimerEnabled(false);
    run.current.elapsedTimeRunning = false;
    if (run.current.secondsElapsed < kKeepElapsedSeconds) host.setLabel(LabelId::TimeElapsed, u"");
    return outcome;
}

RunOutcome RunCount(RunState& run, ustring_view clipboardText) {
    if (!CheckAllowedExtraChars(run)) {
        run.host.showSettingsWindow();
        return RunOutcome::Refused;
    }
    run.scanner.rebuildExtraChars();
    run.scanner.setReadingWords(false);
    run.current.ListAfterStop = false;
    run.scanner.comments().entitiesPossible = false;
    run.result.stats.minWidth = 6;
    run.result.stats.filesCounted = 0;
    run.current.refusedInputs = 0;
    try {
        return RunFromSourceOn(run, clipboardText);
    } catch (const std::exception& e) {
        return ErrorStep(run, ErrorOf(e));
    }
}

} // namespace qd
