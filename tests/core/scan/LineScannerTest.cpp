#include "scan/LineScanner.h"

#include "ScanTestUtil.h"
#include "scan/CommentMarkers.h"
#include "scan/TextRoutines.h"

#include <gtest/gtest.h>

using namespace qd;
using qd::test::Bytes;
using qd::test::CountOf;
using qd::test::ScanTest;

using Strings = std::vector<std::string>;

// --- Cutting words with the default settings ---

TEST_F(ScanTest, defaultSettingsCutAndTrimWords) {
    Scan("Well-known end. O'Brien's 'quoted' (x), 2024 e-mail");
    // Cut: well-known, end, o, brien, quoted, x, e-mail; "s" is a contraction fragment and
    // "2024" never starts a word. O and x are short.
    EXPECT_EQ(run.lngTotalNumOccurrences, 7);
    EXPECT_EQ(Words(), (Strings{"brien", "e-mail", "end", "quoted", "well-known"}));
}

TEST_F(ScanTest, nextWordStripsFinalProhibitedCharactersAndAdvances) {
    run.settings.AllowWordsWithApostrophes = true;
    run.settings.AllowWordsWithPeriods = true;
    run.settings.AllowWordsWithColons = true;
    Rebuild();
    run.strLine = u"don't' x.: end. ";
    run.lngLP = 0;
    EXPECT_EQ(NextWord(run), u"don't");
    EXPECT_EQ(run.lngLP, 6u);
    run.lngLP = 7;
    EXPECT_EQ(NextWord(run), u"x");
    EXPECT_EQ(run.lngLP, 10u);
    EXPECT_EQ(NextWord(run), u"");
    EXPECT_EQ(run.lngLP, 10u);
}

TEST_F(ScanTest, apostrophesAllowedKeepNamesWhole) {
    run.settings.AllowWordsWithApostrophes = true;
    Rebuild();
    Scan("O'Brien's 'quoted'");
    EXPECT_EQ(Words(), (Strings{"o'brien's", "quoted"}));
}

TEST_F(ScanTest, periodsAllowed) {
    run.settings.AllowWordsWithPeriods = true;
    run.settings.IgnoreShortWords = false;
    Rebuild();
    Scan("e.g. ...end");
    EXPECT_EQ(Words(), (Strings{"e.g", "end"}));
}

TEST_F(ScanTest, typographicApostropheSplitsUnlessReplaced) {
    run.settings.AllowWordsWithApostrophes = true;
    run.settings.IgnoreShortWords = false;
    Rebuild();
    Scan(FromCp1252("don\x92t")); // byte 146 of an ANSI file
    EXPECT_EQ(Words(), (Strings{"don", "t"}));
    run.table.clear();
    ustring utf8Line = Bytes({'d', 'o', 'n', 226, 128, 153, 't'});
    DecodeUtf8PairsInPlace(utf8Line);
    ReplaceTypographicUtf8InPlace(utf8Line);
    Scan(utf8Line);
    EXPECT_EQ(Words(), Strings{"don't"});
}

TEST_F(ScanTest, hyphensMayBeginAndEndAWord) {
    run.settings.IgnoreShortWords = false;
    Scan("-x- see a--b");
    EXPECT_EQ(Words(), (Strings{"-x-", "a", "b", "see"}));
}

TEST_F(ScanTest, doubleHyphenAtTheStartOfTheLineStays) {
    run.settings.IgnoreShortWords = false;
    Scan("a--b");
    EXPECT_EQ(Words(), Strings{"a--b"});
}

TEST_F(ScanTest, signsSplitWordsLettersDoNot) {
    run.settings.IgnoreShortWords = false;
    Scan(Bytes({'a', 215, 'b', 247, 'c', ' ', 'x', 233, 223, 255, 'y'}));
    EXPECT_EQ(Words(), (Strings{"a", "b", "c", "xéßÿy"}));
}

