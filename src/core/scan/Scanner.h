#pragma once
// The word scanner: the line being scanned and the position in it, the comment markers in
// force and the comment left open at the end of the last line, and the extra characters
// admitted in words. Each word that passes the rules goes to the sink. The owner (a count, a
// common-words read) prepares a line into line() and calls scanLine().

#include "scan/CommentMarkers.h"
#include "scan/IgnoreRule.h"
#include "scan/IgnoredWords.h"
#include "scan/ScanCache.h"
#include "scan/Settings.h"
#include "text/UString.h"
#include "text/Yielder.h"

#include <cstdint>
#include <vector>

namespace qd {

// Where the scanner puts the words it finds.
class WordSink {
public:
    virtual ~WordSink() = default;
    // Takes one occurrence of word. Returns a token (0 or more) by which addAgain takes
    // further occurrences of the same word, or -1.
    virtual int32_t addWord(ustring_view word) = 0;
    virtual void addAgain(int32_t token) { (void)token; }
};

// Where the words the rules leave out go, with the rule that excluded each, when someone asks
// why words were left out.
class IgnoredWordSink {
public:
    virtual ~IgnoredWordSink() = default;
    virtual void addIgnoredWord(ustring_view word, IgnoreRule rule) = 0;
};

// The word lists a count leaves out, kept by the session between counts.
struct WordLists {
    IgnoredWords wordsToIgnore;
    std::vector<ustring> commonWords; // sorted
    // The file the common words were last read from (or chosen in the settings window),
    // which CommonWordsFile leaves behind when the input file's language names another file.
    ustring commonWordsFile;
};

class Scanner {
public:
    // settings, lists, yield and stop belong to the owner; stop is read after each word, and
    // the scanner yields only while yieldAllowed (once the program has started up). The
    // scanner remembers what the rules made of the words it met: a change to the settings or
    // the lists takes effect at the next startText(), or after events processed in a yield.
    Scanner(const Settings& settings, const WordLists& lists, Yielder& yield, const bool& stop,
            const bool& yieldAllowed)
        : settings_(settings), lists_(lists), yield_(yield), stop_(stop),
          yieldAllowed_(yieldAllowed) {}
    Scanner(const Scanner&) = delete;
    Scanner& operator=(const Scanner&) = delete;

    const Settings& settings() const { return settings_; }
    void setSink(WordSink* sink) {
        sink_ = sink;
        cache_.runs.clear();
    }
    // Where the words left out go; null (the default) when nobody asks.
    void setIgnoredSink(IgnoredWordSink* sink) { ignoredSink_ = sink; }
    // One occurrence of word left out by rule: to the ignored sink, if any. The word sink
    // calls it for the rule it applies itself (the 80 characters a table stores).
    void ignoreWord(ustring_view word, IgnoreRule rule) {
        if (ignoredSink_) ignoredSink_->addIgnoredWord(word, rule);
    }

    // Reading a common-words file: every word goes to the sink as cut, no rule applies.
    bool readingWords() const { return readingWords_; }
    void setReadingWords(bool reading) {
        readingWords_ = reading;
        cache_.runs.clear();
    }

    // The line to scan, which the owner prepares (decoded, lower-cased unless case matters,
    // one space appended).
    ustring& line() { return line_; }

    // Scans the line: cleans it, blanks double hyphens and decodes entities (not while
    // reading common words), skips comments, and hands each word to the word rules
    // (counting it in totalOccurrences) or, while common words are read, straight to the
    // sink. Yields after each word and in comment skipping while yielding is allowed, and
    // returns after the current word when a stop is requested. An open comment stays open
    // for the next line.
    // A line too long to hold whole comes in parts, each but the last with lineGoesOn (and
    // without the appended space): the scanner then scans what the part settles and keeps
    // the rest (an unfinished word, entity or comment marker) for the next part, so that
    // the words are those of the whole line.
    void scanLine(bool lineGoesOn = false);
    // After a stop: scans the rest of the line, from the word after the last one scanned;
    // false when nothing remained.
    bool scanRest();
    // A new text begins, or the sink's words were cleared: no comment is open and nothing
    // of a line or of the words before is kept.
    void startText();

    // The comment markers in force and the comment left open.
    CommentState& comments() { return comments_; }
    const CommentState& comments() const { return comments_; }

    // The extra characters admitted inside words, from the allow-words-with settings, in the
    // order "-", "'" with the left single quotation mark (U+2018, code 145), "_", ":", "\",
    // "/", ".", "@", "0123456789". Rebuilt when a count starts and when a check asks.
    void rebuildExtraChars();
    void setExtraChars(ustring_view chars) {
        extraChars_ = chars;
        cache_.runs.clear();
    }
    const ustring& extraChars() const { return extraChars_; }

    // Every word cut from the text, counted or not.
    int64_t totalOccurrences() const { return totalOccurrences_; }
    void resetTotalOccurrences() { totalOccurrences_ = 0; }

private:
    // The word a run of word characters makes: final "'.:,()" are stripped, then (unless
    // common words are read) the drop-final-s rule and, when apostrophes may not join words,
    // the contraction rule, which gives "" for "s", "t" and contraction stems.
    ustring_view finishWord(ustring_view word);
    // The per-word rules of a count: the 7-bit test, the ignore rules, the words to ignore
    // and the common words; a word that survives goes to the sink, one left out to
    // ignoreWord.
    RunCache::Verdict passWord(ustring_view word);
    // A run of at most RunCache::kLongestRun characters in a count: its word, if any, goes
    // through the rules to the sink.
    void countRun(ustring_view run);
    // The first of those rules that excludes word, or IgnoreRule::None.
    IgnoreRule ruleExcluding(ustring_view word);
    void yieldInScan(uint32_t& eventsSeen);
    // Events ran: what the scan caches is looked at again.
    void eventsRan(uint32_t& eventsSeen);
    // Cleans, blanks double hyphens and decodes entities in the line as scanLine describes.
    void prepareLine();
    // The same for a part of a long line, with what the last part left.
    void preparePart();
    void scanPrepared();
    // Keeps the line from pos for the next part.
    void keepForNextPart(size_t pos);
    // How near the end of a part the scan stops, so that a comment marker or an entity
    // beginning there is seen whole.
    size_t partLookahead() const;

    const Settings& settings_;
    const WordLists& lists_;
    Yielder& yield_;
    const bool& stop_;
    const bool& yieldAllowed_;
    WordSink* sink_ = nullptr;
    IgnoredWordSink* ignoredSink_ = nullptr;
    bool readingWords_ = false;

    CommentState comments_;
    ustring extraChars_;
    ustring line_;
    size_t pos_ = 0;
    bool lineGoesOn_ = false;

    // What a part of a long line leaves for the next one.
    struct PartCarry {
        size_t preparedLength = 0; // cleaned characters of the line prepared so far
        ustring cleaned;           // cleaned, not yet blanked or decoded
        ustring before;            // the two cleaned characters before those, for "<!--"
        ustring prepared;          // prepared, not yet scanned
        bool skipToSemicolon = false;
        bool holdsLine() const {
            return preparedLength > 0 || !cleaned.empty() || !prepared.empty();
        }
    };
    PartCarry carry_;
    ScanCache cache_;
    int64_t totalOccurrences_ = 0;
};

} // namespace qd
