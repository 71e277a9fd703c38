#include "scan/LineScanner.h"

#include "scan/CommentMarkers.h"
#include "scan/Entities.h"
#include "scan/Scanner.h"
#include "scan/TextRoutines.h"
#include "scan/WordExtractor.h"
#include "scan/WordScanning.h"

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
inline void YieldInScan(Scanner& scan, WordCharTable& chars, uint32_t& eventsSeen) {
    if (!scan.yieldAllowed) return;
    scan.yield();
    if (scan.yield.timesProcessed() != eventsSeen) [[unlikely]] {
        eventsSeen = scan.yield.timesProcessed();
        chars.update(scan.extraChars);
    }
}

} // namespace

void ScanLine(Scanner& scan) {
    ustring& line = scan.line;
    const LineContents contents = Survey(line);
    if (contents.controlsOrNoBreakSpace) CleanLineInPlace(line);
    if (scan.readingWords) {
        scan.commentsPossible = true;
    } else {
        scan.commentsPossible = scan.markerCount >= 1;
        if (contents.hyphen) BlankDoubleHyphensInPlace(line);
        if (scan.entitiesPossible && contents.ampersand) DecodeEntitiesInPlace(line);
    }

    WordCharTable& chars = scan.cache.chars;
    chars.update(scan.extraChars);
    uint32_t eventsSeen = scan.yield.timesProcessed();
    auto yield = [&] { YieldInScan(scan, chars, eventsSeen); };

    scan.pos = 0;
    for (;;) {
        // The last character, the appended space, is never examined.
        if (scan.pos + 1 >= line.size()) return;
        yield();

        if (scan.commentsPossible) {
            if (scan.openComment == -1) scan.openComment = FindCommentStart(scan);
            while (scan.openComment >= 0) {
                SkipComment(scan);
                if (scan.pos >= line.size()) return; // the comment goes on in the next line
                if (scan.pos + 1 == line.size() && line[scan.pos] == u' ') {
                    scan.openComment = -1;
                    return;
                }
                scan.openComment = FindCommentStart(scan);
                yield();
            }
        }

        if (!chars.isStartChar(line[scan.pos])) {
            const size_t next = FirstNonSpaceAfter(line, scan.pos);
            if (next == npos) return;
            scan.pos = next;
            continue;
        }

        const ustring_view word = detail::NextWord(scan, chars);
        if (!word.empty()) {
            if (scan.readingWords) {
                scan.sink->addWord(word);
            } else {
                ++scan.totalOccurrences;
                GetWords2(scan, word);
            }
        }
        yield();
        if (scan.stop) return;
    }
}

} // namespace qd
