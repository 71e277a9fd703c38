#pragma once
// The distinct words of a count with their occurrence counts. Entries are numbered from 1;
// while words are being added, entry order is ascending by Word in code-unit order.

#include "support/UString.h"

#include <cstdint>
#include <vector>

namespace qd {

inline constexpr int32_t MaxStoredWordLength = 80;
inline constexpr int32_t kTableGrowthStep = 500;

struct WordEntry {
    ustring Word;
    ustring SortKey;
    int32_t Count = 0;
    int32_t Rank = 0;
    int32_t NextByFrequency = 0;
    bool Listed = false;
};

class WordTable {
public:
    enum class AddResult { TooLong, Repeated, New };

    WordTable();

    // Empties the table; capacity returns to 500 entries.
    void clear();

    // lngNumWords: the number of entries in use.
    int32_t size() const;
    // The highest usable index; grows in steps of 500 as words arrive.
    int32_t capacity() const;

    // Entry i, 1 <= i <= size().
    WordEntry& operator[](int32_t i);
    const WordEntry& operator[](int32_t i) const;

    // Records one occurrence of word (no more than 80 characters, else TooLong).
    AddResult add(ustring_view word);

    // Searches entries 1..n by Word. Found: pos is the entry. Not found: pos is minus the
    // insertion position (-1 before the first entry, -(n + 1) after the last; -1 when n is 0).
    bool BinarySearchEntries(ustring_view key, int32_t n, int32_t& pos) const;

private:
    struct Impl;
    std::vector<WordEntry> entries_; // placeholder representation; index 0 unused
};

} // namespace qd
