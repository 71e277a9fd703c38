#pragma once
// The numbered program texts the count run shows, with the program's English wording as the
// fallback when no text file is loaded (tests, a damaged installation).

#include "text/ProgramTextNumbers.h"
#include "text/UString.h"

namespace qd {

class ProgramTexts;

ustring RunText(const ProgramTexts& texts, int n);

} // namespace qd
