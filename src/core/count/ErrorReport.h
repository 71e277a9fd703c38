#pragma once
// The one report of an unexpected error, shown by the main window and by the routines it
// runs (count run, listing): where it happened, its number and its description.

#include "text/ErrorInfo.h"
#include "text/UString.h"

namespace qd {

struct RunState;

// The number ReportError gets when the listing's output box is full.
inline constexpr int kOutputBoxFullError = -6;

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

// ReportError for the output file found unwritable before the count: the report names it.
void ReportOutputFileError(RunState& run, const ErrorInfo& error, ustring_view where);

} // namespace qd
