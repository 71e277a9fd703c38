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

} // namespace qd
