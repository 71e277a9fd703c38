#pragma once
// Working storage the scanner keeps between lines and words, so that the per-word path
// allocates nothing: the character tables for the extra characters in force and reusable
// buffers.

#include "scan/RunCache.h"
#include "scan/WordChars.h"
#include "text/UString.h"

namespace qd {

struct ScanCache {
    WordCharTable chars; // follows Scanner::extraChars
    RunCache runs;
    ustring lowered; // a word lower-cased for the word lists
    ustring needle;  // " word " for the words-to-ignore search
};

} // namespace qd