TEST_F(ScanTest, digitsMayStartAWordOnlyWhenAllowed) {
    run.settings.IgnoreNoLetter = false;
    Scan("x2024y");
    EXPECT_EQ(Words(), Strings{});
    run.settings.AllowWordsWithNumerals = true;
    Rebuild();
    Scan("2024 x2y");
    EXPECT_EQ(Words(), (Strings{"2024", "x2y"}));
}

TEST_F(ScanTest, caseSignificantKeepsCapitals) {
    run.settings.CaseSignificant = true;
    Scan("The the THE");
    EXPECT_EQ(Words(), (Strings{"THE", "The", "the"}));
}

TEST_F(ScanTest, spacesOnlyOrNothingProduceNoWord) {
    Scan("     ");
    Scan("");
    run.strLine.clear();
    ScanLine(run);
    EXPECT_EQ(run.table.size(), 0);
    EXPECT_EQ(run.lngTotalNumOccurrences, 0);
}

TEST_F(ScanTest, lastCharacterIsNeverPartOfAWord) {
    run.settings.IgnoreShortWords = false;
    run.strLine = u"ab c"; // no space appended: the final "c" is not examined
    ScanLine(run);
    EXPECT_EQ(Words(), Strings{"ab"});
}

TEST_F(ScanTest, tabsAndLineBreaksInsideALineSeparateWords) {
    Scan(u"one\ttwo\r\nthree\ffour\u00A0five");
    EXPECT_EQ(Words(), (Strings{"five", "four", "one", "three", "two"}));
}

TEST_F(ScanTest, repeatedWordsAreCounted) {
    Scan("the cat and the hat and the bat");
    EXPECT_EQ(CountOf(run, "the"), 3);
    EXPECT_EQ(CountOf(run, "and"), 2);
    EXPECT_EQ(run.lngTotalNumOccurrences, 8);
}

// --- Reading common words ---

TEST_F(ScanTest, readingCommonWordsSkipsEveryRule) {
    run.blnReadingWords = true;
    run.CurrentExtraChars = strAllPossibleExtraChars;
    SetCommentMarkers(run, u"C");
    run.settings.DropFinalS = true;
    run.strLine = u"a didn its 2024 x'y' /* hidden */ zz ";
    ScanLine(run);
    EXPECT_EQ(Words(), (Strings{"2024", "a", "didn", "its", "x'y", "zz"}));
    EXPECT_EQ(run.lngTotalNumOccurrences, 0);
}

TEST_F(ScanTest, readingCommonWordsLeavesDoubleHyphensAndEntities) {
    run.blnReadingWords = true;
    run.blnCharacterEntitiesPossible = true;
    SetCommentMarkers(run, u"C");
    run.strLine = u"see x--y caf&eacute; ";
    ScanLine(run);
    EXPECT_EQ(Words(), (Strings{"caf", "eacute", "see", "x--y"}));
}

// --- Yielding and stopping ---

TEST_F(ScanTest, noYieldBeforeStartUpIsComplete) {
    run.yield.setEveryCall(true);
    Scan("one two three");
    EXPECT_EQ(host.processEventsCalls, 0);
}

TEST_F(ScanTest, yieldsAfterEachWordOnceStartedUp) {
    run.blnStartUpCompleted = true;
    run.yield.setEveryCall(true);
    Scan("one two three");
    // Once at each pass of the scanning loop (three words, two gaps) and once after each word.
    EXPECT_EQ(host.processEventsCalls, 8);
}

TEST_F(ScanTest, stopDuringAYieldEndsTheLineAfterTheCurrentWord) {
    run.blnStartUpCompleted = true;
    run.yield.setEveryCall(true);
    host.onProcessEvents = [this] {
        if (run.table.size() == 2) run.blnStop = true;
    };
    Scan("one two three four five");
    EXPECT_EQ(Words(), (Strings{"one", "two"}));
    EXPECT_TRUE(run.blnStop);
}

TEST_F(ScanTest, extraCharactersChangedDuringAYieldTakeEffect) {
    run.blnStartUpCompleted = true;
    run.yield.setEveryCall(true);
    host.onProcessEvents = [this] {
        if (run.table.size() == 1) run.CurrentExtraChars = u"";
    };
    Scan("well-known well-known");
    EXPECT_EQ(Words(), (Strings{"known", "well", "well-known"}));
}

