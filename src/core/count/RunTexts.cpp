#include "count/RunTexts.h"

#include "text/ProgramTexts.h"

namespace qd {

namespace {

const char16_t* EnglishText(int n) {
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
    case kTextFirstIgnoreRule:
        return u"repetition of one letter";
    case kTextFirstIgnoreRule + 1:
        return u"Roman numeral below 40";
    case kTextFirstIgnoreRule + 2:
        return u"no letter";
    case kTextFirstIgnoreRule + 3:
        return u"too short";
    case kTextFirstIgnoreRule + 4:
        return u"too long";
    case kTextFirstIgnoreRule + 5:
        return u"not 7-bit ASCII";
    case kTextFirstIgnoreRule + 6:
        return u"common word";
    case kTextFirstIgnoreRule + 7:
        return u"word to ignore";
    case kTextFirstIgnoreRule + 8:
        return u"below the frequency threshold";
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
