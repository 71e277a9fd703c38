#include "scan/WordChars.h"

#include "scan/Settings.h"

#include <algorithm>

namespace qd {

namespace {

bool IsLetterCode(unsigned b) {
    return (b >= 65 && b <= 90) || (b >= 97 && b <= 122) || (b >= 192 && b <= 214) ||
           (b >= 216 && b <= 246) || b >= 248;
}

// Whether extras holds the character whose Windows-1252 code is b.
bool ExtrasHoldCode(ustring_view extras, unsigned b) {
    const char16_t c = Cp1252ToUnicode((unsigned char)b);
    return extras.find(c) != ustring_view::npos;
}

} // namespace

bool IsWordChar(char16_t c, bool allowNumerals, ustring_view extras) {
    const unsigned b = c & 0xFF;
    if (IsLetterCode(b)) return true;
    if (allowNumerals && b >= 48 && b <= 57) return true;
    return ExtrasHoldCode(extras, b);
}

bool IsWordChar(ustring_view c, bool allowNumerals, ustring_view extras) {
    return !c.empty() && IsWordChar(c.front(), allowNumerals, extras);
}

int32_t ScanWordRun(ustring_view s, size_t start, bool allowNumerals, ustring_view extras) {
    int32_t k = 0;
    while (k < MaxWordRunLength && start + size_t(k) < s.size() &&
           IsWordChar(s[start + size_t(k)], allowNumerals, extras))
        ++k;
    return k;
}

void WordCharTable::rebuild(ustring_view extras) {
    ustring startExtras;
    for (const char16_t e : extras)
        if (ustring_view(ProhibitedInitialOrFinalChars).find(e) == ustring_view::npos)
            startExtras.push_back(e);
    for (unsigned b = 0; b < 256; ++b) {
        uint8_t cls = 0;
        if (IsLetterCode(b) || ExtrasHoldCode(extras, b)) cls |= kWord;
        if (IsLetterCode(b) || ExtrasHoldCode(startExtras, b)) cls |= kStart;
        classes_[b] = cls;
    }
    extras_.assign(extras);
    built_ = true;
}

} // namespace qd
