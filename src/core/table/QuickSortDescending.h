#pragma once
// The program's quicksort: descending, pivot in the middle, then the range reversed. Entries
// with equal keys end up wherever these exact steps put them, and listings depend on that, so
// the steps are kept as they are. Only the recursion differs: the smaller part is sorted by a
// call and the larger one by the loop, which keeps the stack shallow and changes nothing
// else, since the two parts never overlap.

#include "text/UString.h"

#include <cstdint>

namespace qd::detail {

// keyAt(i) returns the key of element i as a ustring_view; swapAt(i, j) exchanges elements.
template <typename KeyAt, typename SwapAt>
void QuickSortDescending(int32_t lo, int32_t hi, KeyAt& keyAt, SwapAt& swapAt, ustring& pivot) {
    while (lo < hi) {
        // The pivot is copied: swapping may move the characters a view would point to.
        pivot.assign(keyAt(lo + (hi - lo) / 2));
        const ustring_view p = pivot;
        int32_t i = lo, j = hi;
        while (i <= j) {
            while (i < hi && keyAt(i) > p)
                ++i;
            while (j > lo && keyAt(j) < p)
                --j;
            if (i <= j) {
                if (i < j) swapAt(i, j);
                ++i;
                --j;
            }
        }
        if (j - lo < hi - i) {
            if (lo < j) QuickSortDescending(lo, j, keyAt, swapAt, pivot);
            if (!(i < hi)) return;
            lo = i;
        } else {
            if (i < hi) QuickSortDescending(i, hi, keyAt, swapAt, pivot);
            if (!(lo < j)) return;
            hi = j;
        }
    }
}

template <typename KeyAt, typename SwapAt>
void SortAscendingByReversal(int32_t lo, int32_t hi, KeyAt keyAt, SwapAt swapAt) {
    if (lo >= hi) return;
    ustring pivot;
    QuickSortDescending(lo, hi, keyAt, swapAt, pivot);
    for (int32_t a = lo, b = hi; a < b; ++a, --b)
        swapAt(a, b);
}

// The part of key from the 1-based position start on.
inline ustring_view KeyFrom(ustring_view key, int32_t start) {
    const size_t skip = start > 1 ? size_t(start - 1) : 0;
    return skip < key.size() ? key.substr(skip) : ustring_view();
}

} // namespace qd::detail
