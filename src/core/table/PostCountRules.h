#pragma once
// What happens to a finished count before it is listed: the rules that hide words from the
// listing (they stay counted), then the figures the listing and the count labels show.

#include "support/UString.h"

namespace qd {

struct RunState;

// Sets Listed for every entry: true, unless IgnoreRomNum40 hides a roman numeral below 40 or
// IgnoreInfrequentWords hides a word counted fewer than intThresholdFrequency times.
void ApplyPostCountRules(RunState& run);

// True when s, spaces trimmed, consists of the letters I, V and X only (either case), except
// the single letter "I", which is the pronoun. Any such string counts, "vvx" too.
bool IsRomanBelow40(ustring_view s);

// From the Listed marks: intMaxWordLengthFound, lngNumWordsIncluded, lngNumWordsExcluded,
// lngNumOccurrences and lngMaxFrequency.
void ComputeListStatistics(RunState& run);

} // namespace qd
