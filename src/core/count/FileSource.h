#pragma once
// The file source of a count run: a text file read line by line, or the text of a docx
// document, into the word table.

#include "count/RunSteps.h"

namespace qd {

struct RunState;

// CountFromFile: checks the input file (text or docx) and asks what must be asked (the
// encoding, an output file for a large input), then, with every check passed, empties the
// output file and reads the input into the word table, under the stop protocol.
SourceResult CountFromFile(RunState& run, ErrorInfo& outputError);

enum class LargeInput { Continue, Cancel, SameAsInput };

// The advice to name an output file for an input of size bytes above 204800 when none is
// named; the person may choose one now (never one of the inputs).
LargeInput AdviseOutputFile(RunState& run, int64_t size);

// The end of reading a file: the progress bar and the live-display box back as they were.
void EndOfReading(RunState& run);

} // namespace qd
