#pragma once
// The clipboard source of a count run. The window reads the clipboard; its text arrives here
// as a value.

#include "count/RunSteps.h"

namespace qd {

struct RunState;

// GetClipboardText: takes the clipboard text for a count after its size checks (an empty
// clipboard, too much text); with showInOutput puts it into the output box. True when taken.
bool GetClipboardText(RunState& run, ustring_view clipboardText, bool showInOutput);

// CountFromClipboard: checks that the taken text looks like natural-language text, empties
// the output file and scans the text as one line, without comment markers.
SourceResult CountFromClipboard(RunState& run, ErrorInfo& outputError);

} // namespace qd
