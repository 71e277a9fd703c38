#include "scan/TextRoutines.h"

#include <array>

namespace qd {

// --- CleanLine ---

void CleanLineInPlace(ustring& s) {
    size_t w = 0;
    bool afterCR = false; // the last character kept was a carriage return
    for (const char16_t c : s) {
        switch (c) {
        case 8: // a backspace vanishes and does not separate CR from LF
            continue;
        case 10:
            if (afterCR) {
                afterCR = false;
                continue;
            }
            s[w++] = u' ';
            continue;
        case 13:
            s[w++] = u' ';
            afterCR = true;
            continue;
        case 9:
        case 12:
        case 160:
            s[w++] = u' ';
            break;
        default:
            s[w++] = c;
            break;
        }
        afterCR = false;
    }
    s.resize(w);
}

ustring CleanLine(ustring_view s) {
    ustring out(s);
    CleanLineInPlace(out);
    return out;
}

// --- DecodeUtf8Pairs ---

namespace {

constexpr char16_t kLead194 = 0xC2;
constexpr char16_t kLead195 = 0xC3;
constexpr int kDelete = -2;
constexpr int kNoAction = -1;

// The Windows-1252 code of a character, -1 when the code page has none.
inline int CodeOf(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
    return UnicodeToCp1252(c);
}

// What the pair (lead, c) turns into: nothing, deletion, or the character of that code.
int Pass194Action(int c) {
    if (c >= 128 && c <= 159) return kDelete;
    if (c >= 160 && c <= 191) return c;
    return kNoAction;
}

int Pass195Action(int c) {
    return c >= 128 && c <= 191 ? c + 64 : kNoAction;
}

// Decodes every pair (lead, continuation byte) from left to right; a lead byte without one
// stays and the pass goes on with the byte after it.
void DecodePairs(ustring& s, char16_t lead, int (*action)(int)) {
    const size_t n = s.size();
    size_t w = 0;
    for (size_t i = 0; i < n;) {
        const char16_t ch = s[i];
        if (ch == lead && i + 1 < n) {
            const int a = action(CodeOf(s[i + 1]));
            if (a == kDelete) {
                i += 2;
                continue;
            }
            if (a >= 0) {
                s[w++] = char16_t(a);
                i += 2;
                continue;
            }
        }
        s[w++] = ch;
        ++i;
    }
    s.resize(w);
}

} // namespace

void DecodeUtf8PairsInPlace(ustring& s) {
    bool any194 = false, any195 = false;
    for (const char16_t c : s) {
        any194 |= c == kLead194;
        any195 |= c == kLead195;
    }
    if (any194) DecodePairs(s, kLead194, Pass194Action);
    if (any195) DecodePairs(s, kLead195, Pass195Action);
}

ustring DecodeUtf8Pairs(ustring_view s) {
    ustring out(s);
    DecodeUtf8PairsInPlace(out);
    return out;
}

// --- ReplaceTypographicUtf8 ---

namespace {

struct Typographic {
    unsigned char second, third;
    const char16_t* replacement;
};

// The three-byte forms all begin with the byte 226. No two can overlap and no replacement
// forms a new one, so one pass gives the same text as replacing each form in turn.
constexpr std::array<Typographic, 11> kTypographic = {{
    {128, 152, u"'"},
    {128, 153, u"'"},
    {128, 156, u"\""},
    {128, 157, u"\""},
    {128, 144, u"-"},
    {128, 147, u"-"},
    {128, 148, u" -- "},
    {148, 128, u" -- "},
    {128, 166, u"..."},
    {128, 162, u" . "},
    {128, 134, u" ... "},
}};

constexpr char16_t kLead226 = 0xE2;

const char16_t* TypographicAt(ustring_view s, size_t i) {
    if (s[i] != kLead226 || i + 2 >= s.size()) return nullptr;
    const char16_t second = s[i + 1], third = s[i + 2];
    for (const Typographic& t : kTypographic)
        if (second == Cp1252ToUnicode(t.second) && third == Cp1252ToUnicode(t.third))
            return t.replacement;
    return nullptr;
}

} // namespace

ustring ReplaceTypographicUtf8(ustring_view s) {
    ustring out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        if (const char16_t* r = TypographicAt(s, i)) {
            out += r;
            i += 3;
        } else {
            out.push_back(s[i++]);
        }
    }
    return out;
}

void ReplaceTypographicUtf8InPlace(ustring& s) {
    if (s.find(kLead226) == ustring::npos) return;
    ustring out = ReplaceTypographicUtf8(s);
    s.swap(out);
}

// --- Search and removal ---

size_t FindFirstOf(ustring_view s, size_t start, ustring_view set, size_t* indexInSet) {
    if (s.empty() || set.empty()) return npos;
    for (size_t i = start; i < s.size(); ++i) {
        const size_t k = set.find(s[i]);
        if (k != npos) {
            if (indexInSet) *indexInSet = k;
            return i;
        }
    }
    return npos;
}

size_t FindFirstNotOfOrEnd(ustring_view s, size_t start, ustring_view set) {
    if (s.empty()) return npos;
    if (set.empty()) return 0;
    for (size_t i = start; i < s.size(); ++i)
        if (set.find(s[i]) == npos) return i;
    return s.size();
}

size_t FindFirstNotOf(ustring_view s, size_t start, ustring_view set) {
    const size_t p = FindFirstNotOfOrEnd(s, start, set);
    return p == s.size() ? npos : p;
}

void RemoveAllOf(ustring& s, ustring_view set, size_t start) {
    if (start >= s.size() || set.empty()) return;
    size_t w = start;
    for (size_t i = start; i < s.size(); ++i)
        if (set.find(s[i]) == npos) s[w++] = s[i];
    s.resize(w);
}

ustring_view LeftPart(ustring_view s, long long n) {
    if (n <= 0) return {};
    return s.substr(0, size_t(n) < s.size() ? size_t(n) : s.size());
}

} // namespace qd
