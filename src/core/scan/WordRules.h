#pragma once
// The rules that change a word's form as it is cut from the line (dropping a final "s",
// discarding the fragments of contractions) and the per-word rules that keep a word out of
// the count (short, long, letterless, repeated-letter words, the words to ignore, the common
// words). The rules after the count live with the word table.

#include "scan/IgnoreRule.h"
#include "scan/Settings.h"
#include "text/UString.h"

#include <vector>

namespace qd {

// --- Form rules ---

// The word without its final "s", or unchanged: words ending in "ics" and "maths", "stats",
// "dickens", "always", "perhaps" keep it (any case); otherwise a lower-case final "s" goes when
// the word has at least three characters, does not end in "ss" or "'s", and the letter before
// the "s" is not a lower-case vowel.
ustring ApplyDropFinalS(ustring_view word);
// The length ApplyDropFinalS leaves (word.size() or one less).
size_t DropFinalSLength(ustring_view word);

// Whether the first character of s is a vowel of "AEIOUaeiouÀÁ...ü". With lowerList the list
// is lower-cased first while s is not, so only the lower-case vowels count. False for "".
bool IsVowel(ustring_view s, bool lowerList);

// Whether word, lower-cased, ends one of the stems "aren couldn didn doesn hadn hasn isn
// shouldn wasn weren wouldn" (so "n", "dn", "ren" count too; so does the empty word).
bool IsContractionStem(ustring_view word);
// What an apostrophe leaves of a contraction when apostrophes may not join words: "s", "t"
// (any case) or a contraction stem. Most words end in neither "n" nor "N" and are no stem.
inline bool IsContractionFragment(ustring_view word) {
    const size_t n = word.size();
    if (n == 1) {
        const char16_t c = word[0];
        if (c == u's' || c == u'S' || c == u't' || c == u'T') return true;
    }
    if (n > 0 && word[n - 1] != u'n' && word[n - 1] != u'N') return false;
    return IsContractionStem(word);
}

// --- Per-word ignore rules ---

// Whether c is one of the 119 letters of the alphabet set "A-Z Š Œ Ÿ À-Ö Ø-Þ a-z š œ ÿ à-ö ø-þ ß"
// (by exact character: š is a letter, ž is not).
bool IsAlphabetLetter(char16_t c);
// No character of s is a letter of the alphabet set (true for "").
bool HasNoLetter(ustring_view s);
// s, trimmed of spaces, is non-empty and one character repeated.
bool IsRepetition(ustring_view s);

// True when s is non-empty and every character's low byte is below 128.
bool IsSevenBitAscii(ustring_view s);

// The first of the short-word, long-word, no-letter and repetition rules that excludes word,
// or IgnoreRule::None.
IgnoreRule IgnoreRuleExcluding(const Settings& settings, ustring_view word);
// Empties word when one of those rules excludes it.
void ApplyIgnoreRules(const Settings& settings, ustring& word);

// Whether the sorted commonWords hold loweredWord (code-unit order).
bool IsCommonWord(const std::vector<ustring>& commonWords, ustring_view loweredWord);

} // namespace qd
