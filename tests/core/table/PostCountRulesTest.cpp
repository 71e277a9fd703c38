#include "table/PostCountRules.h"
#include "RunState.h"
#include "support/ScriptedHost.h"
#include "table/AddWordToList.h"

#include <gtest/gtest.h>

#include <limits>

namespace qd {
namespace {

using test::ScriptedHost;

class PostCount : public ::testing::Test {
protected:
    ScriptedHost host;
    RunState run{host};

    PostCount() { run.settings.SuppressWords = true; }
    void add(const char* word, int count) {
        for (int k = 0; k < count; ++k)
            AddWordToList(run, U(word));
    }
    bool listed(const char* word) {
        for (int32_t i = 1; i <= run.table.size(); ++i)
            if (run.table[i].Word == U(word)) return run.table[i].Listed;
        ADD_FAILURE() << word << " not in the table";
        return false;
    }
};

// --- Roman numerals ------------------------------------------------------------------------

TEST(IsRomanBelow40, AnyStringOfIVXExceptThePronoun) {
    for (const char* s : {"xi", "XIV", "ivx", "vvx", "ii", "x", "V", " xiv ", "Xx"})
        EXPECT_TRUE(IsRomanBelow40(U(s))) << s;
    for (const char* s : {"I", "i", " i ", "xl", "mix", "xi1", "x-i", "í"})
        EXPECT_FALSE(IsRomanBelow40(U(s))) << s;
}

TEST_F(PostCount, RomanNumeralsAreHiddenOnlyWhenTheRuleIsOn) {
    for (const char* w : {"xi", "XIV", "ivx", "I", "i", "xl", "word"})
        add(w, 1);
    run.settings.IgnoreRomNum40 = true;
    ApplyPostCountRules(run);
    EXPECT_FALSE(listed("xi"));
    EXPECT_FALSE(listed("XIV"));
    EXPECT_FALSE(listed("ivx"));
    EXPECT_TRUE(listed("I"));
    EXPECT_TRUE(listed("i"));
    EXPECT_TRUE(listed("xl"));
    EXPECT_TRUE(listed("word"));

    run.settings.IgnoreRomNum40 = false;
    ApplyPostCountRules(run);
    EXPECT_TRUE(listed("xi"));
}

// --- Infrequent words ----------------------------------------------------------------------

TEST_F(PostCount, WordsBelowTheThresholdAreHidden) {
    add("thrice", 3);
    add("fourfold", 4);
    run.settings.IgnoreInfrequentWords = true;
    run.settings.ThresholdFrequency = 2;
    run.intThresholdFrequency = run.settings.thresholdFrequencyValue(); // 4
    ApplyPostCountRules(run);
    EXPECT_FALSE(listed("thrice"));
    EXPECT_TRUE(listed("fourfold"));

    run.settings.IgnoreInfrequentWords = false;
    ApplyPostCountRules(run);
    EXPECT_TRUE(listed("thrice"));
}

TEST_F(PostCount, BothRulesTogetherAndEveryEntryRecomputed) {
    add("xx", 5);
    add("rare", 1);
    add("common", 9);
    for (int32_t i = 1; i <= run.table.size(); ++i)
        run.table[i].Listed = false;
    run.settings.IgnoreRomNum40 = true;
    run.settings.IgnoreInfrequentWords = true;
    run.intThresholdFrequency = 2;
    ApplyPostCountRules(run);
    EXPECT_FALSE(listed("xx"));
    EXPECT_FALSE(listed("rare"));
    EXPECT_TRUE(listed("common"));
}

// --- Statistics ----------------------------------------------------------------------------

TEST_F(PostCount, StatisticsCountOnlyListedWords) {
    add("alpha", 3);
    add("be", 7);
    add("longestword", 1); // hidden below
    add("xiv", 2);
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
    EXPECT_EQ(run.lngNumWordsIncluded + run.lngNumWordsExcluded, run.table.size());
}

TEST_F(PostCount, EmptyTableGivesZeros) {
    run.lngNumWordsIncluded = 5;
    run.lngMaxFrequency = 5;
    ComputeListStatistics(run);
    EXPECT_EQ(run.lngNumWordsIncluded, 0);
    EXPECT_EQ(run.lngNumWordsExcluded, 0);
    EXPECT_EQ(run.lngNumOccurrences, 0);
    EXPECT_EQ(run.lngMaxFrequency, 0);
    EXPECT_EQ(run.intMaxWordLengthFound, 0);
}

TEST_F(PostCount, HugeCountsDoNotWrapToANegativeTotal) {
    add("a", 1);
    add("b", 1);
    run.table[1].Count = std::numeric_limits<int32_t>::max();
    run.table[2].Count = 5;
    ApplyPostCountRules(run);
    ComputeListStatistics(run);
    EXPECT_EQ(run.lngNumOccurrences, std::numeric_limits<int32_t>::max());
}

} // namespace
} // namespace qd
