#pragma once
// Text bound for a terminal. Anything the program prints may carry text from outside (a
// settings file, a file name, a command-line argument), and a control character in it could
// move the cursor, retitle the window or worse: every control character but the line end is
// written visibly instead, as \xHH.

#include "text/UString.h"

#include <string>
#include <string_view>

namespace qd::cli {

// UTF-8 with LF line ends (a CR or a CR LF becomes one LF); tabs, the other C0 controls,
// DEL and the C1 controls (U+0080 to U+009F) become \xHH.
std::string TerminalText(ustring_view text);
// The same for UTF-8 text (an argument, a system message); invalid bytes become U+FFFD.
std::string TerminalText(std::string_view utf8);

// TerminalText appended to out, so that a caller writing many lines can reuse its buffer.
void AppendTerminalText(ustring_view text, std::string& out);

} // namespace qd::cli
