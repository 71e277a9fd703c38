#pragma once
// The one report of an unexpected error, shown by the main window and by the routines it
// runs (count run, listing): where it happened, its number and its description.

#include "support/UString.h"

namespace qd {

struct RunState;

// The number ReportError gets when the listing's output box is full.
inline constexpr int kOutputBoxFullError = -6;

struct ErrorInfo {
    int number = 0;
    ustring description;
};

// A file-system failure (an errno value) as the program numbers and words its file errors:
// 53 "File not found", 61 "Disk full", 70 "Permission denied", 75 "Path/File access error",
// 76 "Path not found"; anything else 57 "Device I/O error" with the system's own wording.
ErrorInfo FileErrorInfo(int errnoValue);

struct ErrorMessageText {
    ustring text;
    ustring title;
};

// The message ReportError shows. Number -6 (output box full) explains the full box and
// advises an output file unless this listing wrote one; any other number reads
// "At <where> error #<number>." and "Description: <description>".
ErrorMessageText ErrorReportText(const RunState& run, int number, ustring_view description,
                                 ustring_view where);

// Stops the elapsed-time display and shows ErrorReportText in an exclamation box.
void ReportError(RunState& run, int number, ustring_view description, ustring_view where);

} // namespace qd
