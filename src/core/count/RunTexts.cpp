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
