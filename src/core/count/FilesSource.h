#pragma once
// The source of a count of several inputs: every named file, and every file a named folder
// holds that the program reads, counted into the one word table, each with the comment
// markers of its extension and its own encoding.

#include "count/RunSteps.h"

namespace qd {

struct InputSettings;
struct RunState;

// True when the input settings name more than one input, or a folder.
bool CountsSeveralFiles(const InputSettings& input);

// CountFromFiles: vets each named input as a count of one does, refusing with the same
// messages (run.current.refusedInputs counts them) and counting the others; the files of a
// folder that vetting refuses are skipped, and told in one notice after reading. The files
// and folders of a folder that cannot be read are named in one message before reading, and
// refused as named inputs are. The
// encoding question is never asked: each file is read in the encoding it is detected in,
// or as UTF-8 for all when UTF8 is set. Refused when nothing could be counted.
SourceResult CountFromFiles(RunState& run, ErrorInfo& outputError);

} // namespace qd
