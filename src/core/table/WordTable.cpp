#include "table/WordTable.h"

#include "scan/BinarySearch.h"
#include "scan/CaseFolding.h"
#include "table/QuickSortDescending.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace qd {

namespace {

constexpr size_t kInitialIndexCells = 1024;

// The first characters of a word as one number whose order is the words' order (a word holds
// no code unit 0, so a shorter word's zero padding sorts first): nine of seven bits while
// every word is ASCII, four of sixteen otherwise. Nine letters tell most words apart.
uint64_t OrderPrefix(ustring_view word, bool ascii) {
    if (!ascii) return detail::PrefixOf(word);
    uint64_t prefix = 0;
    for (size_t k = 0; k < 9; ++k)
        prefix = prefix << 7 | (k < word.size() ? word[k] : 0u);
    return prefix;
}

bool IsAscii(ustring_view word) {
    return std::all_of(word.begin(), word.end(), [](char16_t c) { return c < 0x80; });
}

} // namespace

uint32_t WordTable::HashOf(ustring_view s) {
    // Four code units at a time, each block mixed by a multiply: most words take one or two.
    const char16_t* p = s.data();
    size_t n = s.size();
    uint64_t h = n * 0x9E3779B97F4A7C15ull;
    for (; n >= 4; p += 4, n -= 4) {
        uint64_t block;
        std::memcpy(&block, p, sizeof block);
        h = (h ^ block) * 0xBF58476D1CE4E5B9ull;
        h ^= h >> 31;
    }
    uint64_t tail = 0;
    for (size_t k = 0; k < n; ++k)
        tail |= uint64_t(p[k]) << (16 * k);
    h = (h ^ tail) * 0x94D049BB133111EBull;
    h ^= h >> 29;
    return uint32_t(h ^ (h >> 32));
}

int32_t WordTable::find(ustring_view word, uint32_t hash) const {
    const size_t mask = index_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const uint64_t cell = index_[i];
        if (cell == 0) return -1;
        if (uint32_t(cell >> 32) != hash) continue;
        const int32_t slot = int32_t(uint32_t(cell)) - 1;
        if (at(slot).word() == word) return slot;
    }
}

void WordTable::insertIndex(uint32_t hash, int32_t slot) {
    const size_t mask = index_.size() - 1;
    size_t i = hash & mask;
    while (index_[i] != 0)
        i = (i + 1) & mask;
    index_[i] = uint64_t(hash) << 32 | uint32_t(slot + 1);
}

void WordTable::growIndex() {
    std::vector<uint64_t> old(index_.size() * 2, 0);
    old.swap(index_);
    for (uint64_t cell : old)
        if (cell != 0) insertIndex(uint32_t(cell >> 32), int32_t(uint32_t(cell)) - 1);
}

void WordTable::rebuildIndex() {
    size_t cells = kInitialIndexCells;
    while (size_t(size_) * 2 > cells)
        cells *= 2;
    index_.assign(cells, 0);
    for (int32_t slot = 0; slot < size_; ++slot)
        insertIndex(HashOf(at(slot).word()), slot);
}

void WordTable::clear() {
    index_.assign(kInitialIndexCells, 0);
    entries_.clear();
    chars_.clear();
    charsLeft_ = 0;
    size_ = 0;
    asciiOnly_ = true;
    files_.clear();
    order_.clear();
    orderStale_ = false;
    wordOrdered_ = true;
    capacity_ = kTableGrowthStep;
    fileIndex_ = 0;
}

char16_t* WordTable::allocateChars(size_t n) {
    if (n > charsLeft_) {
        chars_.push_back(std::make_unique_for_overwrite<char16_t[]>(kCharsPerBlock));
        charsLeft_ = kCharsPerBlock;
    }
    char16_t* at = chars_.back().get() + (kCharsPerBlock - charsLeft_);
    charsLeft_ -= n;
    return at;
}

void WordTable::countFile(int32_t slot) {
    if (size_t(slot) >= files_.size()) files_.resize(size_t(size_));
    FileTally& tally = files_[size_t(slot)];
    if (tally.last != fileIndex_) {
        tally.last = fileIndex_;
        ++tally.files;
    }
}

int32_t WordTable::filesOf(int32_t i) const {
    const size_t slot = orderedSlot(i);
    return slot < files_.size() ? files_[slot].files : 1;
}

