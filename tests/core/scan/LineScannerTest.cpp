#include "scan/LineScanner.h"

#include "ScanTestUtil.h"
#include "scan/CommentMarkers.h"
#include "scan/TextRoutines.h"

#include <gtest/gtest.h>

using namespace qd;
using namespace qd::test;

// --- The line as the scanner sees it ---

TEST_F(ScanTest, LastCharacterIsNeverPartOfAWordAndAnEmptyLineIsNoFault) {
    Set("IgnoreShortWords=0");
    run.strLine.clear();
    ScanLine(run);
    run.strLine = u"ab c"; // no space appended: the final "c" is not examined
    ScanLine(run);
    EXPECT_EQ(Words(), Strings{"ab"});
}

// --- Reading common words ---

TEST_F(ScanTest, ReadingCommonWordsSkipsEveryRuleButNotTheComments) {
    run.blnReadingWords = true;
    run.blnCharacterEntitiesPossible = true;
    run.CurrentExtraChars = strAllPossibleExtraChars;
    SetCommentMarkers(run, u"C");
    run.settings.DropFinalS = true;
    // Double hyphens and entities are left as they are.
    run.strLine = u"a didn its 2024 x'y' /* hidden */ zz x--y caf&eacute; ";
    ScanLine(run);
    EXPECT_EQ(Words(), (Strings{"2024", "a", "caf", "didn", "eacute", "its", "x'y", "x--y", "zz"}));
    EXPECT_EQ(run.lngTotalNumOccurrences, 0);
}

// --- Yielding and stopping ---

TEST_F(ScanTest, YieldsAfterEachWordOnlyOnceStartedUp) {
    run.yield.setEveryCall(true);
    Scan("one two three");
    EXPECT_EQ(host.processEventsCalls, 0);
    run.blnStartUpCompleted = true;
    Scan("one two three");
    // Once at each pass of the scanning loop (three words, two gaps) and once after each word.
    EXPECT_EQ(host.processEventsCalls, 8);
}

TEST_F(ScanTest, StopDuringAYieldEndsTheLineAfterTheCurrentWord) {
    run.blnStartUpCompleted = true;
    run.yield.setEveryCall(true);
    host.onProcessEvents = [this] {
        if (run.table.size() == 2) run.blnStop = true;
    };
    Scan("one two three four five");
    EXPECT_EQ(Words(), (Strings{"one", "two"}));
    EXPECT_TRUE(run.blnStop);
}

TEST_F(ScanTest, ExtraCharactersChangedDuringAYieldTakeEffect) {
    run.blnStartUpCompleted = true;
    run.yield.setEveryCall(true);
    host.onProcessEvents = [this] {
        if (run.table.size() == 1) run.CurrentExtraChars = u"";
    };
    Scan("well-known well-known");
    EXPECT_EQ(Words(), (Strings{"known", "well", "well-known"}));
}

// --- Bad input: no crash, every word around the damage found ---

TEST_F(ScanTest, Utf8LinesKeepStrayBytesAndReplaceTypographicForms) {
    Set("AllowWordsWithApostrophes=1");
    ustring line = Bytes({'c', 'a', 'f', 195, 169, ' ', 195, 'x', 'y', 'z', ' ', 194, 'b', 226,
                          130, ' ', 'e', 'n', 'd', 195, ' ', 'd', 'o', 'n', 226, 128, 153, 't'});
    DecodeUtf8PairsInPlace(line);
    ReplaceTypographicUtf8InPlace(line);
    Scan(line);
    // The stray bytes 194, 195 and 226 read as the letters Â, Ã and â and join their words;
    // the byte 130 (U+201A) separates.
    EXPECT_EQ(Words(), (Strings{"café", "don't", "endã", "âbâ", "ãxyz"}));
}

TEST_F(ScanTest, OverlongRunsOfLettersAreCutButNeverStored) {
    Set("IgnoreRepetitions=0 LongWordSize=15"); // the longest allowed still refuses these
    Scan(ustring(70000, u'a'));
    EXPECT_EQ(run.lngTotalNumOccurrences, 2);
    ustring line;
    for (int i = 0; i < (1 << 20); ++i)
        line.push_back(char16_t(u'a' + i % 26));
    Scan(line);
    EXPECT_EQ(run.lngTotalNumOccurrences, 2 + 17); // 16 runs of 65000 and the rest
    EXPECT_EQ(run.table.size(), 0);
}

TEST_F(ScanTest, MegabyteOfPunctuationShortWordsAndControlCharacters) {
    ustring line;
    for (int i = 0; i < (1 << 19); ++i)
        line += u"a,";
    Scan(line);
    EXPECT_EQ(run.lngTotalNumOccurrences, 1 << 19);
    EXPECT_EQ(run.table.size(), 0); // all short
    ustring controls;
    for (int i = 0; i < (1 << 20); ++i)
        controls.push_back(char16_t(i % 32));
    Scan(controls);
    EXPECT_EQ(run.lngTotalNumOccurrences, 1 << 19);
    Set("IgnoreShortWords=0");
    Scan(ustring(1 << 20, u','));
    Scan(line);
    EXPECT_EQ(Words(), Strings{"a"});
    EXPECT_EQ(Count("a"), 1 << 19);
}

TEST_F(ScanTest, MegabyteOfMarkupWithoutEnd) {
    SetCommentMarkers(run, u"PHP");
    run.blnCharacterEntitiesPossible = true;
    for (const char16_t* unit : {u"<", u"&", u"&#", u"&a", u"<!--", u"/*", u"-", u"&x;"}) {
        ustring line;
        while (line.size() < (1 << 20))
            line += unit;
        run.intWithinComment = -1;
        Scan(line);
    }
    EXPECT_EQ(run.table.size(), 0);
}

TEST_F(ScanTest, MegabyteOfShortTagsAndEntities) {
    SetCommentMarkers(run, u"HTML");
    run.blnCharacterEntitiesPossible = true;
    run.intWithinComment = -1;
    const ustring_view unit = u"<b>word</b>&lt;&#8217;s ";
    ustring line;
    while (line.size() < (1 << 20))
        line += unit;
    Scan(line);
    EXPECT_EQ(Count("word"), int32_t(line.size() / unit.size()));
    EXPECT_EQ(run.intWithinComment, -1);
}
