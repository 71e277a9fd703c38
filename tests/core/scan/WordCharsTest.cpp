#include "scan/WordChars.h"

#include "ScanTestUtil.h"
#include "scan/WordExtractor.h"

#include <gtest/gtest.h>

using namespace qd;

// --- The character test: Latin-1 letters, digits with numerals, the extras by low byte ---

TEST(IsWordChar, lettersDigitsAndExtras) {
    for (const char16_t c : ustring(u"azAZéßÿÀÖØöø"))
        EXPECT_TRUE(IsWordChar(c, false, u"")) << int(c);
    for (const char16_t c : ustring(u" -'_.0¡¿ª×÷"))
        EXPECT_FALSE(IsWordChar(c, false, u"")) << int(c);
    EXPECT_TRUE(IsWordChar(u'7', true, u""));
    EXPECT_TRUE(IsWordChar(u'7', false, u"0123456789"));
    EXPECT_TRUE(IsWordChar(u'-', false, u"-"));
    EXPECT_FALSE(IsWordChar(u'-', false, u"'"));
    EXPECT_TRUE(IsWordChar(u"@x", false, u"@"));
    EXPECT_FALSE(IsWordChar(ustring_view(), false, u"@"));
}

TEST(IsWordChar, classifiesByTheLowByteOfTheCode) {
    EXPECT_TRUE(IsWordChar(char16_t(0x0161), false, u""));   // like 'a'
    EXPECT_FALSE(IsWordChar(char16_t(0x2019), false, u"'")); // like a control character
    // The left quotation mark of the apostrophe setting answers to the code 145 only: the
    // character itself (low byte 0x18) is not admitted, a character with low byte 0x91 is.
    const ustring extras = u"'" + ustring(1, Cp1252ToUnicode(145));
    EXPECT_FALSE(IsWordChar(Cp1252ToUnicode(145), false, extras));
    EXPECT_TRUE(IsWordChar(char16_t(0x0191), false, extras));
}

TEST(WordCharTable, agreesWithTheCharacterTest) {
    const ustring extras = u"-'\u2018_:\\/.@0123456789";
    for (const ustring_view e : {ustring_view(u""), ustring_view(u"-"), ustring_view(extras)}) {
        WordCharTable table;
        table.update(e);
        for (unsigned c = 0; c < 0x10000; c += 7)
            ASSERT_EQ(table.isWordChar(char16_t(c)), IsWordChar(char16_t(c), false, e)) << c;
    }
}

TEST(WordCharTable, startCharactersExcludeTheProhibitedInitials) {
    WordCharTable table;
    table.update(u"-'\u2018_:\\/.@0123456789");
    for (const char16_t c : ustring(u"-_\\/@09a"))
        EXPECT_TRUE(table.isStartChar(c)) << char(c);
    for (const char16_t c : ustring(u"'.:,()"))
        EXPECT_FALSE(table.isStartChar(c)) << char(c);
    table.update(u"");
    EXPECT_FALSE(table.isStartChar(u'-'));
}

// --- Runs of word characters, up to the longest run ---

TEST(ScanWordRun, countsConsecutiveWordCharacters) {
    EXPECT_EQ(ScanWordRun(u"well-known end", 0, false, u"-"), 10);
    EXPECT_EQ(ScanWordRun(u"well-known end", 0, false, u""), 4);
    EXPECT_EQ(ScanWordRun(u"well-known end", 11, false, u""), 3);
    EXPECT_EQ(ScanWordRun(u"abc", 3, false, u""), 0);
    EXPECT_EQ(ScanWordRun(u"abc", 99, false, u""), 0);
    EXPECT_EQ(ScanWordRun(u"", 0, false, u""), 0);
    const ustring letters(70000, u'a');
    EXPECT_EQ(ScanWordRun(letters, 0, false, u""), 65000);
    EXPECT_EQ(ScanWordRun(letters, 65000, false, u""), 5000);
    WordCharTable table;
    table.update(u"");
    EXPECT_EQ(table.scanWordRun(letters, 0), 65000);
}

// --- Extra characters and the 7-bit test ---

TEST(BuildCurrentExtraChars, followsTheSettingsInTheirOrder) {
    test::Scanner s;
    EXPECT_EQ(s.run.CurrentExtraChars, u"-");
    s.Set("AllowWordsWithApostrophes=1 AllowWordsWithUnderscores=1 AllowWordsWithColons=1 "
          "AllowWordsWithBackslashes=1 AllowWordsWithForwardslashes=1 AllowWordsWithPeriods=1 "
          "AllowWordsWithAtSigns=1 AllowWordsWithNumerals=1");
    EXPECT_EQ(s.run.CurrentExtraChars, u"-'\u2018_:\\/.@0123456789");
    s.Set("AllowWordsWithHyphens=0 AllowWordsWithApostrophes=0");
    EXPECT_EQ(s.run.CurrentExtraChars, u"_:\\/.@0123456789");
}

TEST(IsSevenBitAscii, judgesByTheLowByte) {
    EXPECT_TRUE(IsSevenBitAscii(u"plain"));
    EXPECT_TRUE(IsSevenBitAscii(u"\u0161")); // low byte 0x61
    EXPECT_FALSE(IsSevenBitAscii(u""));
    EXPECT_FALSE(IsSevenBitAscii(u"café"));
    EXPECT_FALSE(IsSevenBitAscii(u"x\u00FF"));
}
