#pragma once
// The main window's check of an input path before it is vetted or counted (CheckInputFile).

#include "support/UString.h"

namespace qd {

struct RunState;

// False for an empty path, a missing file ("Input file does not exist.", and UTF8 cleared)
// and an empty one ("Input file is zero-length."); the messages are shown only once start-up
// is complete. Sets the file-size label ("Filesize: " and the size) and makes the file's
// folder the host's current folder.
bool CheckInputFile(RunState& run, ustring_view path);

} // namespace qd
