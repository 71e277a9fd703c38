#pragma once
// The word scanner's state: the line being scanned and the position in it, the comment
// markers in force and the comment left open at the end of the last line, the extra
// characters admitted in words and the word lists a count leaves out. Each word that passes
// goes to the sink. The owner (a count, a common-words read) prepares a line into `line` and
// calls ScanLine.

#include "scan/ScanCache.h"
#include "scan/Settings.h"
#include "text/UString.h"
#include "text/Yielder.h"

#include <array>
#include <cstdint>
#include <vector>

namespace qd {

// Where the scanner puts the words it finds.
class WordSink {
public:
    virtual ~WordSink() = default;
    virtual void addWord(ustring_view word) = 0;
};

struct Scanner {
    // settings, yield and stop belong to the owner; stop is read after each word, and the
    // scanner yields only while yieldAllowed (once the program has started up).
    Scanner(const Settings& settings, Yielder& yield, const bool& stop, const bool& yieldAllowed)
        : settings(settings), yield(yield), stop(stop), yieldAllowed(yieldAllowed) {}
    Scanner(const Scanner&) = delete;
    Scanner& operator=(const Scanner&) = delete;

    const Settings& settings;
    Yielder& yield;
    const bool& stop;
    const bool& yieldAllowed;
    WordSink* sink = nullptr;

    // Reading a common-words file: every word goes to the sink as cut, no rule applies.
    bool readingWords = false;

    // Comment markers in force: pair i is (startMarkers[i], endMarkers[i]); an empty end
    // marker runs to the end of the line. openComment is the pair whose comment is open.
    std::array<ustring, 10> startMarkers;
    std::array<ustring, 10> endMarkers;
    int markerCount = 0;
    int openComment = -1;
    bool entitiesPossible = false; // markup: "&...;" is an entity, decoded or skipped
    bool commentsPossible = false;

    // The extra characters admitted inside words for the current scan.
    ustring extraChars;

    // The line being scanned and the position in it (0-based).
    ustring line;
    size_t pos = 0;
    ScanCache cache;

    // Words to ignore with one space before and after, or empty; the sorted common words.
    ustring wordsToIgnore;
    std::vector<ustring> commonWords;

    // Every word cut from the text, counted or not.
    int32_t totalOccurrences = 0;
};

} // namespace qd
