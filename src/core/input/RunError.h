#pragma once
// An unexpected error of a run as the program reports it: a number in the program's own
// numbering (70 is "Permission denied", which the run explains specially) and a description.

#include "support/UString.h"

namespace qd {

inline constexpr int kErrPermissionDenied = 70;
inline constexpr int kErrPathNotFound = 76;

struct RunError {
    int number = 0; // 0: no error
    ustring description;
};

// The error for a system error code (errno).
RunError ErrorFromErrno(int errnum);

} // namespace qd
