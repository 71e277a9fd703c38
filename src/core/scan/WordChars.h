#pragma once
// What counts as a character of a word. A character is classified by the low eight bits of its
// code: the Latin letters, the Latin-1 letters (not the multiplication and division signs), the
// digits when numerals are allowed, and the extra characters in force, each matched by its
// Windows-1252 code (so the apostrophe setting's U+2018 answers to the code 145).

#include "text/UString.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qd {

// A word never runs longer than this; a longer run is cut and the rest starts the next word.
inline constexpr int32_t MaxWordRunLength = 65000;

// The character test, from scratch (a look-up table is faster; see WordCharTable).
bool IsWordChar(char16_t c, bool allowNumerals, ustring_view extras);
// The test on the first character of c; false for an empty c.
bool IsWordChar(ustring_view c, bool allowNumerals, ustring_view extras);

// The number of consecutive word characters of s from position start (0-based), at most
// MaxWordRunLength; 0 when start is at or past the end.
int32_t ScanWordRun(ustring_view s, size_t start, bool allowNumerals, ustring_view extras);

// The word-character and start-character tests for one set of extra characters, by table.
// Start characters are word characters with numerals off and without the extra characters
// that may not begin a word ("'.:,()").
class WordCharTable {
public:
    // Rebuilds the tables when extras differ from those they were built for.
    void update(ustring_view extras) {
        if (!built_ || extras != extras_) rebuild(extras);
    }
    bool isWordChar(char16_t c) const { return classes_[c & 0xFF] & kWord; }
    bool isStartChar(char16_t c) const { return classes_[c & 0xFF] & kStart; }
    // ScanWordRun with numerals off and the table's extras. Inline: it runs for every word.
    int32_t scanWordRun(ustring_view s, size_t start) const {
        if (start >= s.size()) return 0;
        const size_t limit = std::min(s.size() - start, size_t(MaxWordRunLength));
        const char16_t* p = s.data() + start;
        size_t k = 0;
#if defined(__SSE2__)
        // Eight characters at a time while they are Latin letters, which are word characters
        // under every setting; the table decides from the first other character on.
        const __m128i lowerA = _mm_set1_epi16(short(u'a' - 1)),
                      lowerZ = _mm_set1_epi16(short(u'z' + 1));
        const __m128i upperA = _mm_set1_epi16(short(u'A' - 1)),
                      upperZ = _mm_set1_epi16(short(u'Z' + 1));
        for (; k + 8 <= limit; k += 8) {
            const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k));
            const __m128i lower =
                _mm_and_si128(_mm_cmpgt_epi16(c, lowerA), _mm_cmplt_epi16(c, lowerZ));
            const __m128i upper =
                _mm_and_si128(_mm_cmpgt_epi16(c, upperA), _mm_cmplt_epi16(c, upperZ));
            const unsigned letters = unsigned(_mm_movemask_epi8(_mm_or_si128(lower, upper)));
            if (letters != 0xFFFF) {
                k += size_t(std::countr_one(letters)) / 2;
                break;
            }
        }
#endif
        while (k < limit && isWordChar(p[k]))
            ++k;
        return int32_t(k);
    }

private:
    static constexpr uint8_t kWord = 1, kStart = 2;
    void rebuild(ustring_view extras);

    std::array<uint8_t, 256> classes_{};
    ustring extras_;
    bool built_ = false;
};

} // namespace qd
