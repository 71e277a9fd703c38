#pragma once
// The main window's run status as the count run drives it: the count button's caption, the
// count labels, the output box's clear command, and the text progress bar in the total-
// occurrences label.

#include "text/UString.h"

#include <cstdint>

namespace qd {

class Host;
struct RunState;

enum class RunPhase;

// The run enters phase; the count button shows it: "Count words" when idle (program text
// 73), "Stop" otherwise (text 74).
void SetRunPhase(RunState& run, RunPhase phase);
// True in every phase but Idle: a click on the count button asks whether to stop.
bool CountIsRunning(const RunState& run);

// ConcealNumWords: hides the four count labels; with concealTimeElapsed also empties the
// elapsed-time label.
void ConcealNumWords(Host& host, bool concealTimeElapsed = false);

// ClearOutput: empties the output box; while no count runs, also hides the count
// labels, forgets the counted words and (after start-up) puts the focus back.
void ClearOutput(RunState& run);

// SetTotalNumOccurrencesForFileProgressBar: the total-occurrences label becomes an empty
// bar; ResetTotalNumOccurrencesLabel gives it back its ordinary look, empty.
void SetTotalNumOccurrencesForFileProgressBar(Host& host);
void ResetTotalNumOccurrencesLabel(Host& host);

// Draws the bar for the bytes read so far, touching the label only when the bar moves.
class FileProgressBar {
public:
    FileProgressBar(Host& host, int64_t total) : host_(host), total_(total) {}
    void update(int64_t done);

private:
    Host& host_;
    int64_t total_;
    int shown_ = -1;
    int64_t nextCheck_ = 0;
};

} // namespace qd
