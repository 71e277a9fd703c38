#pragma once
// The characters of a line read one byte per character through Windows-1252, optionally
// lower-cased on the way: one table look-up per byte instead of a conversion pass and a
// lower-casing pass.

#include "text/UString.h"

#include <string_view>

namespace qd {

// Replaces out by the Windows-1252 characters of bytes; with lowerCase, each lowered exactly
// as LowerCaseAccented lowers it (without its yields: the caller yields once per line).
void WidenCp1252(std::string_view bytes, bool lowerCase, ustring& out);

} // namespace qd
