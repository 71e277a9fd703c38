#include "table/ListingFormat.h"
#include "table/WordTable.h"

#include <gtest/gtest.h>

#include <string>

namespace qd {
namespace {

std::string Line(const ListingLayout& layout, const WordEntry* entry) {
    return ToUtf8(DisplayNextLine(layout, entry));
}

WordEntry Entry(const char* word, int32_t rank, int32_t count) {
    WordEntry e;
    e.Word = U(word);
    e.Rank = rank;
    e.Count = count;
    e.Listed = true;
    return e;
}

// Widths 6, 6 and 6; the longest word has 5 characters.
ListingLayout Layout(int format, bool commas) {
    return MakeListingLayout(format, commas, 3, 12, 5, 6);
}

// --- Column widths -------------------------------------------------------------------------

TEST(MakeListingLayout, WidthsAreDigitsOrLengthButAtLeastTheMinimum) {
    const ListingLayout a = MakeListingLayout(0, false, 1234567, 12, 3, 6);
    EXPECT_EQ(a.rankWidth, 7);
    EXPECT_EQ(a.freqWidth, 6);
    EXPECT_EQ(a.wordWidth, 6);
    const ListingLayout b = MakeListingLayout(0, false, 0, 99999999, 17, 6);
    EXPECT_EQ(b.rankWidth, 6);
    EXPECT_EQ(b.freqWidth, 8);
    EXPECT_EQ(b.wordWidth, 17);
    EXPECT_EQ(b.maxWordLengthFound, 17);
}

// --- Every format, space layout ------------------------------------------------------------

TEST(DisplayNextLine, SpaceLayoutOfEveryFormat) {
    const WordEntry e = Entry("kiwi", 3, 12);
    const std::string R = "     3", F = "    12";
    const std::string expected[10] = {
        " " + R + "  " + F + "  " + "kiwi",
        " " + R + "  " + "kiwi  " + "  " + F,
        " " + R + "  " + F,
        " " + R + "  " + "kiwi",
        " " + F + "  " + R,
        "  " + F + "  " + "kiwi",
        "  " + std::string("kiwi  ") + " " + R,
        "  " + std::string("kiwi  ") + " " + F,
        "kiwi",
        "kiwi",
    };
    for (int f = 0; f < 10; ++f)
        EXPECT_EQ(Line(Layout(f, false), &e), expected[f]) << "format " << f;
}

TEST(DisplayNextLine, SpaceLayoutHeaders) {
    const std::string longest = " (longest has 5 characters)";
    const std::string expected[9] = {
        "   Rank    Freq  Word" + longest,
        "   Rank  Word      Freq",
        "   Rank    Freq",
        "   Rank  Word" + longest,
        "   Freq    Rank",
        "    Freq  Word" + longest,
        "  Word     Rank",
        "  Word     Freq",
        "Word" + longest,
    };
    for (int f = 0; f < 9; ++f)
        EXPECT_EQ(Line(Layout(f, false), nullptr), expected[f]) << "format " << f;
    EXPECT_TRUE(HasHeaderLine(8));
    EXPECT_FALSE(HasHeaderLine(9));
}

// --- Every format, comma layout ------------------------------------------------------------

TEST(DisplayNextLine, CommaLayoutOfEveryFormat) {
    const WordEntry e = Entry("kiwi", 3, 12);
    const std::string R = "     3", F = "    12";
    const std::string expected[10] = {
        "  " + R + ",  " + F + ",  " + "kiwi",
        "  " + R + ",  " + "kiwi, " + F,
        "  " + R + ",  " + F,
        "  " + R + ",  " + "kiwi",
        "  " + F + ",  " + R,
        "  " + F + ",  " + "kiwi",
        "  " + std::string("kiwi, ") + R,
        "  " + std::string("kiwi, ") + F,
        "kiwi",
        "kiwi",
    };
    for (int f = 0; f < 10; ++f)
        EXPECT_EQ(Line(Layout(f, true), &e), expected[f]) << "format " << f;
}

TEST(DisplayNextLine, CommaLayoutHeaders) {
    EXPECT_EQ(Line(Layout(0, true), nullptr),
              "    Rank,    Freq,  Word (longest has 5 characters)");
    EXPECT_EQ(Line(Layout(1, true), nullptr), "    Rank,  Word,   Freq");
    EXPECT_EQ(Line(Layout(6, true), nullptr), "  Word,   Rank");
    EXPECT_EQ(Line(Layout(8, true), nullptr), "Word (longest has 5 characters)");
}

// --- Edges ---------------------------------------------------------------------------------

TEST(DisplayNextLine, WordsLongerThanTheColumnAndNumbersWiderThanIt) {
    const ListingLayout layout = MakeListingLayout(1, false, 3, 12, 9, 6);
    const WordEntry e = Entry("blueberry", 1234567, 12);
    EXPECT_EQ(Line(layout, &e), " 1234567  blueberry      12");
    const WordEntry shorter = Entry("fig", 2, 1);
    EXPECT_EQ(Line(layout, &shorter),
              std::string(" ") + "     2" + "  " + "fig      " + "  " + "     1");
}

TEST(DisplayNextLine, SurroundingSpacesOfAWordAreDropped) {
    const WordEntry e = Entry("  fig ", 1, 2);
    EXPECT_EQ(Line(Layout(8, false), &e), "fig");
    EXPECT_EQ(Line(Layout(6, false), &e), "  fig         1");
}

TEST(DisplayNextLine, ReusesTheCallersBuffer) {
    ustring line = u"left over from the last line";
    const WordEntry e = Entry("fig", 1, 2);
    DisplayNextLine(Layout(8, false), &e, line);
    EXPECT_EQ(line, u"fig");
}

TEST(DisplayNextLine, AccentedWordsKeepTheirCharacters) {
    const WordEntry e = Entry("café", 1, 2);
    EXPECT_EQ(Line(Layout(7, false), &e), "  café        2");
}

} // namespace
} // namespace qd
