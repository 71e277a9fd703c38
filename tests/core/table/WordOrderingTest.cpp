#include "table/WordOrdering.h"
#include "RunState.h"
#include "support/ScriptedHost.h"
#include "table/AddWordToList.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace qd {
namespace {

using test::ScriptedHost;

// --- Reference: the ordering steps exactly as the program has always taken them ------------

struct RefRecord {
    ustring key;
    ustring word;
};

ustring RefKey(const RefRecord& r, int start) {
    return start - 1 < int(r.key.size()) ? r.key.substr(size_t(start - 1)) : ustring();
}

void RefQuickSortDescending(std::vector<RefRecord>& a, int lo, int hi, int start) {
    if (!(lo < hi)) return;
    const ustring p = RefKey(a[size_t(lo + (hi - lo) / 2)], start);
    int i = lo, j = hi;
    while (i <= j) {
        while (i < hi && RefKey(a[size_t(i)], start) > p)
            i = i + 1;
        while (j > lo && RefKey(a[size_t(j)], start) < p)
            j = j - 1;
        if (i <= j) {
            if (i < j) std::swap(a[size_t(i)], a[size_t(j)]);
            i = i + 1;
            j = j - 1;
        }
    }
    if (lo < j) RefQuickSortDescending(a, lo, j, start);
    if (i < hi) RefQuickSortDescending(a, i, hi, start);
}

void RefSort(std::vector<RefRecord>& a, int lo, int hi, int start) {
    if (!(lo < hi)) return;
    RefQuickSortDescending(a, lo, hi, start);
    for (int k = 0; lo + k < hi - k; ++k)
        std::swap(a[size_t(lo + k)], a[size_t(hi - k)]);
}

struct RefOrder {
    std::vector<int32_t> rank, next; // 1-based, index 0 unused
    int32_t firstFreq = 0;
    ustring marks;
};

// One pass over the table per count value, one scan per rank while linking.
RefOrder RefBuildFrequencyOrder(const WordTable& t, int32_t maxFrequency, int32_t included) {
    const int32_t n = t.size();
    RefOrder o;
    o.rank.assign(size_t(n + 1), 0);
    o.next.assign(size_t(n + 1), 0);
    int32_t r = 0;
    for (int32_t f = maxFrequency; f >= 1; --f)
        for (int32_t index = 1; index <= n; ++index)
            if (t[index].Listed && t[index].Count == f) {
                r = r + 1;
                o.rank[size_t(index)] = r;
                if (r == 1) o.firstFreq = index;
            }
    if (o.firstFreq == 0) return o;
    int32_t p = o.firstFreq;
    r = 1;
    for (;;) {
        for (int32_t k = 1; k <= n; ++k)
            if (o.rank[size_t(k)] == r + 1) {
                o.next[size_t(p)] = k;
                p = k;
                break;
            }
        if (r == included) break;
        r = r + 1;
        if (r % 1000 == 0) o.marks += u" .";
    }
    return o;
}

// --- Fixtures ------------------------------------------------------------------------------

// Words over a small alphabet whose capitals and accents fold together, so keys tie often.
ustring RandomWord(std::mt19937& rng) {
    static const ustring letters = u"aAbBáÁ-1";
    std::uniform_int_distribution<int> len(1, 3), pick(0, int(letters.size()) - 1);
    ustring w;
    for (int k = len(rng); k > 0; --k)
        w.push_back(letters[size_t(pick(rng))]);
    return w;
}

void FillRandomTable(RunState& run, std::mt19937& rng, int words) {
    run.settings.SuppressWords = true;
    run.table.clear();
    for (int k = 0; k < words; ++k)
        AddWordToList(run, RandomWord(rng));
}

std::vector<ustring> TableWords(const WordTable& t) {
    std::vector<ustring> w;
    for (int32_t i = 1; i <= t.size(); ++i)
        w.push_back(t[i].Word);
    return w;
}

void SetCounts(RunState& run, std::initializer_list<std::pair<const char*, int>> counts) {
    run.settings.SuppressWords = true;
    for (auto [word, count] : counts)
        for (int k = 0; k < count; ++k)
            AddWordToList(run, U(word));
}

void StatisticsFromTable(RunState& run) {
    run.lngNumWordsIncluded = 0;
    run.lngMaxFrequency = 0;
    for (int32_t i = 1; i <= run.table.size(); ++i)
        if (run.table[i].Listed) {
            ++run.lngNumWordsIncluded;
            run.lngMaxFrequency = std::max(run.lngMaxFrequency, run.table[i].Count);
        }
}

// --- SortWordTable -------------------------------------------------------------------------

TEST(SortWordTable, OrdersByKeyCodeUnits) {
    ScriptedHost host;
    RunState run(host);
    SetCounts(run, {{"b", 1}, {"ab", 1}, {"a1", 1}, {"a-b", 1}});
    SortWordTable(run.table, 1, run.table.size(), 1);
    EXPECT_EQ(TableWords(run.table), (std::vector<ustring>{u"a-b", u"a1", u"ab", u"b"}));
}

TEST(SortWordTable, FoldsAccentsAndCaseThroughTheKey) {
    ScriptedHost host;
    RunState run(host);
    SetCounts(run, {{"zebra", 1}, {"Éclair", 1}, {"apple", 1}});
    SortWordTable(run.table, 1, run.table.size(), 1);
    EXPECT_EQ(TableWords(run.table), (std::vector<ustring>{u"apple", u"Éclair", u"zebra"}));
}

TEST(SortWordTable, WholeRecordsMoveWithTheirKeys) {
    ScriptedHost host;
    RunState run(host);
    SetCounts(run, {{"Zulu", 3}, {"alpha", 1}});
    run.table[1].Listed = false; // "Zulu" comes first by Word, last by key
    SortWordTable(run.table, 1, 2, 1);
    EXPECT_EQ(run.table[1].Word, u"alpha");
    EXPECT_TRUE(run.table[1].Listed);
    EXPECT_EQ(run.table[2].Word, u"Zulu");
    EXPECT_EQ(run.table[2].Count, 3);
    EXPECT_FALSE(run.table[2].Listed);
}

TEST(SortWordTable, EmptyOneEntryAndOutOfRangeBoundsAreHarmless) {
    ScriptedHost host;
    RunState run(host);
    SortWordTable(run.table, 1, 0, 1);
    SetCounts(run, {{"only", 2}});
    SortWordTable(run.table, 1, 1, 1);
    EXPECT_EQ(run.table[1].Word, u"only");
    SetCounts(run, {{"b", 1}, {"a", 1}});
    SortWordTable(run.table, 0, 99, 1);
    EXPECT_EQ(TableWords(run.table), (std::vector<ustring>{u"a", u"b", u"only"}));
}

TEST(SortWordTable, TiesComeOutExactlyAsTheProgramsQuicksortLeavesThem) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 300; ++round) {
        ScriptedHost host;
        RunState run(host);
        FillRandomTable(run, rng, 1 + round % 120);
        const int32_t n = run.table.size();
        std::vector<RefRecord> ref;
        for (int32_t i = 1; i <= n; ++i)
            ref.push_back({run.table[i].SortKey, run.table[i].Word});
        const int start = 1 + round % 3;
        const int lo = 1 + (round % 5 == 0 ? n / 3 : 0);
        const int hi = n - (round % 7 == 0 ? n / 4 : 0);
        RefSort(ref, lo - 1, hi - 1, start);
        SortWordTable(run.table, lo, hi, start);
        for (int32_t i = 1; i <= n; ++i)
            ASSERT_EQ(run.table[i].Word, ref[size_t(i - 1)].word)
                << "round " << round << " entry " << i;
    }
}

