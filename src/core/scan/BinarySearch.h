#pragma once
// The program's binary search over a sorted, 1-based sequence of strings, compared by code
// units. Found: pos is the element. Not found: pos is minus the insertion position (-1 before
// the first element, -(n + 1) after the last, -1 when n is 0).

#include "text/UString.h"

#include <cstdint>
#include <vector>

namespace qd {

// element(i) returns the i-th string (1 <= i <= n) as something comparable with ustring_view.
template <typename ElementAt>
bool BinarySearchSorted(ustring_view key, int32_t n, int32_t& pos, ElementAt element) {
    if (n <= 0) {
        pos = -1;
        return false;
    }
    if (key < element(1)) {
        pos = -1;
        return false;
    }
    if (key > element(n)) {
        pos = -(n + 1);
        return false;
    }
    if (n == 1) {
        pos = 1;
        return true;
    }
    int32_t lo = 1, hi = n, mid = n / 2;
    for (;;) {
        const ustring_view e = element(mid);
        if (e == key) {
            pos = mid;
            return true;
        }
        if (key > e) {
            if (mid == hi) {
                pos = -(hi + 1);
                return false;
            }
            lo = mid + 1;
            mid = mid + (hi - mid + 1) / 2;
        } else {
            if (mid == lo) {
                pos = -lo;
                return false;
            }
            hi = mid - 1;
            mid = mid - (mid - lo + 1) / 2;
        }
    }
}

// Searches strings[0 .. n-1] (the program's elements 1..n), comparing the key with each
// element from its 1-based character position start onward.
bool BinarySearchStrings(ustring_view key, const std::vector<ustring>& strings, int32_t n,
                         int32_t& pos, int32_t start = 1);

} // namespace qd
