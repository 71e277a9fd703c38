// Cutting words out of the line, and the per-word rules of a count.
#include "scan/Scanner.h"

#include "scan/CaseFolding.h"
#include "scan/Settings.h"
#include "scan/WordRules.h"

#include <algorithm>

namespace qd {

void Scanner::rebuildExtraChars() {
    const Settings& s = settings_;
    ustring& extras = extraChars_;
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

ustring_view Scanner::finishWord(ustring_view word) {
    while (!word.empty() && kProhibitedFinals.holds(word.back()))
        word.remove_suffix(1);
    if (readingWords_) return word;
    if (settings_.words.DropFinalS) word = word.substr(0, DropFinalSLength(word));
    if (!settings_.words.AllowWordsWithApostrophes && IsContractionFragment(word)) return {};
    return word;
}

RunCache::Verdict Scanner::passWord(ustring_view word) {
    RunCache::Verdict verdict;
    verdict.wordLength = uint8_t(std::min<size_t>(word.size(), 255));
    verdict.rule = ruleExcluding(word);
    if (verdict.rule != IgnoreRule::None)
        ignoreWord(word, verdict.rule);
    else if (!word.empty())
        verdict.token = sink_->addWord(word);
    return verdict;
}

IgnoreRule Scanner::ruleExcluding(ustring_view word) {
    const Settings& settings = settings_;
    if (settings.words.Only7bitASCII && !IsSevenBitAscii(word)) return IgnoreRule::NotSevenBitAscii;
    if (const IgnoreRule rule = IgnoreRuleExcluding(settings, word); rule != IgnoreRule::None)
        return rule;
    const bool wordLists = !lists_.wordsToIgnore.empty() || settings.ignore.IgnoreCommonWords;
    if (wordLists) {
        ustring& lowered = cache_.lowered;
        lowered.assign(word);
        LowerCaseAccentedInPlace(lowered, &yield_);
        if (lists_.wordsToIgnore.contains(lowered)) return IgnoreRule::WordToIgnore;
        if (settings.ignore.IgnoreCommonWords && IsCommonWord(lists_.commonWords, lowered))
            return IgnoreRule::CommonWord;
    }
    return IgnoreRule::None;
}

} // namespace qd
