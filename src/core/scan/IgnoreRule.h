#pragma once
// The rules that leave a word out of a count (as it is scanned) or out of its listing (after
// the count). Each word left out is put down to the one rule that excluded it: the first in
// the order the count applies them, which is 7-bit, short, long, no letter, repetition, the
// words to ignore, the common words, the 80 characters a table stores, then the Roman numerals
// and the frequency threshold. The enumeration itself is in the order people read about the
// rules (the settings window's), the order their tallies are shown in.

#include <cstddef>
#include <cstdint>

namespace qd {

enum class IgnoreRule : uint8_t {
    Repetition,       // one character repeated ("aaa")
    RomanNumeral,     // a Roman numeral below 40: counted, but not listed
    NoLetter,         // no letter of the alphabet set ("2024")
    TooShort,         // shorter than the shortest allowed
    TooLong,          // longer than the longest allowed, or than the 80 characters stored
    NotSevenBitAscii, // a character beyond 7-bit ASCII while only those are allowed
    CommonWord,
    WordToIgnore,
    BelowThreshold, // counted fewer times than the frequency threshold: not listed
    None,           // not left out
};

inline constexpr size_t kIgnoreRuleCount = size_t(IgnoreRule::None);

// The rules that run over the finished count: the word was counted but is not listed. Their
// words are the ones the ignored-words label counts.
constexpr bool IsPostCountRule(IgnoreRule rule) {
    return rule == IgnoreRule::RomanNumeral || rule == IgnoreRule::BelowThreshold;
}

} // namespace qd
