#include "table/PostCountRules.h"

#include "scan/Settings.h"
#include "table/ListStatistics.h"
#include "table/WordTable.h"

#include <algorithm>
#include <limits>

namespace qd {

void ApplyPostCountRules(WordTable& table, const Settings& s, const ListStatistics& stats) {
    for (int32_t i = 1; i <= table.size(); ++i) {
        WordEntry& e = table[i];
        e.Listed = PostCountRuleHiding(e, s, stats) == IgnoreRule::None;
    }
}

IgnoreRule PostCountRuleHiding(const WordEntry& e, const Settings& s, const ListStatistics& stats) {
    if (s.ignore.IgnoreRomNum40 && IsRomanBelow40(e.word())) return IgnoreRule::RomanNumeral;
    if (s.ignore.IgnoreInfrequentWords && e.Count < stats.thresholdFrequency)
        return IgnoreRule::BelowThreshold;
    return IgnoreRule::None;
}

bool IsRomanBelow40(ustring_view s) {
    const size_t first = s.find_first_not_of(u' ');
    if (first == ustring_view::npos) return true; // nothing left once trimmed
    const size_t last = s.find_last_not_of(u' ');
    const ustring_view t = s.substr(first, last - first + 1);
    if (t == u"I" || t == u"i") return false;
    return std::all_of(t.begin(), t.end(), [](char16_t c) {
        return c == u'I' || c == u'V' || c == u'X' || c == u'i' || c == u'v' || c == u'x';
    });
}

void ComputeListStatistics(const WordTable& table, ListStatistics& stats) {
    int maxLength = 0;
    int32_t included = 0, excluded = 0;
    int64_t maxFrequency = 0, occurrences = 0;
    for (int32_t i = 1; i <= table.size(); ++i) {
        const WordEntry& e = table[i];
        if (!e.Listed) {
            ++excluded;
            continue;
        }
        ++included;
        occurrences += e.Count;
        maxFrequency = std::max(maxFrequency, e.Count);
        maxLength = std::max(maxLength, int(e.word().size()));
    }
    stats.maxWordLength = maxLength;
    stats.wordsIncluded = included;
    stats.wordsExcluded = excluded;
    // Held at the largest 32-bit value rather than wrapping to a negative count.
    stats.occurrences = occurrences;
    stats.maxFrequency = maxFrequency;
}

} // namespace qd
