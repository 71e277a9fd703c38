#include "scan/WordRules.h"

#include "scan/BinarySearch.h"
#include "scan/CaseFolding.h"

#include <array>
#include <cstdint>

namespace qd {

namespace {

constexpr char16_t kVowels[] = u"AEIOUaeiouÀÁÂÃÄÅÆÈÉÊËÌÍÎÏÒÓÔÕÖØÙÚÛÜàáâãäåæèéêëìíîïòóôõöøùúûü";

constexpr char16_t kContractionStems[] =
    u"aren couldn didn doesn hadn hasn isn shouldn wasn weren wouldn ";
constexpr size_t kLongestStem = 7;

// For each position counted from the end of a stem, the letters that occur there in some stem
// (bit 0 for "a"): a word with another letter at some position ends no stem.
struct StemLetters {
    uint32_t fromEnd[kLongestStem] = {};
    constexpr StemLetters() {
        size_t begin = 0;
        for (size_t i = 0; kContractionStems[i]; ++i) {
            if (kContractionStems[i] != u' ') continue;
            for (size_t k = 0; k < i - begin; ++k)
                fromEnd[k] |= uint32_t(1) << (kContractionStems[i - 1 - k] - u'a');
            begin = i + 1;
        }
    }
};
constexpr StemLetters kStemLetters;

constexpr char16_t kAlphabet[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZŠŒŸÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞ"
                                 u"abcdefghijklmnopqrstuvwxyzšœÿàáâãäåæçèéêëìíîïðñòóôõöøùúûüýþß";
static_assert(sizeof(kAlphabet) / sizeof(char16_t) == 120);

// Membership in the alphabet set by exact character: a table for Latin-1 and five more.
struct AlphabetTable {
    std::array<bool, 256> latin1{};
    constexpr AlphabetTable() {
        for (const char16_t c : kAlphabet)
            if (c && c < 256) latin1[c] = true;
    }
    constexpr bool holds(char16_t c) const {
        if (c < 256) return latin1[c];
        return c == u'Š' || c == u'Œ' || c == u'Ÿ' || c == u'š' || c == u'œ';
    }
};
constexpr AlphabetTable kAlphabetTable;

// s lower-cased equals lowerText (which is lower case already).
bool LowerEquals(ustring_view s, ustring_view lowerText) {
    if (s.size() != lowerText.size()) return false;
    for (size_t i = 0; i < s.size(); ++i)
        if (LowerChar(s[i]) != lowerText[i]) return false;
    return true;
}

bool KeepsFinalS(ustring_view w) {
    if (w.size() >= 3 && LowerEquals(w.substr(w.size() - 3), u"ics")) return true;
    for (const ustring_view exception : {u"maths", u"stats", u"dickens", u"always", u"perhaps"})
        if (LowerEquals(w, exception)) return true;
    return false;
}

} // namespace

bool IsVowel(ustring_view s, bool lowerList) {
    if (s.empty()) return false;
    const char16_t c = s.front();
    for (const char16_t v : ustring_view(kVowels))
        if ((lowerList ? LowerChar(v) : v) == c) return true;
    return false;
}

size_t DropFinalSLength(ustring_view w) {
    const size_t n = w.size();
    if (n < 3 || w[n - 1] != u's') return n;
    if (w[n - 2] == u's' || w[n - 2] == u'\'') return n;
    if (IsVowel(w.substr(n - 2), true)) return n;
    if (KeepsFinalS(w)) return n;
    return n - 1;
}

ustring ApplyDropFinalS(ustring_view word) {
    return ustring(word.substr(0, DropFinalSLength(word)));
}

bool IsContractionStem(ustring_view word) {
    // A match is the word followed by a space in the stems, so it is the end of a stem. Words
    // that cannot be one are rejected letter by letter from the end before searching.
    const size_t n = word.size();
    if (n > kLongestStem) return false;
    std::array<char16_t, kLongestStem + 1> needle{};
    for (size_t k = 0; k < n; ++k) {
        const char16_t c = LowerChar(word[n - 1 - k]);
        if (c < u'a' || c > u'z' || !(kStemLetters.fromEnd[k] >> (c - u'a') & 1)) return false;
        needle[n - 1 - k] = c;
    }
    needle[n] = u' ';
    return ustring_view(kContractionStems).find(ustring_view(needle.data(), n + 1)) !=
           ustring_view::npos;
}

bool IsAlphabetLetter(char16_t c) {
    return kAlphabetTable.holds(c);
}

namespace {

// The per-word tests, here to be inlined into the ignore rules on the per-word path.
inline bool NoLetterIn(ustring_view s) {
    for (const char16_t c : s)
        if (kAlphabetTable.holds(c)) return false;
    return true;
}

inline bool RepeatsOneCharacter(ustring_view s) {
    // The common case first: two different characters, neither a space, at the start.
    if (s.size() >= 2 && s[0] != s[1] && s[0] != u' ' && s[1] != u' ') return false;
    const size_t first = s.find_first_not_of(u' ');
    if (first == ustring_view::npos) return false;
    const size_t last = s.find_last_not_of(u' ');
    const char16_t c = s[first];
    for (size_t i = first + 1; i <= last; ++i)
        if (s[i] != c) return false;
    return true;
}

} // namespace

bool HasNoLetter(ustring_view s) {
    return NoLetterIn(s);
}

bool IsRepetition(ustring_view s) {
    return RepeatsOneCharacter(s);
}

IgnoreRule IgnoreRuleExcluding(const Settings& settings, ustring_view word) {
    const size_t n = word.size();
    if (settings.ignore.IgnoreShortWords && n < size_t(settings.ignore.shortWordSizeValue()))
        return IgnoreRule::TooShort;
    if (n > size_t(settings.ignore.longWordSizeValue())) return IgnoreRule::TooLong;
    if (settings.ignore.IgnoreNoLetter && NoLetterIn(word)) return IgnoreRule::NoLetter;
    if (settings.ignore.IgnoreRepetitions && n > 1 && RepeatsOneCharacter(word) &&
        (word[0] < u'0' || word[0] > u'9'))
        return IgnoreRule::Repetition;
    return IgnoreRule::None;
}

void ApplyIgnoreRules(const Settings& settings, ustring& word) {
    if (IgnoreRuleExcluding(settings, word) != IgnoreRule::None) word.clear();
}

bool IsCommonWord(const std::vector<ustring>& commonWords, ustring_view loweredWord) {
    int32_t pos = 0;
    return BinarySearchStrings(loweredWord, commonWords, int32_t(commonWords.size()), pos);
}

bool IsSevenBitAscii(ustring_view s) {
    if (s.empty()) return false;
    for (const char16_t c : s)
        if ((c & 0xFF) >= 128) return false;
    return true;
}

} // namespace qd
