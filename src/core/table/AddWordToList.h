#pragma once

#include "support/UString.h"

namespace qd {

struct RunState;

// Records one occurrence of word in the run's word table. A word longer than 80 characters
// is ignored. Each new distinct word is shown in the output box as found (unless
// SuppressWords), until the box nears its limit: then a notice is appended once and
// SuppressWords is set for the rest of the run. Every tenth distinct word updates the
// number-of-words label.
void AddWordToList(RunState& run, ustring_view word);

} // namespace qd
