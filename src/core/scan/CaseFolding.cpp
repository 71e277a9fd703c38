#include "scan/CaseFolding.h"

#include "text/Yielder.h"

#include <algorithm>
#include <array>

namespace qd {

namespace {

constexpr char16_t kAccentedCapitals[] = u"ŠŸÀÁÂÃÄÅÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝ";
constexpr char16_t kTwoLetterFolds[] = u"ŒÄÆÖÜäæöüß";
constexpr char16_t kTwoLetterPairs[] = u"OeAeAeOeUeaeaeoeuess";
constexpr char16_t kAccentFolds[] = u"ŠŸÀÁÂÃÄÅÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝšÿàáâãäåçèéêëìíîïñòóôõöøùúûüý";
constexpr char16_t kAccentPlain[] = u"SYAAAAAACEEEEIIIIDNOOOOOOUUUUYsyaaaaaaceeeeiiiinoooooouuuuy";

static_assert(sizeof(kAccentedCapitals) / sizeof(char16_t) == 31);
static_assert(sizeof(kAccentFolds) / sizeof(char16_t) == 60);
static_assert(sizeof(kAccentPlain) / sizeof(char16_t) == 60);

bool IsAccentedCapital(char16_t c) {
    if (c >= 0xC0 && c <= 0xDD) return c != 0xC6 && c != 0xD7; // Æ and × are not among them
    return c == 0x160 || c == 0x178;
}

} // namespace

char16_t LowerChar(char16_t c) {
    if (c < 0x80) return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
    if (c < 0x100) return (c >= 0xC0 && c <= 0xDE && c != 0xD7) ? char16_t(c + 32) : c;
    if (c == 0x178) return 0xFF;
    if (c < 0x180) { // Latin Extended-A: capitals and small letters alternate
        if ((c <= 0x137 || (c >= 0x14A && c <= 0x177)) && c % 2 == 0 && c != 0x130)
            return char16_t(c + 1);
        if (((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) && c % 2 == 1)
            return char16_t(c + 1);
        if (c == 0x130) return u'i';
        return c;
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) // Greek
        return char16_t(c + 32);
    if (c == 0x386) return 0x3AC;
    if (c >= 0x388 && c <= 0x38A) return char16_t(c + 37);
    if (c == 0x38C) return 0x3CC;
    if (c == 0x38E || c == 0x38F) return char16_t(c + 63);
    if (c >= 0x410 && c <= 0x42F) // Cyrillic
        return char16_t(c + 32);
    if (c >= 0x400 && c <= 0x40F) return char16_t(c + 80);
    if (((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF)) && c % 2 == 0)
        return char16_t(c + 1);
    return c;
}

void LowerCaseAccentedInPlace(ustring& s, Yielder* yield) {
    char16_t* p = s.data();
    const size_t n = s.size();
    size_t i = 0;
    // Lines are mostly ASCII: blocks of a fixed length that hold only ASCII are lowered by
    // loops the compiler turns into vector instructions. Lowering is idempotent, so the last
    // block may overlap characters already lowered.
    constexpr size_t kBlock = 8;
    auto lowerAsciiBlock = [](char16_t* block) {
        unsigned high = 0;
        for (size_t k = 0; k < kBlock; ++k)
            high |= block[k] >> 7;
        if (high != 0) return false;
        for (size_t k = 0; k < kBlock; ++k)
            block[k] = char16_t(block[k] + (char16_t(block[k] - u'A') < 26 ? 32 : 0));
        return true;
    };
    while (i < n) {
        if (n >= kBlock && lowerAsciiBlock(p + std::min(i, n - kBlock))) {
            i = std::min(i, n - kBlock) + kBlock;
            continue;
        }
        const size_t end = std::min(n, i + kBlock);
        for (; i < end; ++i) {
            char16_t& c = p[i];
            if (c < 0x80) {
                if (c >= u'A' && c <= u'Z') c = char16_t(c + 32);
                continue;
            }
            const bool accented = IsAccentedCapital(c);
            c = LowerChar(c);
            if (accented && yield) (*yield)();
        }
    }
}

ustring LowerCaseAccented(ustring_view s, Yielder* yield) {
    ustring out(s);
    LowerCaseAccentedInPlace(out, yield);
    return out;
}

ustring FoldAccents(ustring_view s) {
    ustring out;
    out.reserve(s.size() + 4);
    for (char16_t c : s) {
        if (c < 0x80) {
            out.push_back(c);
            continue;
        }
        bool done = false;
        for (int k = 0; kTwoLetterFolds[k]; ++k) {
            if (kTwoLetterFolds[k] == c) {
                out.push_back(kTwoLetterPairs[2 * k]);
                out.push_back(kTwoLetterPairs[2 * k + 1]);
                done = true;
                break;
            }
        }
        if (done) continue;
        for (int k = 0; kAccentFolds[k]; ++k) {
            if (kAccentFolds[k] == c) {
                c = kAccentPlain[k];
                break;
            }
        }
        out.push_back(c);
    }
    return out;
}

ustring SortKeyOf(ustring_view word) {
    ustring key = FoldAccents(word);
    LowerCaseAccentedInPlace(key, nullptr);
    return key;
}

bool IsOwnSortKey(ustring_view word) {
    for (const char16_t c : word)
        if (c >= 0x80 || (c >= u'A' && c <= u'Z')) return false;
    return true;
}

} // namespace qd
