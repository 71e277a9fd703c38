#pragma once
// Whether two paths name one file, so that a count never writes its list over its input.

#include "text/UString.h"

namespace qd {

// True when both paths lead to the same file: the same file on disk when both exist (links
// and hard links included), else the same place once links and "." and ".." are resolved
// (relative paths against the current folder). Letter case always matters. Empty paths
// name no file.
bool SameFile(ustring_view a, ustring_view b);

} // namespace qd
