#pragma once
// Named and numeric character entities of HTML and PHP sources: the known ones are decoded
// before a line is scanned; the rest are skipped by the ("&", ";") marker pair.

#include "text/UString.h"

#include <array>

namespace qd {

struct EntityEntry {
    const char16_t* entity; // "&eacute;"
    char16_t character;
};

// "&copy;", "&amp;", "&nbsp;" and "&#160;" (a plain space), "&#8212;" (em dash), and the
// HTML 4 names of the Latin-1 letters 0xC0 to 0xFF other than × and ÷. "&quot;" is decoded
// besides these.
const std::array<EntityEntry, 67>& EntityTable();

// Decodes the known entities in one left-to-right pass: at each "&" the text up to the next
// ";" is replaced when it is "&quot;" or an entity of the table (case-sensitive), and scanning
// goes on right after the replacement; otherwise the whole stretch up to that ";" is kept and
// skipped, any "&" inside it included. Stops at an "&" with no ";" after it.
ustring DecodeEntities(ustring_view s);
void DecodeEntitiesInPlace(ustring& s);

// The longest entity decoded ("&Aacute;" and the like).
constexpr size_t kLongestEntity = 8;

// The same for one part of a line that goes on in further parts. skipToSemicolon carries an
// "&" whose ";" has not come yet from one part to the next: up to that ";" nothing is decoded.
// The caller keeps an "&" closer than kLongestEntity to the end of a part for the next part,
// since the ";" that would make it an entity may open that one.
void DecodeEntitiesInPlace(ustring& s, bool& skipToSemicolon);

// How far an entity at the start of s reaches: 0 when s is shorter than 4 characters or does
// not begin with "&"; 1 when it begins with "&#"; otherwise the 1-based position of the first
// ";" when that is at most 20, no space comes before it and the second character is a letter
// (or "#"); else 0.
int IsEntityAt(ustring_view s);

} // namespace qd
