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
