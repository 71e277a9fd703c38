#pragma once
// UTF-8 bytes as the characters of a count: every well-formed sequence becomes its character,
// and the rest of the program never sees the bytes.

#include "text/UString.h"

#include <string_view>

namespace qd {

// Replaces out by the characters of bytes, normalised to NFC. Each well-formed sequence
// becomes its character (a supplementary one as a surrogate pair); the characters U+0080 to
// U+009F vanish; typographic punctuation is replaced on the way: the single quotation marks
// by "'", the double ones by a double quote, hyphen and en dash by "-", em dash and
// box-drawing line by " -- ", horizontal ellipsis by "...", bullet by " . ", six-per-em space
// by " ... ". A byte that begins no well-formed sequence stays its Windows-1252 character.
void DecodeUtf8(std::string_view bytes, ustring& out);
ustring DecodeUtf8(std::string_view bytes);

// Whether bytes are well-formed UTF-8 holding at least one byte above 127. With cutOff,
// bytes are the head of something longer, and a sequence that their end cuts short counts as
// well-formed.
bool LooksUtf8(std::string_view bytes, bool cutOff);

} // namespace qd
