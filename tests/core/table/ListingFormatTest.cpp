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

// --- Every format: entry lines with spaces and with commas, then the headers ---

TEST(DisplayNextLine, EntryLinesOfEveryFormat) {
    const WordEntry e = Entry("kiwi", 3, 12);
    const std::string R = "     3", F = "    12", W = "kiwi  ";
    const std::pair<std::string, std::string> expected[10] = {
        {" " + R + "  " + F + "  kiwi", "  " + R + ",  " + F + ",  kiwi"},
        {" " + R + "  " + W + "  " + F, "  " + R + ",  kiwi, " + F},
        {" " + R + "  " + F, "  " + R + ",  " + F},
        {" " + R + "  kiwi", "  " + R + ",  kiwi"},
        {" " + F + "  " + R, "  " + F + ",  " + R},
        {"  " + F + "  kiwi", "  " + F + ",  kiwi"},
        {"  " + W + " " + R, "  kiwi, " + R},
        {"  " + W + " " + F, "  kiwi, " + F},
        {"kiwi", "kiwi"},
        {"kiwi", "kiwi"},
    };
    for (int f = 0; f < 10; ++f) {
        EXPECT_EQ(Line(Layout(f, false), &e), expected[f].first) << "format " << f;
        EXPECT_EQ(Line(Layout(f, true), &e), expected[f].second) << "format " << f;
    }
}

TEST(DisplayNextLine, HeadersOfEveryFormat) {
    const std::string longest = " (longest has 5 characters)";
    const std::string spaces[9] = {
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
        EXPECT_EQ(Line(Layout(f, false), nullptr), spaces[f]) << "format " << f;
    EXPECT_EQ(Line(Layout(0, true), nullptr), "    Rank,    Freq,  Word" + longest);
    EXPECT_EQ(Line(Layout(1, true), nullptr), "    Rank,  Word,   Freq");
    EXPECT_EQ(Line(Layout(6, true), nullptr), "  Word,   Rank");
    EXPECT_EQ(Line(Layout(8, true), nullptr), "Word" + longest);
    EXPECT_TRUE(HasHeaderLine(8));
    EXPECT_FALSE(HasHeaderLine(9));
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

TEST(DisplayNextLine, SurroundingSpacesAreDroppedAndAccentsKept) {
    const WordEntry e = Entry("  fig ", 1, 2);
    EXPECT_EQ(Line(Layout(8, false), &e), "fig");
    EXPECT_EQ(Line(Layout(6, false), &e), "  fig         1");
    const WordEntry accented = Entry("café", 1, 2);
    EXPECT_EQ(Line(Layout(7, false), &accented), "  café        2");
    ustring line = u"left over from the last line"; // the caller's buffer is reused
    DisplayNextLine(Layout(8, false), &e, line);
    EXPECT_EQ(line, u"fig");
}

} // namespace
} // namespace qd
