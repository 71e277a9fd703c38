#pragma once
// The words-to-ignore box of the settings window: its normal form, and the check that every
// character in it could occur in a word under the current settings. The settings window,
// the settings files and the count run all go through these.

#include "text/UString.h"

#include <optional>

namespace qd {

struct RunState;

// The normal form of a words-to-ignore text: trimmed, lower-cased (accented capitals
// included), commas turned into spaces, one space between words, duplicates removed, and
// the words in ascending code-unit order. Empty for a text of spaces.
ustring NormalizedWordsToIgnore(ustring_view text);

// The first character of words that is neither a letter of the program's alphabet, a space,
// nor one of extraChars; std::nullopt when every character passes.
std::optional<char16_t> FirstCharacterNotAllowed(ustring_view words, ustring_view extraChars);

// The warning shown for such a character.
ustring CharacterNotAllowedMessage(char16_t c);
inline constexpr char16_t kCharacterNotAllowedTitle[] = u"Character not allowed";

// NormaliseWordsToIgnore: normalises settings.ignore.WordsToIgnore in place, publishes it in
// the word lists (one space before and after, or empty) and checks its characters.
void NormaliseWordsToIgnore(RunState& state);

// CheckAllowedExtraChars: false, after warning through the host, when a word to ignore holds
// a character that no word can contain under the current settings. Does nothing (true)
// before start-up is complete and when there are no words to ignore. Rebuilds the
// scanner's extra characters.
bool CheckAllowedExtraChars(RunState& state);

} // namespace qd
