#include "scan/LineScanner.h"

#include "RunState.h"
#include "scan/CommentMarkers.h"
#include "scan/Entities.h"
#include "scan/TextRoutines.h"
#include "scan/WordExtractor.h"
#include "scan/WordScanning.h"
#include "table/AddWordToList.h"

#include <cstdint>

namespace qd {

namespace {

// Which of the line transformations can change anything: most lines of a text have no control
// character, no hyphen and no ampersand, and one look at each character spares the passes.
struct LineContents {
    bool controlsOrNoBreakSpace = false;
    bool hyphen = false;
    bool ampersand = false;
};

LineContents Survey(ustring_view line) {
    constexpr uint16_t kControls = 1, kHyphen = 2, kAmpersand = 4;
    auto flags = [](char16_t c) {
        return uint16_t(((c <= 13) | (c == 160)) * kControls + (c == u'-') * kHyphen +
                        (c == u'&') * kAmpersand);
    };
    const char16_t* p = line.data();
    const size_t n = line.size();
    size_t i = 0;
    // Blocks of a fixed length, each character with its own accumulator, which the compiler
    // turns into vector instructions. The last block may overlap the one before it.
    constexpr size_t kBlock = 8;
    uint16_t lanes[kBlock] = {};
    auto block = [&](const char16_t* b) {
        for (size_t k = 0; k < kBlock; ++k)
            lanes[k] |= flags(b[k]);
    };
    uint16_t all = 0;
    if (n >= kBlock) {
        for (; i + kBlock <= n; i += kBlock)
            block(p + i);
        if (i < n) block(p + n - kBlock);
    } else {
        for (; i < n; ++i)
            all |= flags(p[i]);
    }
    for (const uint16_t f : lanes)
        all |= f;
    return {(all & kControls) != 0, (all & kHyphen) != 0, (all & kAmpersand) != 0};
}

// Yields when start-up is complete; when events were processed, brings the character tables
// in line with the extra characters, which an event handler may have changed.
inline void YieldInScan(RunState& run, WordCharTable& chars, uint32_t& eventsSeen) {
    if (!run.blnStartUpCompleted) return;
    run.yield();
    if (run.yield.timesProcessed() != eventsSeen) [[unlikely]] {
        eventsSeen = run.yield.timesProcessed();
        chars.update(run.CurrentExtraChars);
    }
}

} // namespace

void ScanLine(RunState& run) {
    ustring& line = run.strLine;
    const LineContents contents = Survey(line);
    if (contents.controlsOrNoBreakSpace) CleanLineInPlace(line);
    if (run.blnReadingWords) {
        run.blnCommentsPossible = true;
    } else {
        run.blnCommentsPossible = run.intNumCommentMarkers >= 1;
        if (contents.hyphen) BlankDoubleHyphensInPlace(line);
        if (run.blnCharacterEntitiesPossible && contents.ampersand) DecodeEntitiesInPlace(line);
    }

    WordCharTable& chars = run.scanCache.chars;
    chars.update(run.CurrentExtraChars);
    uint32_t eventsSeen = run.yield.timesProcessed();
    auto yield = [&] { YieldInScan(run, chars, eventsSeen); };

    run.lngLP = 0;
    for (;;) {
        // The last character, the appended space, is never examined.
        if (run.lngLP + 1 >= line.size()) return;
        yield();

        if (run.blnCommentsPossible) {
            if (run.intWithinComment == -1) run.intWithinComment = FindCommentStart(run);
            while (run.intWithinComment >= 0) {
                SkipComment(run);
                if (run.lngLP >= line.size()) return; // the comment goes on in the next line
                if (run.lngLP + 1 == line.size() && line[run.lngLP] == u' ') {
                    run.intWithinComment = -1;
                    return;
                }
                run.intWithinComment = FindCommentStart(run);
                yield();
            }
        }

        if (!chars.isStartChar(line[run.lngLP])) {
            const size_t next = FirstNonSpaceAfter(line, run.lngLP);
            if (next == npos) return;
            run.lngLP = next;
            continue;
        }

        const ustring_view word = detail::NextWord(run, chars);
        if (!word.empty()) {
            if (run.blnReadingWords) {
                AddWordToList(run, word);
            } else {
                ++run.lngTotalNumOccurrences;
                GetWords2(run, word);
            }
        }
        yield();
        if (run.blnStop) return;
    }
}

} // namespace qd