TEST(SortWordTable, SortedReversedAndAllEqualInputsMatchTheReference) {
    for (int shape = 0; shape < 3; ++shape) {
        ScriptedHost host;
        RunState run(host);
        run.settings.SuppressWords = true;
        for (int k = 0; k < 2000; ++k)
            AddWordToList(run, FromInt(10000 + k));
        if (shape == 1) // reversed by key
            for (int32_t a = 1, b = run.table.size(); a < b; ++a, --b)
                run.table.swapEntries(a, b);
        if (shape == 2) // every key equal
            for (int32_t i = 1; i <= run.table.size(); ++i)
                run.table[i].SortKey = u"same";
        std::vector<RefRecord> ref;
        for (int32_t i = 1; i <= run.table.size(); ++i)
            ref.push_back({run.table[i].SortKey, run.table[i].Word});
        RefSort(ref, 0, int(ref.size()) - 1, 1);
        SortWordTable(run.table, 1, run.table.size(), 1);
        for (int32_t i = 1; i <= run.table.size(); ++i)
            ASSERT_EQ(run.table[i].Word, ref[size_t(i - 1)].word) << "shape " << shape;
    }
}

// --- QuickSort on plain strings ------------------------------------------------------------

TEST(QuickSort, SortsStringsAscendingLikeTheTable) {
    std::vector<ustring> words = {u"pear", u"apple", u"Fig", u"apple", u"kiwi"};
    QuickSort(words, 0, int32_t(words.size()) - 1, 1);
    EXPECT_EQ(words, (std::vector<ustring>{u"Fig", u"apple", u"apple", u"kiwi", u"pear"}));
}

