#include "scan/Scanner.h"

#include "scan/CaseFolding.h"
#include "scan/CommentMarkers.h"
#include "scan/IgnoredWords.h"
#include "scan/WordRules.h"
#include "support/RunFixtures.h"
#include "support/ScriptedHost.h"
#include "table/ExcludedWords.h"
#include "table/TableSink.h"

#include <gtest/gtest.h>

#include <map>

using namespace qd;
using Strings = std::vector<std::string>;

// A scanner with default settings that scans lines the way a count does, into a table.
class ScanTest : public ::testing::Test {
protected:
    ScanTest() {
        yield.attach(&host);
        scanner.setSink(&sink);
        scanner.rebuildExtraChars();
    }
    // Lowers the line, appends one space and scans it.
    void Scan(ustring line) {
        LowerCaseAccentedInPlace(line);
        scanner.line() = line + u' ';
        scanner.scanLine();
    }
    void Scan(const char* utf8) { Scan(FromUtf8(utf8)); }
    Strings Words() const { return test::TableWords(table); }
    int32_t Count(std::string_view word) const { return test::CountOf(table, word); }

    test::ScriptedHost host;
    Settings settings;
    WordLists lists;
    Yielder yield;
    bool stopRequested = false;
    bool yieldAllowed = false;
    Scanner scanner{settings, lists, yield, stopRequested, yieldAllowed};
    WordTable table;
    TableSink sink{table};
};

// --- Yielding and stopping ---

TEST_F(ScanTest, StopDuringAYieldEndsTheLineAfterTheCurrentWord) {
    yieldAllowed = true;
    yield.setEveryCall(true);
    host.onProcessEvents = [this] {
        if (table.size() == 2) stopRequested = true;
    };
    Scan("one two three four five");
    EXPECT_EQ(Words(), (Strings{"one", "two"}));
    EXPECT_TRUE(stopRequested);
}

// Yielding as a count does, not at every call: the scan counts its calls itself, and the
// host sees them as it would one by one (a clock past the interval at every reading).
TEST_F(ScanTest, CallsCountedByTheScanReachTheHostInStep) {
    Yielder::TimePoint now{};
    Yielder clocked{[&now] { return now += std::chrono::hours(1); }};
    clocked.attach(&host);
    Scanner counting{settings, lists, clocked, stopRequested, yieldAllowed};
    counting.setSink(&sink);
    counting.rebuildExtraChars();
    yieldAllowed = true;
    ustring line;
    for (int k = 0; k < 2000; ++k)
        line += u"word ";
    counting.line() = line;
    counting.scanLine();
    // Three calls a word, at the blank before it, at its first letter and after it; none
    // after the last.
    const uint32_t calls = 3 * 2000 - 1, every = Yielder::kCallsPerClockRead;
    EXPECT_EQ(host.processEventsCalls, int(calls / every));
    EXPECT_EQ(clocked.callsUntilDue(), every - calls % every);
    EXPECT_EQ(Count("word"), 2000);
}

TEST_F(ScanTest, ExtraCharactersAndWordsToIgnoreChangedDuringAYieldTakeEffect) {
    yieldAllowed = true;
    yield.setEveryCall(true);
    host.onProcessEvents = [this] {
        if (table.size() == 1) scanner.setExtraChars(u"");
    };
    Scan("well-known well-known");
    EXPECT_EQ(Words(), (Strings{"known", "well", "well-known"}));
    // The words to ignore too, though the scanner has seen the word before.
    host.onProcessEvents = [this] {
        if (Count("known") == 2) lists.wordsToIgnore.assign(u" known ");
    };
    Scan("known known known");
    EXPECT_EQ(Count("known"), 2);
}

// --- Long lines: cut into runs, never stored, markup without end ---

TEST_F(ScanTest, OverlongRunsOfLettersAreCutButNeverStored) {
    settings.ignore.IgnoreRepetitions = false;
    settings.ignore.LongWordSize = 15; // the longest allowed still refuses these
    Scan(ustring(70000, u'a'));
    EXPECT_EQ(scanner.totalOccurrences(), 2);
    ustring line;
    for (int i = 0; i < (1 << 20); ++i)
        line.push_back(char16_t(u'a' + i % 26));
    Scan(line);
    EXPECT_EQ(scanner.totalOccurrences(), 2 + 17); // 16 runs of 65000 and the rest
    EXPECT_EQ(table.size(), 0);
}

TEST_F(ScanTest, MegabyteOfPunctuationShortWordsAndControlsIsScanned) {
    ustring line;
    for (int i = 0; i < (1 << 19); ++i)
        line += u"a,";
    Scan(line);
    EXPECT_EQ(scanner.totalOccurrences(), 1 << 19);
    EXPECT_EQ(table.size(), 0); // all short
    ustring controls;
    for (int i = 0; i < (1 << 20); ++i)
        controls.push_back(char16_t(i % 32));
    Scan(controls);
    EXPECT_EQ(scanner.totalOccurrences(), 1 << 19);
    settings.ignore.IgnoreShortWords = false;
    scanner.startText();
    Scan(ustring(1 << 20, u','));
    Scan(line);
    EXPECT_EQ(Words(), Strings{"a"});
    EXPECT_EQ(Count("a"), 1 << 19);
}

