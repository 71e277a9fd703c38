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
    // The words that are listed, in table order.
    std::vector<std::string> listed() const {
        std::vector<std::string> words;
        for (int32_t i = 1; i <= run.table.size(); ++i)
            if (run.table[i].Listed) words.push_back(ToUtf8(run.table[i].Word));
        return words;
    }
};

using Strings = std::vector<std::string>;

// --- Roman numerals below 40 and infrequent words are hidden only while their rule is on ---

TEST(IsRomanBelow40, AnyStringOfIVXExceptThePronoun) {
    for (const char* s : {"xi", "XIV", "ivx", "vvx", "ii", "x", "V", " xiv ", "Xx"})
        EXPECT_TRUE(IsRomanBelow40(U(s))) << s;
    for (const char* s : {"I", "i", " i ", "xl", "mix", "xi1", "x-i", "í"})
        EXPECT_FALSE(IsRomanBelow40(U(s))) << s;
}

TEST_F(PostCount, EachRuleHidesItsWordsAndEveryEntryIsRecomputed) {
    test::AddWords(
        run,
        {{"xi", 5}, {"XIV", 1}, {"I", 1}, {"i", 1}, {"xl", 1}, {"fourfold", 4}, {"thrice", 3}});
    for (int32_t i = 1; i <= run.table.size(); ++i)
        run.table[i].Listed = false;
    run.settings.IgnoreRomNum40 = false;
    ApplyPostCountRules(run);
    EXPECT_EQ(listed().size(), size_t(run.table.size()));
    run.settings.IgnoreRomNum40 = true;
    ApplyPostCountRules(run);
    EXPECT_EQ(listed(), (Strings{"I", "fourfold", "i", "thrice", "xl"}));
    run.settings.IgnoreRomNum40 = false;
    run.settings.IgnoreInfrequentWords = true;
    run.settings.ThresholdFrequency = 2;
    run.intThresholdFrequency = run.settings.thresholdFrequencyValue(); // 4
    ApplyPostCountRules(run);
    EXPECT_EQ(listed(), (Strings{"fourfold", "xi"}));
    run.settings.IgnoreRomNum40 = true;
    ApplyPostCountRules(run);
    EXPECT_EQ(listed(), Strings{"fourfold"});
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

    run.table.clear();
    ComputeListStatistics(run);
    EXPECT_EQ(run.lngNumWordsIncluded + run.lngNumWordsExcluded + run.lngNumOccurrences, 0);
    EXPECT_EQ(run.lngMaxFrequency, 0);
    EXPECT_EQ(run.intMaxWordLengthFound, 0);
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
