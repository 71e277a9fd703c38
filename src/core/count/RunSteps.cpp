#include "count/RunSteps.h"

#include "count/RunState.h"
#include "count/RunTexts.h"
#include "scan/Scanner.h"
#include "table/OutputFileSink.h"
#include "text/Folders.h"
#include "text/Host.h"

#include <new>
#include <system_error>

namespace qd {

namespace {

constexpr int32_t kStopQuestionWords = 2000; // from here a stop is confirmed

} // namespace

void ClearOutputBox(Host& host) {
    host.setOutputText(u"");
    host.repaint();
}

void InputError(RunState& run, ustring_view text) {
    run.host.message(text, RunText(run.texts, kTextErrorTitle), MsgIcon::Exclamation);
    ClearOutputBox(run.host);
}

ErrorInfo ErrorOf(const std::exception& e) {
    if (dynamic_cast<const std::bad_alloc*>(&e)) return {7, u"Out of memory"};
    if (auto* se = dynamic_cast<const std::system_error*>(&e);
        se && se->code().category() == std::generic_category())
        return FileErrorInfo(se->code().value());
    return {51, u"Internal error: " + U(e.what())};
}

bool CheckNamedOutputFile(const OutputSettings& output, ErrorInfo& error) {
    if (output.OutputFile.empty() || output.DisableOutputToFile) return true;
    FileWriter probe;
    if (!probe.open(ToPath(output.OutputFile))) {
        error = FileWriterError(probe);
        return false;
    }
    return true; // the probe leaves nothing: an existing file stays until the new one is complete
}

bool RunProgress::stopStands() {
    const int32_t distinctWords = run_.result.table.size();
    if (distinctWords < kStopQuestionWords) return true;
    const Answer a = run_.host.ask(Question::ConfirmStop,
                                   u" " + FromInt(distinctWords) +
                                       u" different words have been found.\r\n"
                                       u"Do you really wish to stop?",
                                   RunText(run_.texts, kTextStop), MsgIcon::Question,
                                   MsgButtons::YesNo, Answer::Yes);
    if (a == Answer::Yes) return true;
    run_.session.stopRequested = false;
    return false;
}

void RunProgress::rankStep(RankStep step) {
    const int texts[] = {kTextApplyingRules, kTextComputingStatistics, kTextRankingWords};
    run_.host.setOutputText(RunText(run_.texts, texts[int(step)]) + u" ...");
    run_.host.repaint();
}

void RunProgress::thousandRanked() {
    run_.host.appendOutputText(u" .");
    run_.host.repaint();
}

bool ScanAndTestStop(RunState& run) {
    RunProgress progress(run);
    return ScanLineUntilStop(run.scanner, false, run.session.stopRequested, progress);
}

} // namespace qd
