#pragma once
// Character-level routines shared by the scanner, the ignore rules and the input readers.
//
// Every routine runs in time linear in the length of its text; the in-place variants reuse the
// caller's buffer and are the ones the per-line path uses.

#include "text/UString.h"

#include <cstddef>

namespace qd {

inline constexpr size_t npos = ustring_view::npos;

// Removes backspaces; turns each CR LF pair into one space and each remaining CR, LF, form
// feed, no-break space and tab into a space. The text shrinks only by the removed backspaces
// and the merged CR LF pairs.
ustring CleanLine(ustring_view s);
void CleanLineInPlace(ustring& s);

// --- Search and removal on character sets (positions 0-based) ---

// The first position at or after start whose character occurs in set, npos when there is none
// or s or set is empty. indexInSet (when given) receives the character's index in set.
size_t FindFirstOf(ustring_view s, size_t start, ustring_view set, size_t* indexInSet = nullptr);

// The first position at or after start whose character is not in set; s.size() when every
// remaining character is in set; npos for an empty s; 0 for an empty set.
size_t FindFirstNotOfOrEnd(ustring_view s, size_t start, ustring_view set);

// As FindFirstNotOfOrEnd, but npos when every remaining character is in set.
size_t FindFirstNotOf(ustring_view s, size_t start, ustring_view set);

// The first position after p whose character is not a space, npos when there is none.
inline size_t FirstNonSpaceAfter(ustring_view s, size_t p) {
    for (size_t i = p + 1; i < s.size(); ++i)
        if (s[i] != u' ') return i;
    return npos;
}

// Removes every character of set found at or after start.
void RemoveAllOf(ustring& s, ustring_view set, size_t start = 0);

// The first n characters of s; empty for n <= 0, s itself when n reaches its length.
ustring_view LeftPart(ustring_view s, long long n);

} // namespace qd
