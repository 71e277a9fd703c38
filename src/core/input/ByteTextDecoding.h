#pragma once
// The two decoding steps the input readers apply to text read one character per byte: the
// two-byte UTF-8 sequences of U+0080..U+00FF become their characters (U+0080..U+009F vanish),
// and typographic punctuation becomes plain ASCII. Longer UTF-8 sequences stay as they are.
// Both run in one pass over the text.

#include "support/UString.h"

namespace qd::input_text {

ustring DecodeUtf8Pairs(ustring_view s);
ustring ReplaceTypographicUtf8(ustring_view s);

} // namespace qd::input_text
