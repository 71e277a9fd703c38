#pragma once
// The main window's check of the input file named in its box: it must exist and hold bytes.

#include "text/UString.h"

namespace qd {

struct RunState;

// CheckInputFile: true when path names an existing, non-empty file. Shows the file's size in
// the Filesize label ("Filesize: 1.50 KB"), or empties it when there is no file. Once
// start-up is complete a missing file (which also clears UTF8), a folder, pipe or device in
// its place, or an empty file is reported;
// during start-up nothing is shown. The file's folder becomes the current folder, so that a
// name typed without a folder is found beside the last file chosen.
bool CheckInputFile(RunState& state, ustring_view path);

} // namespace qd
