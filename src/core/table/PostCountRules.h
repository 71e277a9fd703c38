#pragma once
// What happens to a finished count before it is listed: the rules that hide words from the
// listing (they stay counted), then the figures the listing and the count labels show.

#include "scan/IgnoreRule.h"
#include "text/UString.h"

namespace qd {

struct ListStatistics;
struct Settings;
class WordTable;
struct WordEntry;

// Sets Listed for every entry: true, unless IgnoreRomNum40 hides a roman numeral below 40 or
// IgnoreInfrequentWords hides a word counted fewer than thresholdFrequency times.
void ApplyPostCountRules(WordTable& table, const Settings& settings, const ListStatistics& stats);

// The rule that hides entry from the listing (the Roman numerals before the threshold), or
// IgnoreRule::None.
IgnoreRule PostCountRuleHiding(const WordEntry& entry, const Settings& settings,
                               const ListStatistics& stats);

// True when s, spaces trimmed, consists of the letters I, V and X only (either case), except
// the single letter "I", which is the pronoun. Any such string counts, "vvx" too.
bool IsRomanBelow40(ustring_view s);

// From the Listed marks: maxWordLength, wordsIncluded, wordsExcluded,
// occurrences and maxFrequency.
void ComputeListStatistics(const WordTable& table, ListStatistics& stats);

} // namespace qd
