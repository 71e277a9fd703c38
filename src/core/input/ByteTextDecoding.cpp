#include "input/ByteTextDecoding.h"

#include <array>

namespace qd::input_text {

namespace {

// The byte a character stands for when text is read one byte per character, or -1.
int ByteOf(char16_t c) {
    return UnicodeToCp1252(c);
}

struct Typographic {
    unsigned char second;
    unsigned char third;
    const char16_t* replacement;
};

// Three-byte sequences starting with byte 226.
constexpr std::array<Typographic, 11> kTypographic = {{
    {128, 152, u"'"},     // left single quotation mark
    {128, 153, u"'"},     // right single quotation mark
    {128, 156, u"\""},    // left double quotation mark
    {128, 157, u"\""},    // right double quotation mark
    {128, 144, u"-"},     // hyphen
    {128, 147, u"-"},     // en dash
    {128, 148, u" -- "},  // em dash
    {148, 128, u" -- "},  // box-drawing horizontal line
    {128, 166, u"..."},   // horizontal ellipsis
    {128, 162, u" . "},   // bullet
    {128, 134, u" ... "}, // six-per-em space
}};

} // namespace

ustring DecodeUtf8Pairs(ustring_view s) {
    ustring out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const char16_t lead = s[i];
        if ((lead == 194 || lead == 195) && i + 1 < s.size()) {
            const int c = ByteOf(s[i + 1]);
            if (lead == 194 && c >= 128 && c <= 159) {
                ++i; // the C1 controls are dropped
                continue;
            }
            if (lead == 194 && c >= 160 && c <= 191) {
                out.push_back(char16_t(c));
                ++i;
                continue;
            }
            if (lead == 195 && c >= 128 && c <= 191) {
                out.push_back(char16_t(c + 64));
                ++i;
                continue;
            }
        }
        out.push_back(lead);
    }
    return out;
}

ustring ReplaceTypographicUtf8(ustring_view s) {
    ustring out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == 226 && i + 2 < s.size()) {
            const int second = ByteOf(s[i + 1]);
            const int third = ByteOf(s[i + 2]);
            bool replaced = false;
            for (const auto& t : kTypographic) {
                if (t.second == second && t.third == third) {
                    out += t.replacement;
                    i += 2;
                    replaced = true;
                    break;
                }
            }
            if (replaced) continue;
        }
        out.push_back(s[i]);
    }
    return out;
}

} // namespace qd::input_text
