#pragma once
// TEMPORARY STAND-INS for parts of the program that are being written alongside the count
// run. Each block goes as soon as the real routine is on the main line; nothing here is the
// program's behaviour.

#include "support/UString.h"

namespace qd {

struct RunState;

// input/InputFileCheck.h
bool CheckInputFile(RunState& run, ustring_view path);

// settings/WordsToIgnore.h
bool CheckAllowedExtraChars(RunState& run);
void txbWordsToIgnore_LostFocus(RunState& run);

} // namespace qd
