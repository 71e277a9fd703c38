#pragma once
// The two orders of a finished count: the table sorted by SortKey (alphabetical listing) and
// the frequency ranking with its chain (listing by frequency).

#include "text/UString.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace qd {

class Yielder;
struct ListStatistics;
class WordTable;

// Sorts entries lo..hi ascending by SortKey from the 1-based character position start on.
// Entries with equal keys come out in the order the program's descending quicksort followed
// by a reversal has always given them, so a listing never changes between versions; on an
// order crafted to make that quicksort quadratic, ties go by the word instead (code-unit
// order). Yields at every comparison when given a yielder. Returns the comparisons made.
int64_t SortWordTable(WordTable& table, int32_t lo, int32_t hi, int32_t start,
                      Yielder* yield = nullptr);

// The same sort over strings[lo..hi] (0-based indices), comparing from position start on.
int64_t QuickSort(std::vector<ustring>& strings, int32_t lo, int32_t hi, int32_t start);

// Gives every listed word its Rank (1, 2, ... by Count descending, equal counts in table
// order) and links the chain NextByFrequency from stats.firstFrequency. Reads Listed, Count,
// maxFrequency and wordsIncluded, so it runs after ComputeListStatistics. Yields after each
// entry (while linking only when asked) and calls markThousand at every 1000th rank linked.
void BuildFrequencyOrder(WordTable& table, ListStatistics& stats, Yielder& yield,
                         bool yieldWhileLinking, const std::function<void()>& markThousand);

} // namespace qd
