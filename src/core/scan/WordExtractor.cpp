#include "scan/WordExtractor.h"

#include "scan/CaseFolding.h"
#include "scan/Scanner.h"
#include "scan/Settings.h"
#include "scan/WordRules.h"
#include "scan/WordScanning.h"

namespace qd {

void BuildCurrentExtraChars(Scanner& scan) {
    const Settings& s = scan.settings;
    ustring& extras = scan.extraChars;
    extras.clear();
    if (s.words.AllowWordsWithHyphens) extras += u'-';
    if (s.words.AllowWordsWithApostrophes) {
        extras += u'\'';
        extras += Cp1252ToUnicode(145);
    }
    if (s.words.AllowWordsWithUnderscores) extras += u'_';
    if (s.words.AllowWordsWithColons) extras += u':';
    if (s.words.AllowWordsWithBackslashes) extras += u'\\';
    if (s.words.AllowWordsWithForwardslashes) extras += u'/';
    if (s.words.AllowWordsWithPeriods) extras += u'.';
    if (s.words.AllowWordsWithAtSigns) extras += u'@';
    if (s.words.AllowWordsWithNumerals) extras += u"0123456789";
}

bool IsSevenBitAscii(ustring_view s) {
    if (s.empty()) return false;
    for (const char16_t c : s)
        if ((c & 0xFF) >= 128) return false;
    return true;
}

namespace {

// ProhibitedInitialOrFinalChars as a table: all of them are ASCII.
struct ProhibitedFinals {
    bool ascii[128] = {};
    constexpr ProhibitedFinals() {
        for (const char16_t c : ProhibitedInitialOrFinalChars)
            if (c) ascii[c] = true;
    }
    constexpr bool holds(char16_t c) const { return c < 128 && ascii[c]; }
};
constexpr ProhibitedFinals kProhibitedFinals;

} // namespace

namespace detail {

ustring_view NextWord(Scanner& scan, const WordCharTable& chars) {
    const ustring_view line = scan.line;
    const int32_t n = chars.scanWordRun(line, scan.pos);
    if (n == 0) return {};
    ustring_view word = line.substr(scan.pos, size_t(n));
    scan.pos += size_t(n);

    while (!word.empty() && kProhibitedFinals.holds(word.back()))
        word.remove_suffix(1);
    if (scan.readingWords) return word;
    if (scan.settings.words.DropFinalS) word = word.substr(0, DropFinalSLength(word));
    if (!scan.settings.words.AllowWordsWithApostrophes && IsContractionFragment(word)) return {};
    return word;
}

} // namespace detail

ustring_view NextWord(Scanner& scan) {
    scan.cache.chars.update(scan.extraChars);
    return detail::NextWord(scan, scan.cache.chars);
}

void GetWords2(Scanner& scan, ustring_view word) {
    const Settings& settings = scan.settings;
    if (settings.words.Only7bitASCII && !IsSevenBitAscii(word)) return;
    if (IsExcludedByIgnoreRules(settings, word)) return;
    const bool wordLists = !scan.wordsToIgnore.empty() || settings.ignore.IgnoreCommonWords;
    if (wordLists) {
        ustring& lowered = scan.cache.lowered;
        lowered.assign(word);
        LowerCaseAccentedInPlace(lowered, &scan.yield);
        if (IsInWordsToIgnore(scan.wordsToIgnore, lowered)) return;
        if (settings.ignore.IgnoreCommonWords && IsCommonWord(scan.commonWords, lowered)) return;
    }
    if (!word.empty()) scan.sink->addWord(word);
}

} // namespace qd
