#pragma once
// The distinct words of a count with their occurrence counts, numbered from 1.
//
// Built to hold millions of words in little memory: each entry is 32 bytes, and the characters
// of the words (each followed by its sort key where that differs) lie in large blocks of their
// own, so no word costs an allocation. Looking a word up goes through a flat hash index (open
// addressing, the hash kept beside the slot so that most probes never touch a word), so it
// costs the same however large the table grows.
//
// A new entry is appended at the next slot; entries never move while words are counted. The
// numbering (entry 1, 2, ...) is a permutation over the slots: while words arrive it is
// ascending by word in code-unit order, rebuilt lazily the first time an entry is read after new
// words came in. The ordering routines reorder the numbering with swapEntries, then store the
// entries in it (storeInOrder), so that the passes over a finished table read memory in order.

#include "text/UString.h"

#include <cassert>
#include <cstdint>
#include <memory>
#include <vector>

namespace qd {

inline constexpr int32_t MaxStoredWordLength = 80;
inline constexpr int32_t kTableGrowthStep = 500;

class WordTable;

struct WordEntry {
    int64_t Count = 0; // occurrences: 64 bits, whatever the size of the text
    ustring_view word() const { return {text_, wordLength_}; }
    // The alphabetical key (accents folded, lower case).
    ustring_view sortKey() const {
        return keyLength_ == 0 ? word() : ustring_view(text_ + wordLength_, keyLength_);
    }

private:
    friend class WordTable;
    const char16_t* text_ = nullptr; // the word, followed by its key when that differs

public:
    int32_t Rank = 0;
    int32_t NextByFrequency = 0;
    bool Listed = false;

private:
    uint8_t wordLength_ = 0;
    uint8_t keyLength_ = 0; // 0: the word is its own key
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
    // several files, and each entry counts the distinct files it occurs in (filesOf). 0, the
    // default, keeps no such count.
    void setFileIndex(int32_t index) { fileIndex_ = index; }

    // The number of entries in use.
    int32_t size() const { return size_; }
    // The highest usable index: 500, raised by 500 whenever a new word finds the table full.
    int32_t capacity() const { return capacity_; }

    // Entry i, 1 <= i <= size().
    WordEntry& operator[](int32_t i) { return at(orderedSlot(i)); }
    const WordEntry& operator[](int32_t i) const { return at(orderedSlot(i)); }
    // In how many files of a count of several entry i occurs (1 outside such a count).
    int32_t filesOf(int32_t i) const;

    // Records one occurrence of word. A word longer than 80 characters is not stored.
    // A new entry has Count 1, Listed true and its sort key set. slot, when given, receives
    // the word's place in the store (-1 when too long), for addAgain; it stays valid until
    // the table is cleared or stored in order.
    AddResult add(ustring_view word, int32_t* slot = nullptr);
    // Records one more occurrence of the word stored at slot, as add would.
    void addAgain(int32_t slot) {
        assert(slot >= 0 && slot < size_);
        ++at(slot).Count;
        if (fileIndex_ != 0) countFile(slot);
    }

    // Searches entries 1..n by word, halving as the program always has. Found: pos is the
    // entry. Not found: pos is minus the insertion position (-1 before the first entry,
    // -(n + 1) after the last; -1 when n is 0).
    bool BinarySearchEntries(ustring_view key, int32_t n, int32_t& pos) const;

    // Exchanges the places of entries i and j (whole records, as far as numbering goes).
    void swapEntries(int32_t i, int32_t j);

    // Moves the entries so that entry i is in slot i - 1, in place, and lets the word index go
    // until a word is added again. Every slot handed out before is then out of date. With
    // charactersToo the words' characters are copied into new blocks in the same order (for
    // a moment the table holds them twice).
    void storeInOrder(bool charactersToo = true);

private:
    static constexpr int kEntryBlockBits = 12;
    static constexpr int32_t kEntriesPerBlock = 1 << kEntryBlockBits;
    static constexpr size_t kCharsPerBlock = size_t(1) << 16;
    struct FileTally {
        int32_t files = 1;
        int32_t last = 0;
    };

    WordEntry& at(int32_t slot) {
        return entries_[size_t(slot) >> kEntryBlockBits][size_t(slot) & (kEntriesPerBlock - 1)];
    }
    const WordEntry& at(int32_t slot) const {
        return entries_[size_t(slot) >> kEntryBlockBits][size_t(slot) & (kEntriesPerBlock - 1)];
    }
    void countFile(int32_t slot);
    // Room for n characters that never move.
    char16_t* allocateChars(size_t n);
    static uint32_t HashOf(ustring_view s);
    // The store slot of word, or -1.
    int32_t find(ustring_view word, uint32_t hash) const;
    void insertIndex(uint32_t hash, int32_t slot);
    void growIndex();
    void rebuildIndex();

    size_t orderedSlot(int32_t i) const;
    void rebuildOrder() const;

    std::vector<std::unique_ptr<WordEntry[]>> entries_; // blocks of kEntriesPerBlock
    std::vector<std::unique_ptr<char16_t[]>> chars_;    // blocks of kCharsPerBlock
    size_t charsLeft_ = 0;                              // unused at the end of the last block
    int32_t size_ = 0;
    bool asciiOnly_ = true;        // every word is ASCII
    std::vector<FileTally> files_; // by slot, as far as any file index was set
    // Word -> store slot: each cell holds the word's hash in its high half and slot + 1 in its
    // low half (0 is an empty cell). A power of two in size, at most half full; empty after
    // storeInOrder until the next add.
    std::vector<uint64_t> index_;
    mutable std::vector<int32_t> order_; // entry number - 1 -> store slot
    mutable bool orderStale_ = false;    // words arrived since the numbering was last built
    mutable bool wordOrdered_ = true;    // the numbering follows the words (no reordering since)
    int32_t capacity_ = kTableGrowthStep;
    int32_t fileIndex_ = 0;
};

static_assert(sizeof(WordEntry) <= 32, "a million distinct words must fit in 32 MB of entries");
// A sort key is at most twice as long as its word (a letter may fold to two).
static_assert(2 * MaxStoredWordLength <= 255, "word and key lengths are held in a byte");

} // namespace qd