TEST(QuickSort, ComparesFromTheStartPositionAndMatchesTheReference) {
    std::mt19937 rng(99);
    for (int round = 0; round < 200; ++round) {
        std::vector<ustring> words;
        std::vector<RefRecord> ref;
        for (int k = 0; k < 1 + round % 60; ++k) {
            words.push_back(RandomWord(rng));
            // Unique words tell equal keys apart after sorting.
            words.back() += FromInt(k);
        }
        const int start = 1 + round % 2;
        for (const ustring& w : words)
            ref.push_back({w, w});
        RefSort(ref, 0, int(ref.size()) - 1, start);
        QuickSort(words, 0, int32_t(words.size()) - 1, start);
        for (size_t k = 0; k < words.size(); ++k)
            ASSERT_EQ(words[k], ref[k].word) << "round " << round;
    }
}

TEST(QuickSort, EmptyAndSingleArraysStayAsTheyAre) {
    std::vector<ustring> none;
    QuickSort(none, 0, -1, 1);
    EXPECT_TRUE(none.empty());
    std::vector<ustring> one = {u"x"};
    QuickSort(one, 0, 0, 1);
    EXPECT_EQ(one, std::vector<ustring>{u"x"});
}

// --- BuildFrequencyOrder -------------------------------------------------------------------

class FrequencyOrder : public ::testing::Test {
protected:
    ScriptedHost host;
    RunState run{host};

    void fruit() {
        SetCounts(run, {{"apple", 3}, {"pear", 5}, {"fig", 3}, {"kiwi", 1}});
        SortWordTable(run.table, 1, run.table.size(), 1); // apple, fig, kiwi, pear
    }
    int32_t indexOf(const char* word) {
        for (int32_t i = 1; i <= run.table.size(); ++i)
            if (run.table[i].Word == U(word)) return i;
        return 0;
    }
    std::vector<std::string> chain() {
        std::vector<std::string> words;
        for (int32_t i = run.lngFirstFreq; i != 0; i = run.table[i].NextByFrequency)
            words.push_back(ToUtf8(run.table[i].Word));
        return words;
    }
};

TEST_F(FrequencyOrder, RanksByCountThenTableOrder) {
    fruit();
    StatisticsFromTable(run);
    BuildFrequencyOrder(run);
    EXPECT_EQ(run.table[indexOf("pear")].Rank, 1);
    EXPECT_EQ(run.table[indexOf("apple")].Rank, 2);
    EXPECT_EQ(run.table[indexOf("fig")].Rank, 3);
    EXPECT_EQ(run.table[indexOf("kiwi")].Rank, 4);
    EXPECT_EQ(run.lngFirstFreq, indexOf("pear"));
    EXPECT_EQ(chain(), (std::vector<std::string>{"pear", "apple", "fig", "kiwi"}));
    EXPECT_EQ(run.table[indexOf("kiwi")].NextByFrequency, 0);
}

TEST_F(FrequencyOrder, UnlistedWordsGetNoRankAndNoLink) {
    fruit();
    run.table[indexOf("kiwi")].Listed = false;
    StatisticsFromTable(run);
    BuildFrequencyOrder(run);
    EXPECT_EQ(run.table[indexOf("kiwi")].Rank, 0);
    EXPECT_EQ(run.table[indexOf("kiwi")].NextByFrequency, 0);
    EXPECT_EQ(chain(), (std::vector<std::string>{"pear", "apple", "fig"}));
}

TEST_F(FrequencyOrder, NoListedWordLeavesNoChain) {
    fruit();
    for (int32_t i = 1; i <= run.table.size(); ++i)
        run.table[i].Listed = false;
    StatisticsFromTable(run);
    BuildFrequencyOrder(run);
    EXPECT_EQ(run.lngFirstFreq, 0);
    for (int32_t i = 1; i <= run.table.size(); ++i) {
        EXPECT_EQ(run.table[i].Rank, 0);
        EXPECT_EQ(run.table[i].NextByFrequency, 0);
    }
}

TEST_F(FrequencyOrder, ClearsTheOrderOfAnEarlierBuild) {
    fruit();
    StatisticsFromTable(run);
    BuildFrequencyOrder(run);
    run.table[indexOf("pear")].Listed = false;
    StatisticsFromTable(run);
    BuildFrequencyOrder(run);
    EXPECT_EQ(run.table[indexOf("pear")].Rank, 0);
    EXPECT_EQ(run.table[indexOf("pear")].NextByFrequency, 0);
    EXPECT_EQ(chain(), (std::vector<std::string>{"apple", "fig", "kiwi"}));
}

TEST_F(FrequencyOrder, MarksEveryThousandthRankWhileLinking) {
    run.settings.SuppressWords = true;
    for (int k = 0; k < 2500; ++k)
        AddWordToList(run, FromInt(100000 + k));
    StatisticsFromTable(run);
    host.output = u"Building";
    BuildFrequencyOrder(run);
    EXPECT_EQ(host.outputUtf8(), "Building . .");
    EXPECT_EQ(chain().size(), 2500u);

    run.table.clear();
    for (int k = 0; k < 1000; ++k)
        AddWordToList(run, FromInt(100000 + k));
    StatisticsFromTable(run);
    host.output.clear();
    BuildFrequencyOrder(run);
    EXPECT_EQ(host.outputUtf8(), " .");
}

