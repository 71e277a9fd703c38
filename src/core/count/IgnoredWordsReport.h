#pragma once
// What a person is told about the words a count left out: the rule names, the tally per rule
// (the ignored-words label's tooltip, quorvel-count --why), the ignored-words file
// (quorvel-count --ignored) and the listing of the ignored words in the output box.

#include "scan/IgnoreRule.h"
#include "table/ExcludedWords.h"
#include "text/Formatting.h"
#include "text/UString.h"

#include <string>
#include <vector>

namespace qd {

class ProgramTexts;
struct RunState;

// The rule's name, a program text ("too short").
ustring IgnoreRuleName(const ProgramTexts& texts, IgnoreRule rule);

// The tally in two groups, each headed by its total, so that it reads beside the
// ignored-words label, whose number counts only the first group:
//   "Ignored after the count (the number of words ignored): 1 word, 2 instances"
//   "  Roman numeral below 40: 1 word, 2 instances"
//   "Left out while counting (not in that number): 1,234 words, 5,678 instances"
//   "  too short: 1,234 words, 5,678 instances"
// Both heads always; below each, every rule of its group that left something out, in the
// order of IgnoreRule. The numbers are grouped as format says.
std::vector<ustring> IgnoredTallyLines(const IgnoredTally& tally, const ProgramTexts& texts,
                                       const NumberFormat& format);

// The ignored-words file: "word<TAB>frequency<TAB>rule" and LF for every word left out,
// alphabetically, in UTF-8.
std::string IgnoredWordsFileText(const ExcludedWords& words, const ProgramTexts& texts);

// The output box takes the words the last count left out, in the chosen word order: a
// header, then per word its frequency, the word and its rule, as far as the box's limit.
void ShowIgnoredWords(RunState& run);

} // namespace qd
