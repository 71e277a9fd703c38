#include "count/RunTexts.h"

#include "text/ProgramTexts.h"

#include <iterator>

namespace qd {

namespace {

// The names of the ignore rules, texts kTextFirstIgnoreRule onwards, in the rules' order.
constexpr const char16_t* kIgnoreRuleNames[] = {u"repetition of one letter",
                                                u"Roman numeral below 40",
                                                u"no letter",
                                                u"too short",
                                                u"too long",
                                                u"not 7-bit ASCII",
                                                u"common word",
                                                u"word to ignore",
                                                u"below the frequency threshold"};

const char16_t* EnglishText(int n) {
    const int rule = n - kTextFirstIgnoreRule;
    if (rule >= 0 && rule < int(std::size(kIgnoreRuleNames))) return kIgnoreRuleNames[rule];
    switch (n) {
    case kTextErrorTitle:
        return u"Error";
    case kTextCountWords:
        return u"Count words";
    case kTextStop:
        return u"Stop";
    case kTextStopQuestion:
        return u"Do you wish to stop?";
    case kTextApplyingRules:
        return u"Applying the listing rules";
    case kTextComputingStatistics:
        return u"Computing the statistics";
    case kTextRankingWords:
        return u"Ranking the words by frequency";
    default:
        return u"";
    }
}

} // namespace

ustring RunText(const ProgramTexts& texts, int n) {
    ustring text = texts.GetText(n);
    return text.empty() ? ustring(EnglishText(n)) : text;
}

} // namespace qd
