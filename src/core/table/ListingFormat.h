#pragma once
// The text of one listing line, for the output box, the output file, the command line and the
// tests alike: a pure function of the entry, the display format, the layout and the widths.

#include "scan/Settings.h"
#include "text/UString.h"

#include <cstdint>

namespace qd {

struct WordEntry;

struct ListingLayout {
    ListFormat displayFormat = ListFormat::RankFrequencyWord;
    // The comma layout of an output file written with OutputWithCommas; the text box and a
    // file without commas use the space layout.
    bool commas = false;
    int rankWidth = 6;
    int freqWidth = 6;
    int wordWidth = 6;
    int maxWordLengthFound = 0;
    // The "Files" column after the frequency: in how many files each word occurs.
    bool filesColumn = false;
    int filesWidth = 6;
};

// The column widths for a listing: the digits of the number of listed words, of the highest
// count and the longest word's length, each at least minWidth. filesCounted above 0 adds the
// "Files" column to the formats that show the frequency, as wide as that number's digits.
ListingLayout MakeListingLayout(ListFormat displayFormat, bool commas, int32_t numWordsIncluded,
                                int64_t maxFrequency, int maxWordLengthFound, int minWidth,
                                int32_t filesCounted = 0);

// Whether the format has a header line (format 9, the words joined by commas, has none).
bool HasHeaderLine(ListFormat displayFormat);

// Sets line to the header line (entry == nullptr) or to the entry's line, without a line
// end; files is the entry's number of files, for the "Files" column. The buffer is reused, so
// a long listing allocates nothing per line. Format 9 gives the bare word; joining the words
// is the writer's business.
void DisplayNextLine(const ListingLayout& layout, const WordEntry* entry, int32_t files,
                     ustring& line);

} // namespace qd
