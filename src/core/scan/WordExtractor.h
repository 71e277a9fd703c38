#pragma once
// Cutting words out of a line and the per-word pipeline of a count run.

#include "scan/WordChars.h"
#include "text/UString.h"

namespace qd {

struct Scanner;

// Sets CurrentExtraChars from the allow-words-with settings, in the order "-", "'" with the
// left single quotation mark (U+2018, code 145), "_", ":", "\", "/", ".", "@", "0123456789".
void BuildCurrentExtraChars(Scanner& scan);

// True when s is non-empty and every character's low byte is below 128.
bool IsSevenBitAscii(ustring_view s);

// The word at the scan position of the line, advancing the position past its run of word
// characters: final
// "'.:,()" are stripped, then (unless a common-words file is being read) the drop-final-s rule
// and, when apostrophes may not join words, the contraction rule, which gives "" for "s", "t"
// and contraction stems. "" when no word character stands there. The result views the line
// and is valid until the line changes.
ustring_view NextWord(Scanner& scan);

// The per-word pipeline of a count run: the 7-bit test, the ignore rules, the words to ignore
// and the common words; a word that survives goes to the sink.
void GetWords2(Scanner& scan, ustring_view word);

} // namespace qd
