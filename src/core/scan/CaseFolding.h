#pragma once
// Lower-casing that knows the accented capitals, and accent folding for the alphabetical key.

#include "text/UString.h"

namespace qd {

class Yielder;

// Lower-cases s. The thirty accented capitals "ŠŸÀÁÂÃÄÅÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝ" become their
// small letters, each followed by one yield (when a yielder is given); every other character
// follows the ordinary lower-case mapping.
ustring LowerCaseAccented(ustring_view s, Yielder* yield = nullptr);
void LowerCaseAccentedInPlace(ustring& s, Yielder* yield = nullptr);

// Replaces Œ Ä Æ Ö Ü ä æ ö ü ß by two letters (Oe, Ae, ..., ss), then the other accented
// letters by their plain letters (é -> e, Ñ -> N, Ð -> D). The small eth stays.
ustring FoldAccents(ustring_view s);

// The alphabetical key of a word: LowerCaseAccented(FoldAccents(word)).
ustring SortKeyOf(ustring_view word);

// Whether word is its own sort key for certain: nothing beyond ASCII and no capital, the
// only characters folding or lowering changes.
bool IsOwnSortKey(ustring_view word);

// The ordinary lower-case mapping of one character (no yield).
char16_t LowerChar(char16_t c);

} // namespace qd
