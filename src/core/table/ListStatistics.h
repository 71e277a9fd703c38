#pragma once
// What the post-count steps find out about a counted table, and the listing's layout takes
// from it: the words listed and left out, the occurrences counted, the highest count and the
// longest word, and the column widths.

#include <cstdint>

namespace qd {

struct ListStatistics {
    int thresholdFrequency = 2; // words counted fewer times are left out, when asked
    int minWidth = 6;           // the narrowest rank, frequency and word columns
    int rankWidth = 6;
    int freqWidth = 6;
    int maxWordLength = 0;
    int32_t wordsIncluded = 0;
    int32_t wordsExcluded = 0;
    int64_t maxFrequency = 0;
    int64_t occurrences = 0;    // of the listed words
    int32_t firstFrequency = 0; // the entry ranked first, where the frequency chain starts
    int32_t filesCounted = 0;   // the files a count of several read; 0 for one input
};

} // namespace qd
