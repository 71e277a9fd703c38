#include "count/RunStatus.h"

#include "count/RunState.h"
#include "count/RunTexts.h"
#include "sources/ProgressBar.h"
#include "text/Host.h"

namespace qd {

void SetRunPhase(RunState& run, RunPhase phase) {
    run.session.phase = phase;
    run.host.setCountButtonCaption(
        RunText(run.texts, phase == RunPhase::Idle ? kTextCountWords : kTextStop));
}

bool CountIsRunning(const RunState& run) {
    return run.session.phase != RunPhase::Idle;
}

void ConcealNumWords(Host& host, bool concealTimeElapsed) {
    host.setLabelVisible(LabelId::NumberOfWords, false);
    host.setLabelVisible(LabelId::NumWordsExcluded, false);
    host.setLabelVisible(LabelId::NumOccurrences, false);
    host.setLabelVisible(LabelId::TotalNumOccurrences, false);
    if (concealTimeElapsed) host.setLabel(LabelId::TimeElapsed, u"");
}

void ClearOutput(RunState& run) {
    run.host.setOutputText(u"");
    if (CountIsRunning(run)) return;
    ConcealNumWords(run.host, true);
    run.session.wordsGot = false;
    if (run.session.startUpCompleted) run.host.setTheFocus();
}

void SetTotalNumOccurrencesForFileProgressBar(Host& host) {
    host.setLabelStyle(LabelId::TotalNumOccurrences, LabelStyle::ProgressBar);
    host.setLabelVisible(LabelId::TotalNumOccurrences, true);
    ustring empty = u"[";
    empty.append(size_t(kProgressBarWidth), u' ');
    empty += u']';
    host.setLabel(LabelId::TotalNumOccurrences, empty);
    host.repaint();
}

void ResetTotalNumOccurrencesLabel(Host& host) {
    host.setLabelStyle(LabelId::TotalNumOccurrences, LabelStyle::RightAligned);
    host.setLabelVisible(LabelId::TotalNumOccurrences, true);
    host.setLabel(LabelId::TotalNumOccurrences, u"");
    host.repaint();
}

void FileProgressBar::update(int64_t done) {
    if (done < nextCheck_) return;
    const int p = ProgressBarPosition(kProgressBarWidth, done, total_);
    // Below this count width x done / total stays under p + 1/2: the bar cannot move.
    nextCheck_ = (2 * int64_t(p) + 1) * total_ / (2 * kProgressBarWidth);
    if (p == shown_) return;
    shown_ = p;
    host_.setLabel(LabelId::TotalNumOccurrences, ProgressBarCaption(p, kProgressBarWidth));
    host_.repaint();
}

} // namespace qd
