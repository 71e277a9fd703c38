#pragma once
// The common words in force: loading a common-words file into the sorted list
// with the report of the outcome, and choosing the file for the input file's
// language, from the language window or by browsing.
//
// Paths are kept as given, never lower-cased: on a case-sensitive file system
// another case names another file.

#include "text/Formatting.h"
#include "text/UString.h"

#include <cstddef>

namespace qd {

struct RunState;

// "One common word", otherwise the number in words and " common words" ("No
// common words", "Twenty five common words", "1,234 common words").
ustring CommonWordsCountText(size_t n, const NumberFormat& format);

// AttemptToReadCommonWords: reads settings.ignore.CommonWordsFile into CommonWords
// with the main window's controls disabled, and reports the outcome. On success
// shows how many words were loaded from where, puts the file into the file box
// and sets IgnoreCommonWords; on failure clears IgnoreCommonWords. Either way
// scanner.readingWords() and wordsGot end up false, since the word table now holds
// common words. Returns commonWordsLoaded.
bool AttemptToReadCommonWords(RunState& run);

// The automatic choice for a text input file, at start and whenever a new input
// file is picked or typed: CommonWordsFile follows the input file's language. A
// list already loaded from that file, or from the file of all six languages,
// stays; otherwise the file is read when IgnoreCommonWords is on, or after a
// yes to the question. When the file does not exist, CommonWordsFile, the file
// box and IgnoreCommonWords are cleared.
void ChooseCommonWordsForInputFile(RunState& run);

// Reads CommonWordsFile when IgnoreCommonWords is on, else asks first. A "No"
// keeps the words in memory but no longer counts them as loaded unless they
// came from this very file. Used by the automatic choice and, for a docx input,
// at start.
void OfferToReadCommonWords(RunState& run);

// After settings were read from a file: the settings window's file box names the
// CommonWordsFile read. The words in memory count as loaded only when they came from
// that very file; another file is read when the box is ticked again or an input file is
// chosen, as after any change of the file.
void CommonWordsFileRestored(RunState& run);

// The language window's choice (languageSelected, -1 for none): the file of
// that choice in the program folder is put in the file box and read. Returns
// whether words were loaded.
bool LoadCommonWordsForLanguage(RunState& run, int languageSelected);

// A file chosen by browsing (empty when the dialog was cancelled): put in the
// file box, as chosen, and read. Returns whether words were loaded.
bool LoadCommonWordsFromFile(RunState& run, ustring_view path);

} // namespace qd