TEST_F(ScanTest, MegabyteOfMarkupWithoutEndStoresNothing) {
    SetCommentMarkers(scanner, u"PHP");
    scanner.comments().entitiesPossible = true;
    for (const char16_t* unit : {u"<", u"&", u"&#", u"&a", u"<!--", u"/*", u"-", u"&x;"}) {
        ustring line;
        while (line.size() < (1 << 20))
            line += unit;
        scanner.comments().openComment = -1;
        Scan(line);
    }
    EXPECT_EQ(table.size(), 0);
}

TEST_F(ScanTest, MegabyteOfShortTagsAndEntitiesCountsEveryWord) {
    SetCommentMarkers(scanner, u"HTML");
    scanner.comments().entitiesPossible = true;
    scanner.comments().openComment = -1;
    const ustring_view unit = u"<b>word</b>&lt;&#8217;s ";
    ustring line;
    while (line.size() < (1 << 20))
        line += unit;
    Scan(line);
    EXPECT_EQ(Count("word"), int32_t(line.size() / unit.size()));
    EXPECT_EQ(scanner.comments().openComment, -1);
}

// --- Comments across lines and counts ---

TEST_F(ScanTest, OpenCommentOfAPairNoLongerInForceIsDropped) {
    SetCommentMarkers(scanner, u"C");
    scanner.comments().openComment = 42;

    Scan("still counted");
    EXPECT_EQ(Words(), (Strings{"counted", "still"}));
}

TEST_F(ScanTest, EndMarkerMayOverlapTheStartMarker) {
    SetCommentMarkers(scanner, u"PHP");
    CommentState& comments = scanner.comments();
    size_t pos = 0;
    comments.openComment = 4;
    SkipComment(comments, u"<?php echo ", pos);
    EXPECT_EQ(pos, 5u);
    EXPECT_EQ(comments.openComment, -1);
}

// --- Double hyphens ---

TEST(BlankDoubleHyphens, BlanksInMidLineButNotAtTheStartOrInCommentMarkup) {
    const std::pair<ustring_view, ustring_view> cases[] = {{u"see a--b", u"see a  b"},
                                                           {u"x----y", u"x--  y"},
                                                           {u"a--b", u"a--b"},
                                                           {u"--ab", u"--ab"},
                                                           {u"x <!-- y --> z", u"x <!-- y --> z"}};
    for (const auto& [in, out] : cases)
        EXPECT_EQ(BlankDoubleHyphens(in), out) << ToUtf8(in);
    const ustring out = BlankDoubleHyphens(ustring(1 << 20, u'-'));
    EXPECT_EQ(out.substr(0, 2), u"--");
    EXPECT_EQ(out.find(u'-', 2), ustring::npos);
}

// --- Why a word was left out: the first rule that excluded it, in the order applied ---

TEST_F(ScanTest, EachWordLeftOutGoesToTheIgnoredSinkUnderTheFirstRuleThatExcludedIt) {
    settings.words.Only7bitASCII = true;
    settings.words.AllowWordsWithNumerals = true;
    scanner.rebuildExtraChars();
    settings.ignore.IgnoreCommonWords = true;
    lists.wordsToIgnore.assign(u" banana über ");
    lists.commonWords = {u"banana", u"the"};
    ExcludedWords excluded;
    scanner.setIgnoredSink(&excluded);
    Scan(u"zz -42 -9 aaaa café über banana the apple " + ustring(51, u'x') + u" the");
    std::map<std::string, std::pair<IgnoreRule, int64_t>> why;
    for (const ExcludedWord& w : excluded.ordered(ListOrder::Alphabetical))
        why[ToUtf8(w.word)] = {w.rule, w.count};
    const std::map<std::string, std::pair<IgnoreRule, int64_t>> expected{
        {"zz", {IgnoreRule::TooShort, 1}}, // a repetition as well
        {"-42", {IgnoreRule::NoLetter, 1}},
        {"-9", {IgnoreRule::TooShort, 1}}, // no letter as well
        {"aaaa", {IgnoreRule::Repetition, 1}},
        {"café", {IgnoreRule::NotSevenBitAscii, 1}},
        {"über", {IgnoreRule::NotSevenBitAscii, 1}}, // a word to ignore as well
        {"banana", {IgnoreRule::WordToIgnore, 1}},   // a common word as well
        {"the", {IgnoreRule::CommonWord, 2}},
        {std::string(51, 'x'), {IgnoreRule::TooLong, 1}}, // a repetition as well
    };
    EXPECT_EQ(why, expected);
    EXPECT_EQ(Words(), Strings{"apple"});
    // Nobody asking, nothing is kept.
    scanner.setIgnoredSink(nullptr);
    Scan("aaaa the");
    EXPECT_EQ(excluded.tally()[IgnoreRule::Repetition].instances, 1);
    EXPECT_EQ(excluded.tally()[IgnoreRule::CommonWord].instances, 2);
}

// --- Words to ignore: a set built from the list ---

TEST(IgnoredWords, HoldsEveryWordOfALongListAndNothingElse) {
    IgnoredWords words;
    ustring list = u" ";
    for (int k = 0; k < 12000; ++k)
        list += u"w" + FromInt(k) + u" ";
    words.assign(list);
    EXPECT_TRUE(words.contains(u"w0") && words.contains(u"w6000") && words.contains(u"w11999"));
    EXPECT_FALSE(words.contains(u"w") || words.contains(u"w12000") || words.contains(u""));
    words.assign(u" one  two ");
    EXPECT_TRUE(words.contains(u"two") && words.contains(u""));
    words.clear();
    EXPECT_FALSE(words.contains(u"one"));
}
