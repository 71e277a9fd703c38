#pragma once
// The program's quicksort: descending, pivot in the middle, then the range reversed. Entries
// with equal keys end up wherever these exact steps put them, and listings depend on that, so
// the steps are kept as they are. Only the recursion differs: the smaller part is sorted by a
// call and the larger one by the loop, which keeps the stack shallow and changes nothing
// else, since the two parts never overlap. A budget of comparisons bounds the time on orders
// crafted against the middle pivot.

#include "text/UString.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace qd::detail {

// The first four code units of a key as one number whose order is the keys' order (a key
// holds no code unit 0, so a shorter key's zero padding sorts first). Compared first, such
// numbers held side by side spare most visits to scattered keys.
inline uint64_t PrefixOf(ustring_view key) {
    uint64_t prefix = 0;
    for (size_t k = 0; k < 4; ++k)
        prefix = prefix << 16 | (k < key.size() ? key[k] : 0u);
    return prefix;
}

// keyAt(i) returns the key of element i as a ustring_view and prefixAt(i) its PrefixOf;
// swapAt(i, j) exchanges elements; tick() runs at every comparison (the yield). Each comparison
// spends one unit of budget; false when the budget ran out, the range then left in some order of
// its elements.
template <typename KeyAt, typename PrefixAt, typename SwapAt, typename Tick>
bool QuickSortDescending(int32_t lo, int32_t hi, KeyAt& keyAt, PrefixAt& prefixAt, SwapAt& swapAt,
                         Tick& tick, ustring& pivot, int64_t& budget) {
    auto compare = [&] {
        tick();
        return --budget >= 0;
    };
    while (lo < hi) {
        // The pivot is copied: swapping may move the characters a view would point to.
        pivot.assign(keyAt(lo + (hi - lo) / 2));
        const ustring_view p = pivot;
        const uint64_t pp = PrefixOf(p);
        auto greater = [&](int32_t k) {
            const uint64_t q = prefixAt(k);
            return q != pp ? q > pp : keyAt(k) > p;
        };
        auto less = [&](int32_t k) {
            const uint64_t q = prefixAt(k);
            return q != pp ? q < pp : keyAt(k) < p;
        };
        int32_t i = lo, j = hi;
        while (i <= j) {
            while (i < hi && compare() && greater(i))
                ++i;
            while (j > lo && compare() && less(j))
                --j;
            if (budget < 0) return false;
            if (i <= j) {
                if (i < j) swapAt(i, j);
                ++i;
                --j;
            }
        }
        if (j - lo < hi - i) {
            if (lo < j && !QuickSortDescending(lo, j, keyAt, prefixAt, swapAt, tick, pivot, budget))
                return false;
            if (!(i < hi)) return true;
            lo = i;
        } else {
            if (i < hi && !QuickSortDescending(i, hi, keyAt, prefixAt, swapAt, tick, pivot, budget))
                return false;
            if (!(lo < j)) return true;
            hi = j;
        }
    }
    return true;
}

// The comparisons a range of n elements may take before the quicksort gives way:
// 4 n ceil(log2 n) + 64. Natural texts stay far below it.
inline int64_t SortBudget(int64_t n) {
    int64_t log2 = 0;
    while ((int64_t(1) << log2) < n)
        ++log2;
    return 4 * n * log2 + 64;
}

// Puts the elements of lo..hi in the order given: order[k] is the position (at the call) of
// the element that goes to lo + k. Exchanges through swapAt, at most one per element.
template <typename SwapAt>
void ApplyOrder(int32_t lo, const std::vector<int32_t>& order, SwapAt& swapAt) {
    const size_t n = order.size();
    std::vector<int32_t> positionOf(n), elementAt(n); // by element (its first position - lo)
    for (size_t k = 0; k < n; ++k)
        positionOf[k] = elementAt[k] = int32_t(k);
    for (size_t k = 0; k < n; ++k) {
        const int32_t e = order[k] - lo;
        const int32_t p = positionOf[size_t(e)];
        if (p == int32_t(k)) continue;
        swapAt(lo + int32_t(k), lo + p);
        const int32_t displaced = elementAt[k];
        positionOf[size_t(displaced)] = p;
        elementAt[size_t(p)] = displaced;
        positionOf[size_t(e)] = int32_t(k);
        elementAt[k] = e;
    }
}

// Sorts lo..hi ascending by key, then by tieAt(i), in n log n. Returns the comparisons made.
template <typename KeyAt, typename TieAt, typename SwapAt, typename Tick>
int64_t SortByKeyThenTie(int32_t lo, int32_t hi, KeyAt& keyAt, TieAt& tieAt, SwapAt& swapAt,
                         Tick& tick) {
    std::vector<int32_t> order(size_t(hi - lo + 1));
    for (size_t k = 0; k < order.size(); ++k)
        order[k] = lo + int32_t(k);
    int64_t comparisons = 0;
    std::sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
        tick();
        ++comparisons;
        const int c = keyAt(a).compare(keyAt(b));
        return c != 0 ? c < 0 : tieAt(a) < tieAt(b);
    });
    ApplyOrder(lo, order, swapAt);
    return comparisons;
}

// Sorts lo..hi ascending by key: the program's descending quicksort, then the range
// reversed. Should the quicksort exhaust its budget (a crafted order), the whole range is
// sorted again in n log n by key, then by tieAt(i) (the word itself). Returns the number of
// comparisons made.
template <typename KeyAt, typename PrefixAt, typename TieAt, typename SwapAt, typename Tick>
int64_t SortAscendingByReversal(int32_t lo, int32_t hi, KeyAt keyAt, PrefixAt prefixAt, TieAt tieAt,
                                SwapAt swapAt, Tick tick) {
    if (lo >= hi) return 0;
    ustring pivot;
    const int64_t budget = SortBudget(int64_t(hi) - lo + 1);
    int64_t left = budget;
    if (QuickSortDescending(lo, hi, keyAt, prefixAt, swapAt, tick, pivot, left)) {
        for (int32_t a = lo, b = hi; a < b; ++a, --b)
            swapAt(a, b);
        return budget - left;
    }
    return budget + SortByKeyThenTie(lo, hi, keyAt, tieAt, swapAt, tick);
}

// The part of key from the 1-based position start on.
inline ustring_view KeyFrom(ustring_view key, int32_t start) {
    const size_t skip = start > 1 ? size_t(start - 1) : 0;
    return skip < key.size() ? key.substr(skip) : ustring_view();
}

} // namespace qd::detail
