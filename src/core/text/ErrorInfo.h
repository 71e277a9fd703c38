#pragma once
// An error as the program numbers and words it: the number its messages show and a
// description.

#include "text/UString.h"

namespace qd {

struct ErrorInfo {
    int number = 0;
    ustring description;
};

// A file-system failure (an errno value) as the program numbers and words its file errors:
// 53 "File not found", 61 "Disk full", 70 "Permission denied", 75 "Path/File access error"
// (with the system's wording for a read-only file system or a name too long), 76 "Path not
// found"; anything else 57 "Device I/O error" with the system's own wording.
ErrorInfo FileErrorInfo(int errnoValue);

} // namespace qd
