#pragma once
// The distinct words of a count with their occurrence counts, numbered from 1.
//
// Looking a word up goes through a flat hash index (open addressing, the hash kept beside the
// slot so that most probes never touch a word), so it costs the same however large the table
// grows, and a new word is appended to storage that never moves. The numbering (entry 1, 2, ...)
// is a permutation over that storage: while words arrive it is ascending by Word in code-unit
// order, rebuilt lazily the first time an entry is read after new words came in. The ordering
// routines reorder the numbering with swapEntries; each record is stored exactly once.

#include "text/UString.h"

#include <cassert>
#include <cstdint>
#include <deque>
#include <vector>

namespace qd {

inline constexpr int32_t MaxStoredWordLength = 80;
inline constexpr int32_t kTableGrowthStep = 500;

struct WordEntry {
    ustring Word;
    // The alphabetical key (accents folded, lower case), held only where it differs from the
    // word: most words are their own key.
    ustring SortKey;
    ustring_view sortKey() const { return SortKey.empty() ? ustring_view(Word) : SortKey; }
    int64_t Count = 0; // occurrences: 64 bits, whatever the size of the text
    int64_t Rank = 0;
    int32_t NextByFrequency = 0;
    bool Listed = false;
    // In how many files of a count of several the word occurs, and the last of them (the
    // table's file index when it was last seen); kept only while a file index is set.
    int32_t Files = 1;
    int32_t LastFile = 0;
};

class WordTable {
public:
    enum class AddResult { TooLong, Repeated, New };

    WordTable() { clear(); }
    WordTable(const WordTable&) = delete;
    WordTable& operator=(const WordTable&) = delete;
    WordTable(WordTable&&) = default;
    WordTable& operator=(WordTable&&) = default;

    // Empties the table; the highest index returns to 500 and the file index to 0.
    void clear();

    // The words added from here on come from file number index (1, 2, ...) of a count of
    // several files, and each entry counts the distinct files it occurs in (Files). 0, the
    // default, keeps no such count.
    void setFileIndex(int32_t index) { fileIndex_ = index; }

    // The number of entries in use.
    int32_t size() const { return int32_t(store_.size()); }
    // The highest usable index: 500, raised by 500 whenever a new word finds the table full.
    int32_t capacity() const { return capacity_; }

    // Entry i, 1 <= i <= size().
    WordEntry& operator[](int32_t i) { return store_[orderedSlot(i)]; }
    const WordEntry& operator[](int32_t i) const { return store_[orderedSlot(i)]; }

    // Records one occurrence of word. A word longer than 80 characters is not stored.
    // A new entry has Count 1, Listed true and its SortKey set. slot, when given, receives
    // the word's place in the store (-1 when too long), for addAgain.
    AddResult add(ustring_view word, int32_t* slot = nullptr);
    // Records one more occurrence of the word stored at slot, as add would.
    void addAgain(int32_t slot) {
        assert(slot >= 0 && slot < size());
        countAgain(store_[size_t(slot)]);
    }

    // Searches entries 1..n by Word, halving as the program always has. Found: pos is the
    // entry. Not found: pos is minus the insertion position (-1 before the first entry,
    // -(n + 1) after the last; -1 when n is 0).
    bool BinarySearchEntries(ustring_view key, int32_t n, int32_t& pos) const;

    // Exchanges the places of entries i and j (whole records, as far as numbering goes).
    void swapEntries(int32_t i, int32_t j);

private:
    void countAgain(WordEntry& entry) {
        ++entry.Count;
        if (fileIndex_ != 0 && entry.LastFile != fileIndex_) {
            entry.LastFile = fileIndex_;
            ++entry.Files;
        }
    }
    static uint32_t HashOf(ustring_view s);
    // The store slot of word, or -1.
    int32_t find(ustring_view word, uint32_t hash) const;
    void insertIndex(uint32_t hash, int32_t slot);
    void growIndex();

    size_t orderedSlot(int32_t i) const;
    void rebuildOrder() const;

    std::deque<WordEntry> store_; // never moves an element once added
    // Word -> store slot: each cell holds the word's hash in its high half and slot + 1 in its
    // low half (0 is an empty cell). A power of two in size, at most half full.
    std::vector<uint64_t> index_;
    mutable std::vector<int32_t> order_; // entry number - 1 -> store slot
    mutable bool orderStale_ = false;    // words arrived since the numbering was last built
    mutable bool wordOrdered_ = true;    // the numbering follows Word (no reordering since)
    int32_t capacity_ = kTableGrowthStep;
    int32_t fileIndex_ = 0;
};

} // namespace qd
