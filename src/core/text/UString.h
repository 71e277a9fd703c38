#pragma once
// Text in the core is held as 16-bit code units, the way the program has always seen it:
// files are read one byte per character through Windows-1252, UTF-8 is decoded afterwards.

#include <cstdint>
#include <string>
#include <string_view>

namespace qd {

using ustring = std::u16string;
using ustring_view = std::u16string_view;

// The Windows-1252 character of a byte: 0x80..0x9F map to the code page's characters
// (undefined ones keep their own code), everything else maps to the same Latin-1 code.
char16_t Cp1252ToUnicode(unsigned char byte);

// The byte whose Windows-1252 character is c, or -1 when the code page has no such character.
int UnicodeToCp1252(char16_t c);

// Decodes bytes one per character through Windows-1252.
ustring FromCp1252(std::string_view bytes);
void AppendCp1252(std::string_view bytes, ustring& out);

// Encodes as Windows-1252; a character the code page lacks becomes '?'.
std::string ToCp1252(ustring_view text);

// Proper UTF-8 conversions, for texts the program itself holds (messages, file names).
// Invalid UTF-8 becomes U+FFFD.
ustring FromUtf8(std::string_view utf8);
std::string ToUtf8(ustring_view text);
// Appends the UTF-8 of text to out, so that a caller can reuse its buffer.
void AppendUtf8(ustring_view text, std::string& out);

// Convenience for literals in the program's own texts.
inline ustring U(std::string_view utf8) {
    return FromUtf8(utf8);
}

ustring FromInt(long long n);

// s without the spaces at either end.
ustring_view TrimSpaces(ustring_view s);
// Removes the spaces at either end of text; true when there were any.
bool TrimSpacesInPlace(ustring& text);

} // namespace qd
