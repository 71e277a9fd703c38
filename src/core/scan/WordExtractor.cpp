#include "scan/WordExtractor.h"

#include "RunState.h"
#include "scan/CaseFolding.h"
#include "scan/ScanSettings.h"
#include "scan/WordRules.h"
#include "scan/WordScanning.h"
#include "table/AddWordToList.h"

namespace qd {

void BuildCurrentExtraChars(RunState& run) {
    const ScanSettings& s = run.settings;
    ustring& extras = run.CurrentExtraChars;
    extras.clear();
    if (s.AllowWordsWithHyphens) extras += u'-';
    if (s.AllowWordsWithApostrophes) {
        extras += u'\'';
        extras += Cp1252ToUnicode(145);
    }
    if (s.AllowWordsWithUnderscores) extras += u'_';
    if (s.AllowWordsWithColons) extras += u':';
    if (s.AllowWordsWithBackslashes) extras += u'\\';
    if (s.AllowWordsWithForwardslashes) extras += u'/';
    if (s.AllowWordsWithPeriods) extras += u'.';
    if (s.AllowWordsWithAtSigns) extras += u'@';
    if (s.AllowWordsWithNumerals) extras += u"0123456789";
}

bool IsSevenBitAscii(ustring_view s) {
    if (s.empty()) return false;
    for (const char16_t c : s)
        if ((c & 0xFF) >= 128) return false;
    return true;
}

namespace {

// strProhibitedInitialOrFinalChars as a table: all of them are ASCII.
struct ProhibitedFinals {
    bool ascii[128] = {};
    constexpr ProhibitedFinals() {
        for (const char16_t c : strProhibitedInitialOrFinalChars)
            if (c) ascii[c] = true;
    }
    constexpr bool holds(char16_t c) const { return c < 128 && ascii[c]; }
};
constexpr ProhibitedFinals kProhibitedFinals;

} // namespace

namespace detail {

ustring_view NextWord(RunState& run, const WordCharTable& chars) {
    const ustring_view line = run.strLine;
    const int32_t n = chars.scanWordRun(line, run.lngLP);
    if (n == 0) return {};
    ustring_view word = line.substr(run.lngLP, size_t(n));
    run.lngLP += size_t(n);

    while (!word.empty() && kProhibitedFinals.holds(word.back()))
        word.remove_suffix(1);
    if (run.blnReadingWords) return word;
    if (run.settings.DropFinalS) word = word.substr(0, DropFinalSLength(word));
    if (!run.settings.AllowWordsWithApostrophes && IsContractionFragment(word)) return {};
    return word;
}

} // namespace detail

ustring_view NextWord(RunState& run) {
    run.scanCache.chars.update(run.CurrentExtraChars);
    return detail::NextWord(run, run.scanCache.chars);
}

void GetWords2(RunState& run, ustring_view word) {
    const ScanSettings& settings = run.settings;
    if (settings.Only7bitASCII && !IsSevenBitAscii(word)) return;
    if (IsExcludedByIgnoreRules(settings, word)) return;
    const bool wordLists = !run.strWordsToIgnore.empty() || settings.IgnoreCommonWords;
    if (wordLists) {
        ustring& lowered = run.scanCache.lowered;
        lowered.assign(word);
        LowerCaseAccentedInPlace(lowered, &run.yield);
        if (IsInWordsToIgnore(run.strWordsToIgnore, lowered)) return;
        if (settings.IgnoreCommonWords && IsCommonWord(run.CommonWords, lowered)) return;
    }
    if (!word.empty()) AddWordToList(run, word);
}

} // namespace qd
