#pragma once
// The main window's run status as the count run drives it: the count button's caption, the
// count labels, the output box's clear command, and the text progress bar in the total-
// occurrences label.

#include "support/UString.h"

#include <cstdint>

namespace qd {

class Host;
struct RunState;

// The count button's caption: the run state remembers it, since "Stop" on the button is
// what tells a click during a run from a click that starts one.
void SetCountButtonCaption(RunState& run, ustring_view caption);
// True while the count button carries the stop caption (program text 74).
bool CountIsRunning(const RunState& run);

// ConcealNumWords: hides the four count labels; with concealTimeElapsed also empties the
// elapsed-time label.
void ConcealNumWords(Host& host, bool concealTimeElapsed = false);

// cmdClearOutput_Click: empties the output box; while no count runs, also hides the count
// labels, forgets the counted words and (after start-up) puts the focus back.
void cmdClearOutput_Click(RunState& run);

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
