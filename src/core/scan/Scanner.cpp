#include "scan/Scanner.h"

#include "scan/CommentMarkers.h"
#include "scan/Entities.h"
#include "scan/TextRoutines.h"

#include <algorithm>
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

} // namespace

// Yields when start-up is complete; when events were processed, brings the character tables
// in line with the extra characters, which an event handler may have changed. Runs twice a
// word, so it is kept inline.
inline void Scanner::yieldInScan(uint32_t& eventsSeen) {
    if (!yieldAllowed_) return;
    yield_();
    if (yield_.timesProcessed() != eventsSeen) [[unlikely]]
        eventsRan(eventsSeen);
}

void Scanner::eventsRan(uint32_t& eventsSeen) {
    eventsSeen = yield_.timesProcessed();
    cache_.chars.update(extraChars_);
    cache_.runs.clear(); // the settings or the word lists may have changed
}

void Scanner::prepareLine() {
    ustring& line = line_;
    const LineContents contents = Survey(line);
    if (contents.controlsOrNoBreakSpace) CleanLineInPlace(line);
    if (readingWords_) return;
    if (contents.hyphen) BlankDoubleHyphensInPlace(line);
    if (comments_.entitiesPossible && contents.ampersand) DecodeEntitiesInPlace(line);
}

void Scanner::scanLine(bool lineGoesOn) {
    lineGoesOn_ = lineGoesOn;
    if (lineGoesOn || carry_.holdsLine()) {
        preparePart();
    } else {
        prepareLine();
    }
    pos_ = 0;
    scanPrepared();
}

bool Scanner::scanRest() {
    if (pos_ >= line_.size()) return false;
    scanPrepared();
    return true;
}

void Scanner::startText() {
    comments_.openComment = -1;
    comments_.numericEntityGoesOn = false;
    comments_.endSearchGoesOn = false;
    cache_.runs.clear();
    carry_ = PartCarry{};
}

// A short run of word characters of a count: its verdict is looked up, or found and kept.
inline void Scanner::countRun(ustring_view run) {
    RunCache& runs = cache_.runs;
    const uint32_t hash = RunCache::HashOf(run);
    if (const RunCache::Verdict* known = runs.find(run, hash)) {
        if (known->wordLength == 0) return;
        ++totalOccurrences_;
        if (known->token >= 0)
            sink_->addAgain(known->token);
        else
            ignoreWord(run.substr(0, known->wordLength), known->rule);
        return;
    }
    const ustring_view word = finishWord(run);
    RunCache::Verdict verdict;
    if (!word.empty()) {
        ++totalOccurrences_;
        verdict = passWord(word);
    }
    if (verdict.wordLength == 0 || verdict.token >= 0 || verdict.rule != IgnoreRule::None)
        runs.record(run, hash, verdict);
}

void Scanner::scanPrepared() {
    ustring& line = line_;
    const bool commentsPossible = readingWords_ || comments_.markerCount >= 1;
    const bool goesOn = lineGoesOn_;
    WordCharTable& chars = cache_.chars;
    chars.update(extraChars_);
    uint32_t eventsSeen = yield_.timesProcessed();
    // The scan yields at every word and more: it counts the calls itself and goes to the
    // yielder only for the one that may reach the host. Events run by a word's own yields
    // (lowering its capitals) are seen as soon as the word is counted.
    const bool yieldAllowed = yieldAllowed_;
    uint32_t quiet = 0; // calls counted here, not yet the yielder's
    uint32_t untilDue = yieldAllowed ? yield_.callsUntilDue() : UINT32_MAX;
    auto yield = [&] {
        if (++quiet < untilDue) return;
        yield_.pass(quiet - 1);
        quiet = 0;
        yieldInScan(eventsSeen);
        untilDue = yield_.callsUntilDue();
    };
    struct PassOnExit {
        Yielder& yielder;
        const uint32_t& calls;
        bool allowed;
        ~PassOnExit() {
            if (allowed) yielder.pass(calls);
        }
    } passOnExit{yield_, quiet, yieldAllowed};
    int& openComment = comments_.openComment;

    // A part of a long line is scanned only as far as a comment marker or an entity can be
    // told whole; a whole line up to its last character, the appended space, which is never
    // examined.
    const size_t settled = goesOn ? line.size() - std::min(line.size(), partLookahead())
                                  : line.size() - std::min<size_t>(line.size(), 1);
    for (;;) {
        if (pos_ >= settled) {
            if (goesOn) keepForNextPart(pos_);
            return;
        }
        yield();

        if (commentsPossible) {
            if (openComment == -1) openComment = FindCommentStart(comments_, line, pos_);
            while (openComment >= 0) {
                if (SkipComment(comments_, line, pos_, goesOn)) {
                    if (goesOn) keepForNextPart(pos_);
                    return; // the comment goes on in the next line
                }
                if (!goesOn && pos_ + 1 == line.size() && line[pos_] == u' ') {
                    openComment = -1;
                    return;
                }
                if (pos_ >= settled) {
                    openComment = -1; // the next part looks for a comment here
                    break;
                }
                openComment = FindCommentStart(comments_, line, pos_);
                yield();
            }
            if (pos_ >= settled) continue;
        }

        if (!chars.isStartChar(line[pos_])) {
            const size_t next = FirstNonSpaceAfter(line, pos_);
            if (next == npos) {
                pos_ = line.size();
                if (goesOn) keepForNextPart(pos_);
                return;
            }
            pos_ = next;
            continue;
        }

        const size_t start = pos_;
        const int32_t n = chars.scanWordRun(line, pos_);
        pos_ += size_t(n);
        if (goesOn && pos_ == line.size() && n < MaxWordRunLength) {
            keepForNextPart(start); // the run may go on in the next part
            return;
        }
        const ustring_view run = ustring_view(line).substr(start, size_t(n));
        if (readingWords_) {
            if (const ustring_view word = finishWord(run); !word.empty()) sink_->addWord(word);
        } else if (run.size() > RunCache::kLongestRun) {
            if (const ustring_view word = finishWord(run); !word.empty()) {
                ++totalOccurrences_;
                passWord(word);
            }
        } else {
            countRun(run);
        }
        if (yield_.timesProcessed() != eventsSeen) [[unlikely]]
            eventsRan(eventsSeen);
        yield();
        if (stop_) return;
    }
}

} // namespace qd