// --- Bad input ---

TEST_F(ScanTest, runOf70000LettersGivesTwoWordsNeitherStored) {
    run.settings.IgnoreRepetitions = false;
    run.settings.LongWordSize = 15; // the longest allowed still refuses these
    Scan(ustring(70000, u'a'));
    EXPECT_EQ(run.lngTotalNumOccurrences, 2);
    EXPECT_EQ(run.table.size(), 0);
}

TEST_F(ScanTest, megabyteLineWithoutSpace) {
    ustring line;
    for (int i = 0; i < (1 << 20); ++i)
        line.push_back(char16_t(u'a' + i % 26));
    Scan(line);
    EXPECT_EQ(run.lngTotalNumOccurrences, 17); // 16 runs of 65000 and the rest
    EXPECT_EQ(run.table.size(), 0);
}

TEST_F(ScanTest, megabyteOfPunctuationAndShortWords) {
    ustring line;
    for (int i = 0; i < (1 << 19); ++i)
        line += u"a,";
    Scan(line);
    EXPECT_EQ(run.lngTotalNumOccurrences, 1 << 19);
    EXPECT_EQ(run.table.size(), 0); // all short
    run.settings.IgnoreShortWords = false;
    Scan(ustring(1 << 20, u','));
    Scan(line);
    EXPECT_EQ(CountOf(run, "a"), 1 << 19);
}

TEST_F(ScanTest, lineOfControlCharactersOnly) {
    ustring line;
    for (int i = 0; i < (1 << 20); ++i)
        line.push_back(char16_t(i % 32));
    Scan(line);
    EXPECT_EQ(run.table.size(), 0);
    EXPECT_EQ(run.lngTotalNumOccurrences, 0);
}

TEST_F(ScanTest, invalidUtf8StaysAndWordsAroundItAreFound) {
    ustring line = Bytes({'c', 'a', 'f', 195, 169, ' ', 195, 'x', 'y', 'z',
                          ' ', 194, 'b', 226, 130, ' ', 'e', 'n', 'd', 195});
    DecodeUtf8PairsInPlace(line);
    ReplaceTypographicUtf8InPlace(line);
    Scan(line);
    // The stray bytes 194, 195 and 226 read as the letters Â, Ã and â and join their words;
    // the byte 130 (U+201A) separates.
    EXPECT_EQ(Words(), (Strings{"café", "endã", "âbâ", "ãxyz"}));
}

TEST_F(ScanTest, megabyteOfMarkupWithoutEnd) {
    SetCommentMarkers(run, u"PHP");
    run.blnCharacterEntitiesPossible = true;
    run.intWithinComment = -1;
    for (const char16_t* unit : {u"<", u"&", u"&#", u"&a", u"<!--", u"/*", u"-", u"&x;"}) {
        ustring line;
        while (line.size() < (1 << 20))
            line += unit;
        Scan(line);
        run.intWithinComment = -1;
    }
    EXPECT_EQ(run.table.size(), 0);
}

TEST_F(ScanTest, megabyteOfShortTagsAndEntities) {
    SetCommentMarkers(run, u"HTML");
    run.blnCharacterEntitiesPossible = true;
    run.intWithinComment = -1;
    const ustring_view unit = u"<b>word</b>&lt;&#8217;s ";
    ustring line;
    while (line.size() < (1 << 20))
        line += unit;
    Scan(line);
    EXPECT_EQ(CountOf(run, "word"), int32_t(line.size() / unit.size()));
    EXPECT_EQ(run.intWithinComment, -1);
}

TEST_F(ScanTest, controlCharactersAnywhereInALongLineAreCleaned) {
    Scan(u"alpha beta gamma delta epsilon\tzeta\beta2 theta\fiota kappa\r\nlambda");
    EXPECT_EQ(Words(), (Strings{"alpha", "beta", "delta", "epsilon", "gamma", "iota", "kappa",
                                "lambda", "theta", "zetaeta"}));
}
