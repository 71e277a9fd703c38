#include "table/PostCountRules.h"
#include "RunState.h"
#include "support/RunFixtures.h"
#include "support/ScriptedHost.h"
#include "table/AddWordToList.h"

#include <gtest/gtest.h>

#include <limits>

namespace qd {
namespace {

class PostCount : public ::testing::Test {
protected:
    test::ScriptedHost host;
    RunState run{host};

    PostCount() { run.settings.SuppressWords = true; }
};

// --- Roman numerals below 40: any string of i, v and x but the pronoun ---

TEST(IsRomanBelow40, AnyStringOfIVXExceptThePronoun) {
    for (const char* s : {"xi", "XIV", "ivx", "vvx", "ii", "x", "V", " xiv ", "Xx"})
        EXPECT_TRUE(IsRomanBelow40(U(s))) << s;
    for (const char* s : {"I", "i", " i ", "xl", "mix", "xi1", "x-i", "í"})
        EXPECT_FALSE(IsRomanBelow40(U(s))) << s;
}

// --- Statistics of the listed words ---

TEST_F(PostCount, StatisticsCountOnlyListedWords) {
    test::AddWords(run, {{"alpha", 3}, {"be", 7}, {"longestword", 1}, {"xiv", 2}});
    run.settings.IgnoreRomNum40 = true;
    run.settings.IgnoreInfrequentWords = true;
    run.intThresholdFrequency = 2;
    ApplyPostCountRules(run);
    run.intMaxWordLengthFound = 99; // from an earlier run
    ComputeListStatistics(run);
    EXPECT_EQ(run.lngNumWordsIncluded, 2);
    EXPECT_EQ(run.lngNumWordsExcluded, 2);
    EXPECT_EQ(run.lngNumOccurrences, 10);
    EXPECT_EQ(run.lngMaxFrequency, 7);
    EXPECT_EQ(run.intMaxWordLengthFound, 5);
}

TEST_F(PostCount, HugeCountsDoNotWrapToANegativeTotal) {
    test::AddWords(run, {{"a", 1}, {"b", 1}});
    run.table[1].Count = std::numeric_limits<int32_t>::max();
    run.table[2].Count = 5;
    ApplyPostCountRules(run);
    ComputeListStatistics(run);
    EXPECT_EQ(run.lngNumOccurrences, std::numeric_limits<int32_t>::max());
}

} // namespace
} // namespace qd
