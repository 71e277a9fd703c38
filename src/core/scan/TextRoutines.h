#pragma once
// Character-level routines shared by the scanner, the ignore rules and the input readers.
//
// Lines arrive here as read one byte per character through Windows-1252, so "the byte x" below
// means the character whose Windows-1252 code is x (the byte 146 is U+2019, the byte 195 is Ã).
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

// Decodes the two-byte UTF-8 forms of the characters 0x80 to 0xFF in text read byte by byte,
// in two left-to-right passes: first the bytes 194 c (c from 160 to 191) become the character
// c and the bytes 194 c (c from 128 to 159) vanish; then the bytes 195 c (c from 128 to 191)
// become the character c + 64. Every other byte stays, longer UTF-8 sequences included; a lead
// byte not followed by a byte of its range stays and decoding goes on after it.
ustring DecodeUtf8Pairs(ustring_view s);
void DecodeUtf8PairsInPlace(ustring& s);

// Replaces the UTF-8 bytes of typographic punctuation: the single quotation marks by "'", the
// double ones by a double quote, hyphen and en dash by "-", em dash and box-drawing line by
// " -- ", horizontal ellipsis by "...", bullet by " . ", six-per-em space by " ... ".
ustring ReplaceTypographicUtf8(ustring_view s);
void ReplaceTypographicUtf8InPlace(ustring& s);

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
