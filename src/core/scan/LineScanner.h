#pragma once
// Scanning one prepared line for words.

namespace qd {

struct Scanner;

// Scans the scanner's line, which the caller has prepared (decoded, lower-cased unless case
// matters, one space appended): cleans it, blanks double hyphens and decodes entities (not
// while reading common words), skips comments, and hands each word to GetWords2 (counting it
// in totalOccurrences) or, while common words are read, straight to the sink. Yields after
// each word and in comment skipping while yielding is allowed, and returns after the current
// word when a stop is requested. An open comment stays open for the next line.
void ScanLine(Scanner& scan);

} // namespace qd
