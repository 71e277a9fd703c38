#pragma once
// STAND-INS for core routines that are not on main yet. Each keeps the signature of the core
// routine it stands for; the windows switch to the core routine as it lands, and this file
// goes when the last one has.

#include "RunState.h"

namespace qd::gui::standin {

// The count run (input/CountRun).
void cmdListWords_Click(RunState& state);

} // namespace qd::gui::standin