TEST_F(FrequencyOrder, YieldsToTheEventLoop) {
    fruit();
    StatisticsFromTable(run);
    run.yield.setEveryCall(true);
    BuildFrequencyOrder(run);
    EXPECT_GT(host.processEventsCalls, 0);
}

TEST_F(FrequencyOrder, MissingStatisticsStillEndTheChainAtTheLastRankedWord) {
    fruit();
    StatisticsFromTable(run);
    run.lngNumWordsIncluded = 0;
    BuildFrequencyOrder(run);
    EXPECT_EQ(chain(), (std::vector<std::string>{"pear", "apple", "fig", "kiwi"}));
}

TEST_F(FrequencyOrder, StatisticsAheadOfTheTableStillMarkTheirRanks) {
    run.settings.SuppressWords = true;
    for (int k = 0; k < 999; ++k)
        AddWordToList(run, FromInt(100000 + k));
    StatisticsFromTable(run);
    run.lngNumWordsIncluded = 2000;
    const RefOrder ref =
        RefBuildFrequencyOrder(run.table, run.lngMaxFrequency, run.lngNumWordsIncluded);
    BuildFrequencyOrder(run);
    EXPECT_EQ(host.outputUtf8(), " . .");
    EXPECT_EQ(host.output, ref.marks);
    EXPECT_EQ(chain().size(), 999u);
}

// Random tables with many equal counts, unlisted words and, now and then, statistics out of
// step with the table: the result must equal the one-pass-per-count method in every field.
TEST_F(FrequencyOrder, MatchesTheQuadraticMethodOnRandomTables) {
    std::mt19937 rng(4321);
    for (int round = 0; round < 400; ++round) {
        FillRandomTable(run, rng, 1 + round % 200);
        SortWordTable(run.table, 1, run.table.size(), 1);
        std::uniform_int_distribution<int> count(1, 1 + round % 9), coin(0, 3);
        for (int32_t i = 1; i <= run.table.size(); ++i) {
            run.table[i].Count = count(rng);
            run.table[i].Listed = coin(rng) != 0;
            run.table[i].Rank = 77; // stale values from an earlier run
            run.table[i].NextByFrequency = 5;
        }
        StatisticsFromTable(run);
        if (round % 10 == 3 && run.lngMaxFrequency > 1) --run.lngMaxFrequency;
        if (round % 10 == 7 && run.lngNumWordsIncluded > 1) --run.lngNumWordsIncluded;
        if (round % 10 == 9) run.lngNumWordsIncluded += 1;
        if (run.lngNumWordsIncluded == 0) run.lngNumWordsIncluded = 1; // the reference loops

        const RefOrder ref =
            RefBuildFrequencyOrder(run.table, run.lngMaxFrequency, run.lngNumWordsIncluded);
        host.output.clear();
        BuildFrequencyOrder(run);
        ASSERT_EQ(run.lngFirstFreq, ref.firstFreq) << "round " << round;
        ASSERT_EQ(host.output, ref.marks) << "round " << round;
        for (int32_t i = 1; i <= run.table.size(); ++i) {
            ASSERT_EQ(run.table[i].Rank, ref.rank[size_t(i)]) << "round " << round << " i " << i;
            ASSERT_EQ(run.table[i].NextByFrequency, ref.next[size_t(i)])
                << "round " << round << " i " << i;
        }
    }
}

TEST_F(FrequencyOrder, MatchesTheQuadraticMethodWithThousandsOfTies) {
    std::mt19937 rng(7);
    run.settings.SuppressWords = true;
    for (int k = 0; k < 3100; ++k)
        AddWordToList(run, FromInt(100000 + k));
    std::uniform_int_distribution<int> count(1, 6);
    for (int32_t i = 1; i <= run.table.size(); ++i)
        run.table[i].Count = count(rng);
    StatisticsFromTable(run);
    const RefOrder ref =
        RefBuildFrequencyOrder(run.table, run.lngMaxFrequency, run.lngNumWordsIncluded);
    BuildFrequencyOrder(run);
    EXPECT_EQ(host.outputUtf8(), " . . .");
    EXPECT_EQ(host.output, ref.marks);
    EXPECT_EQ(run.lngFirstFreq, ref.firstFreq);
    for (int32_t i = 1; i <= run.table.size(); ++i) {
        ASSERT_EQ(run.table[i].Rank, ref.rank[size_t(i)]);
        ASSERT_EQ(run.table[i].NextByFrequency, ref.next[size_t(i)]);
    }
}

} // namespace
} // namespace qd
