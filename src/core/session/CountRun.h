#pragma once
// One count run: from a click on "Count words" to the filled, ordered and listed word table.
// The window only wires its button to CountWords; everything the person sees or
// decides on the way passes through the run state's host.

#include "text/UString.h"

namespace qd {

struct RunState;

enum class RunOutcome {
    Listed,        // counted (completely, or up to a stop the person chose to list) and listed
    NotListed,     // stopped, and the person chose not to list the words found
    Refused,       // a check, a refusal or a cancelled question ended the run before reading
    Failed,        // an unexpected error was reported (the words read may still be listed)
    StopRequested, // a run was going on: the click asked to stop it and the answer was yes
    StopDeclined,  // ... and the answer was no
};

// CountWords: a click on the count button. While a run is active (the button says "Stop") asks
// whether to stop and sets stopRequested on yes. Otherwise refuses UTF-8 together with 7-bit ASCII,
// then runs RunCount and stops the elapsed-time display. clipboardText is the clipboard's text at
// the click; it is read only when the source is the clipboard.
RunOutcome CountWords(RunState& run, ustring_view clipboardText = {});

// RunCount: the run itself (checks, source, order, stop outcome, post-count steps, listing).
RunOutcome RunCount(RunState& run, ustring_view clipboardText);

} // namespace qd
