#include "text/Utf8Decoding.h"

#include "text/Nfc.h"

#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <cstring>

namespace qd {

namespace {

// What a typographic punctuation character becomes; null for any other character.
const char16_t* TypographicReplacement(UChar32 c) {
    switch (c) {
    case 0x2018: // left and right single quotation marks
    case 0x2019:
        return u"'";
    case 0x201C: // left and right double quotation marks
    case 0x201D:
        return u"\"";
    case 0x2010: // hyphen, en dash
    case 0x2013:
        return u"-";
    case 0x2014: // em dash, box-drawing horizontal line
    case 0x2500:
        return u" -- ";
    case 0x2026: // horizontal ellipsis
        return u"...";
    case 0x2022: // bullet
        return u" . ";
    case 0x2006: // six-per-em space
        return u" ... ";
    default:
        return nullptr;
    }
}

} // namespace

void DecodeUtf8(std::string_view bytes, ustring& out) {
    out.clear();
    out.reserve(bytes.size());
    const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
    const int64_t n = int64_t(bytes.size());
    bool composing = false;
    for (int64_t i = 0; i < n;) {
        if (s[i] < 0x80) {
            out.push_back(char16_t(s[i++]));
            continue;
        }
        const int64_t start = i;
        UChar32 c;
        U8_NEXT(s, i, n, c);
        if (c < 0) { // the lead stays what it was; the next byte starts afresh
            out.push_back(Cp1252ToUnicode(s[start]));
            i = start + 1;
        } else if (c <= 0x9F) {
            // C1 controls vanish
        } else if (c <= 0xFFFF) {
            if (const char16_t* r = TypographicReplacement(c)) {
                out.append(r);
            } else {
                out.push_back(char16_t(c));
                composing = composing || c >= 0x0300;
            }
        } else {
            out.push_back(U16_LEAD(c));
            out.push_back(U16_TRAIL(c));
            composing = true;
        }
    }
    if (composing) ToNfcInPlace(out);
}

ustring DecodeUtf8(std::string_view bytes) {
    ustring out;
    DecodeUtf8(bytes, out);
    return out;
}

bool LooksUtf8(std::string_view bytes, bool cutOff) {
    const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
    const int64_t n = int64_t(bytes.size());
    bool beyondAscii = false;
    for (int64_t i = 0; i < n;) {
        // Text is mostly ASCII: pass it eight bytes at a time.
        while (i + 8 <= n) {
            uint64_t word;
            std::memcpy(&word, s + i, 8);
            if (word & 0x8080808080808080u) break;
            i += 8;
        }
        if (i >= n) break;
        if (s[i] < 0x80) {
            ++i;
            continue;
        }
        beyondAscii = true;
        const uint8_t lead = s[i];
        UChar32 c;
        U8_NEXT(s, i, n, c);
        // A sequence broken off by the end leaves i there; a bad byte stops it before.
        if (c < 0) return cutOff && i == n && lead >= 0xC2 && lead <= 0xF4;
    }
    return beyondAscii;
}

} // namespace qd
