#pragma once
// Listing a finished count: to the output file (when one is named) and then to the listing
// output (the run's, else the output box), in the chosen word order and display format; and
// the count labels beside it.

#include "text/UString.h"

namespace qd {

struct RunState;

enum class ListWordsResult {
    Listed,        // the listing output holds the listing (or the no-words message)
    Stopped,       // stopRequested ended the file pass or the output-box pass
    NothingListed, // the new output path had no folder, or the file could not be written
    FileFailed,    // the listing output holds the listing, but the output file could not be
                   // completed (reported; an earlier file there is left as it was)
    Busy,          // another listing was under way; nothing was done
};

// What a listing of no words does to the output file.
enum class EmptyListing {
    EmptiesOutputFile, // replaced by an empty file: no earlier list may pass for this one's
    KeepsOutputFile,   // left as it was: the count failed before it found anything to list
};

// Writes the output file (file head, then the lines), asking first whether to overwrite it
// when WarnOnOverwrite is set, then fills the output box. When no word is listed the output
// box tells why, and the output file is as emptyListing says (asked about in the same way).
// Reads the order fields and statistics of the last count; never changes the table. A listing
// already under way (listingUnderWay) makes a second call return Busy at once.
ListWordsResult ListWords(RunState& run,
                          EmptyListing emptyListing = EmptyListing::EmptiesOutputFile);

// Fills the count labels from the statistics of the last run and stops the elapsed-time
// display.
void ShowCounts(RunState& run);

// The explanation that takes the place of an empty listing.
ustring NoWordsMessage(const RunState& run);

} // namespace qd
