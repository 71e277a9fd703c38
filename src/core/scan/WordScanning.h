#pragma once
// Internal to the scanner: NextWord with the character table already brought up to date.

#include "scan/WordChars.h"
#include "text/UString.h"

namespace qd {

struct Scanner;

namespace detail {
ustring_view NextWord(Scanner& scan, const WordCharTable& chars);
} // namespace detail

} // namespace qd
