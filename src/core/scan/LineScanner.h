#pragma once
// Scanning one prepared line for words.

namespace qd {

struct RunState;

// Scans strLine, which the caller has prepared (decoded, lower-cased unless case matters, one
// space appended): cleans it, blanks double hyphens and decodes entities (not while reading
// common words), skips comments, and hands each word to GetWords2 (counting it in
// lngTotalNumOccurrences) or, while common words are read, straight to the word table. Yields
// after each word and in comment skipping once start-up is complete, and returns after the
// current word when blnStop is set. An open comment stays open for the next line.
void ScanLine(RunState& run);

} // namespace qd