WordTable::AddResult WordTable::add(ustring_view word, int32_t* slotOut) {
    if (slotOut) *slotOut = -1;
    if (int32_t(word.size()) > MaxStoredWordLength) return AddResult::TooLong;
    if (index_.empty()) rebuildIndex();
    const uint32_t hash = HashOf(word);
    if (const int32_t found = find(word, hash); found >= 0) {
        addAgain(found);
        if (slotOut) *slotOut = found;
        return AddResult::Repeated;
    }
    if (size_ == capacity_) capacity_ += kTableGrowthStep;
    const int32_t slot = size_++;
    if (size_t(slot) >> kEntryBlockBits == entries_.size())
        entries_.push_back(std::make_unique<WordEntry[]>(kEntriesPerBlock));
    WordEntry& entry = at(slot);
    const ustring key = IsOwnSortKey(word) ? ustring() : SortKeyOf(word);
    char16_t* text = allocateChars(word.size() + key.size());
    std::copy(word.begin(), word.end(), text);
    std::copy(key.begin(), key.end(), text + word.size());
    entry.text_ = text;
    entry.wordLength_ = uint8_t(word.size());
    entry.keyLength_ = uint8_t(key.size());
    entry.Count = 1;
    entry.Listed = true;
    asciiOnly_ = asciiOnly_ && IsAscii(word);
    if (fileIndex_ != 0) {
        files_.resize(size_t(size_));
        files_.back().last = fileIndex_;
    }
    if (slotOut) *slotOut = slot;
    if (size_t(size_) * 2 > index_.size()) growIndex();
    insertIndex(hash, slot);
    // A word that sorts after every other one keeps the numbering valid; others make it stale.
    if (!orderStale_ && wordOrdered_ && (order_.empty() || at(order_.back()).word() < word))
        order_.push_back(slot);
    else
        orderStale_ = true;
    return AddResult::New;
}

size_t WordTable::orderedSlot(int32_t i) const {
    if (orderStale_) rebuildOrder();
    assert(i >= 1 && i <= int32_t(order_.size()));
    return size_t(order_[size_t(i - 1)]);
}

void WordTable::rebuildOrder() const {
    // Sorting by the prefixes, held side by side, spares most visits to the scattered words.
    struct Keyed {
        uint64_t prefix;
        int32_t slot;
    };
    std::vector<Keyed> keyed(static_cast<size_t>(size_));
    for (size_t k = 0; k < keyed.size(); ++k)
        keyed[k] = {OrderPrefix(at(int32_t(k)).word(), asciiOnly_), int32_t(k)};
    std::sort(keyed.begin(), keyed.end(), [this](const Keyed& a, const Keyed& b) {
        if (a.prefix != b.prefix) return a.prefix < b.prefix;
        return at(a.slot).word() < at(b.slot).word();
    });
    order_.resize(static_cast<size_t>(size_));
    for (size_t k = 0; k < order_.size(); ++k)
        order_[k] = keyed[k].slot;
    orderStale_ = false;
    wordOrdered_ = true;
}

void WordTable::swapEntries(int32_t i, int32_t j) {
    if (orderStale_) rebuildOrder();
    std::swap(order_[size_t(i - 1)], order_[size_t(j - 1)]);
    // After a reordering the numbering no longer follows Word; a later add rebuilds it.
    wordOrdered_ = false;
}

bool WordTable::BinarySearchEntries(ustring_view key, int32_t n, int32_t& pos) const {
    return BinarySearchSorted(key, n, pos,
                              [this](int32_t i) -> ustring_view { return (*this)[i].word(); });
}

void WordTable::storeInOrder(bool charactersToo) {
    // The index goes first, making room for the numbering's rebuilding.
    std::vector<uint64_t>().swap(index_);
    if (orderStale_) rebuildOrder();
    // Each cycle of the permutation is followed once: slot j takes the entry of slot order_[j],
    // which is then marked done by order_[j] = j.
    const bool tallied = !files_.empty();
    if (tallied) files_.resize(size_t(size_));
    for (int32_t k = 0; k < size_; ++k) {
        if (order_[size_t(k)] == k) continue;
        const WordEntry held = at(k);
        const FileTally heldTally = tallied ? files_[size_t(k)] : FileTally{};
        for (int32_t j = k;;) {
            const int32_t from = order_[size_t(j)];
            order_[size_t(j)] = j;
            if (from == k) {
                at(j) = held;
                if (tallied) files_[size_t(j)] = heldTally;
                break;
            }
            at(j) = at(from);
            if (tallied) files_[size_t(j)] = files_[size_t(from)];
            j = from;
        }
    }

    // The characters follow, so that a listing reads them in order too.
    if (!charactersToo) return;
    std::vector<std::unique_ptr<char16_t[]>> old;
    old.swap(chars_);
    charsLeft_ = 0;
    for (int32_t slot = 0; slot < size_; ++slot) {
        WordEntry& entry = at(slot);
        const size_t length = size_t(entry.wordLength_) + entry.keyLength_;
        char16_t* text = allocateChars(length);
        std::copy(entry.text_, entry.text_ + length, text);
        entry.text_ = text;
    }
}

} // namespace qd
