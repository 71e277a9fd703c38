#pragma once
// One pass over a finished count, alphabetically or by frequency, handing each line to a
// sink: the output file, or the listing output (the output box, standard output).

#include "count/ErrorReport.h"
#include "table/ListingFormat.h"
#include "table/ListingSink.h"
#include "text/UString.h"

#include <cstdint>

namespace qd {

struct RunState;

enum class ListingPassEnd { Completed, Stopped, OutputBoxFull, Failed };

// The lines the output box takes between two tests of its limit.
inline constexpr int kLinesPerBatch = 20;

// ListWordsAlphabetically (WordOrder 1) or ListWordsByFrequency: sets the column widths
// (rankWidth, freqWidth), writes the header and the listed entries to sink, yielding
// after every entry and leaving early when stopRequested is set. A full output box is reported with
// ReportError -6, a failed write with the sink's error; both end the pass.
ListingPassEnd RunListingPass(RunState& run, ListingSink& sink, bool commas);

// The layout a pass uses for the run's current statistics and display format.
ListingLayout CurrentListingLayout(const RunState& run, bool commas);

// The arrow the twirler shows for a line: left, up, right, down by index mod 4.
ustring_view TwirlerChar(int32_t index);

} // namespace qd
