#pragma once

#include "scan/Scanner.h"
#include "text/UString.h"

namespace qd {

struct RunState;

// Records one occurrence of word in the run's word table. A word longer than 80 characters
// is ignored (during a count, as too long to the scanner's ignoreWord). Each new distinct word is
// shown in the output box as found (unless SuppressWords), until the box nears its limit: then a
// notice is appended once and SuppressWords is set for the rest of the run. Every tenth distinct
// word updates the number-of-words label. Returns the word's place in the table for
// AddWordAgain, or -1 when it is not stored.
int32_t AddWordToList(RunState& run, ustring_view word);

// The scanner's sink during a count or a common-words read: AddWordToList.
class TableWordSink : public WordSink {
public:
    explicit TableWordSink(RunState& run) : run_(run) {}
    int32_t addWord(ustring_view word) override { return AddWordToList(run_, word); }
    void addAgain(int32_t token) override;

private:
    RunState& run_;
};

} // namespace qd
