#include "scan/WordChars.h"

#include "ScanTestUtil.h"
#include "scan/WordExtractor.h"

#include <gtest/gtest.h>

using namespace qd;

// --- The character test: Latin-1 letters, digits with numerals, the extras by low byte ---

TEST(IsWordChar, ClassifiesByTheLowByteOfTheCode) {
    EXPECT_TRUE(IsWordChar(char16_t(0x0161), false, u""));   // like 'a'
    EXPECT_FALSE(IsWordChar(char16_t(0x2019), false, u"'")); // like a control character
    // The left quotation mark of the apostrophe setting answers to the code 145 only: the
    // character itself (low byte 0x18) is not admitted, a character with low byte 0x91 is.
    const ustring extras = u"'" + ustring(1, Cp1252ToUnicode(145));
    EXPECT_FALSE(IsWordChar(Cp1252ToUnicode(145), false, extras));
    EXPECT_TRUE(IsWordChar(char16_t(0x0191), false, extras));
}

TEST(WordCharTable, AgreesWithTheCharacterTest) {
    const ustring extras = u"-'\u2018_:\\/.@0123456789";
    for (const ustring_view e : {ustring_view(u""), ustring_view(u"-"), ustring_view(extras)}) {
        WordCharTable table;
        table.update(e);
        for (unsigned c = 0; c < 0x10000; c += 7)
            ASSERT_EQ(table.isWordChar(char16_t(c)), IsWordChar(char16_t(c), false, e)) << c;
    }
}

// --- Runs of word characters, up to the longest run ---

TEST(ScanWordRun, CountsConsecutiveWordCharacters) {
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
