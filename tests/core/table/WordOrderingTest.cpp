#include "table/WordOrdering.h"
#include "count/AddWordToList.h"
#include "count/RunState.h"
#include "support/RunFixtures.h"
#include "support/ScriptedHost.h"
#include "table/QuickSortDescending.h"
#include "text/Folders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace qd {
namespace {

using test::ScriptedHost;

// --- Reference: the ordering steps exactly as the program has always taken them ---

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

// --- Fixtures ---

// Words over a small alphabet whose capitals and accents fold together, so keys tie often.
ustring RandomWord(std::mt19937& rng) {
    static const ustring letters = u"aAbBáÁ-1";
    std::uniform_int_distribution<int> len(1, 3), pick(0, int(letters.size()) - 1);
    ustring w;
    for (int k = len(rng); k > 0; --k)
        w.push_back(letters[size_t(pick(rng))]);
    return w;
}

class Ordering : public ::testing::Test {
protected:
    ScriptedHost host;
    RunState run{host, DefaultEnvironment()};

    Ordering() { run.settings.output.SuppressWords = true; }
    void randomTable(std::mt19937& rng, int words) {
        run.result.table.clear();
        for (int k = 0; k < words; ++k)
            AddWordToList(run, RandomWord(rng));
    }
    void numbers(int n) {
        run.result.table.clear();
        for (int k = 0; k < n; ++k)
            AddWordToList(run, FromInt(100000 + k));
    }
    std::vector<RefRecord> records() const {
        std::vector<RefRecord> ref;
        for (int32_t i = 1; i <= run.result.table.size(); ++i)
            ref.push_back(
                {ustring(run.result.table[i].sortKey()), ustring(run.result.table[i].word())});
        return ref;
    }
    // Sorts entries lo..hi by the program and by the reference; the words must agree.
    void expectSortAsReference(int lo, int hi, int start) {
        std::vector<RefRecord> ref = records();
        RefSort(ref, lo - 1, hi - 1, start);
        SortWordTable(run.result.table, lo, hi, start);
        for (int32_t i = 1; i <= run.result.table.size(); ++i)
            ASSERT_EQ(run.result.table[i].word(), ref[size_t(i - 1)].word) << "entry " << i;
    }

    void statisticsFromTable() {
        run.result.stats.wordsIncluded = 0;
        run.result.stats.maxFrequency = 0;
        for (int32_t i = 1; i <= run.result.table.size(); ++i)
            if (run.result.table[i].Listed) {
                ++run.result.stats.wordsIncluded;
                run.result.stats.maxFrequency =
                    std::max(run.result.stats.maxFrequency, run.result.table[i].Count);
            }
    }
    // Builds the order by the program and by the one-pass-per-count method: every field and
    // the progress marks must agree.
    void expectOrderAsReference() {
        const RefOrder ref = RefBuildFrequencyOrder(run.result.table, run.result.stats.maxFrequency,
                                                    run.result.stats.wordsIncluded);
        host.output.clear();
        BuildFrequencyOrder(run.result.table, run.result.stats, run.yield,
                            run.session.startUpCompleted,
                            [&] { run.host.appendOutputText(u" ."); });
        ASSERT_EQ(run.result.stats.firstFrequency, ref.firstFreq);
        ASSERT_EQ(host.output, ref.marks);
        for (int32_t i = 1; i <= run.result.table.size(); ++i) {
            ASSERT_EQ(run.result.table[i].Rank, ref.rank[size_t(i)]) << "entry " << i;
            ASSERT_EQ(run.result.table[i].NextByFrequency, ref.next[size_t(i)]) << "entry " << i;
        }
    }
};

// --- SortWordTable: ascending by the key (accents and case folded), in code units ---

TEST_F(Ordering, SortLeavesTiesExactlyAsTheProgramsQuicksort) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        randomTable(rng, 1 + round % 120);
        const int32_t n = run.result.table.size();
        expectSortAsReference(1 + (round % 5 == 0 ? n / 3 : 0), n - (round % 7 == 0 ? n / 4 : 0),
                              1 + round % 3);
    }
    // Sorted, reversed and all-equal inputs.
    for (int shape = 0; shape < 3; ++shape) {
        SCOPED_TRACE(shape);
        numbers(2000);
        if (shape == 1)
            for (int32_t a = 1, b = run.result.table.size(); a < b; ++a, --b)
                run.result.table.swapEntries(a, b);
        if (shape == 2) {
            // 2000 spellings of one word in capitals and small letters: one key.
            run.result.table.clear();
            for (int k = 0; k < 2000; ++k) {
                ustring word = u"abcdefghijk";
                for (size_t b = 0; b < word.size(); ++b)
                    if (k >> b & 1) word[b] = char16_t(word[b] - u'a' + u'A');
                AddWordToList(run, word);
            }
        }
        expectSortAsReference(1, run.result.table.size(), 1);
    }
}

// --- Orders crafted against the middle pivot ---

// Values 0..n-1 placed so that the middle element of every range the quicksort partitions is
// the largest left: each partition then takes off a single element, n * n / 2 comparisons.
std::vector<int> AgainstTheMiddlePivot(int n) {
    std::vector<int> slot(static_cast<size_t>(n)), value(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k)
        slot[size_t(k)] = k;
    for (int lo = 0; lo < n; ++lo) {
        const int mid = lo + (n - 1 - lo) / 2;
        value[size_t(slot[size_t(mid)])] = n - 1 - lo;
        std::swap(slot[size_t(lo)], slot[size_t(mid)]);
    }
    return value;
}

ustring Padded(int v) {
    ustring digits = FromInt(v);
    return ustring(6 - digits.size(), u'0') + digits;
}

// A prefix that puts words in the order of k and folds away to "eeeee" in the sort key.
ustring FoldingPrefix(int k) {
    const ustring_view variants = u"EeÈÉèé";
    ustring prefix;
    for (int digit = 0; digit < 5; ++digit, k /= 6)
        prefix.insert(prefix.begin(), variants[size_t(k % 6)]);
    return prefix;
}

// Words whose accented and capital prefixes fold away in the sort key, so that the table
// (in word order) holds their keys in the crafted order: the quicksort gives way at its
// budget and the whole takes no more than twice that.
TEST_F(Ordering, CraftedOrderSortsWithinItsBudget) {
    const int n = 4000;
    const std::vector<int> value = AgainstTheMiddlePivot(n);
    run.result.table.clear();
    for (int k = 0; k < n; ++k)
        AddWordToList(run, FoldingPrefix(k) + Padded(value[size_t(k)]));
    const int64_t comparisons = SortWordTable(run.result.table, 1, n, 1);
    EXPECT_GT(comparisons, detail::SortBudget(n));
    EXPECT_LE(comparisons, 2 * detail::SortBudget(n));
    for (int32_t i = 1; i <= n; ++i)
        ASSERT_EQ(run.result.table[i].sortKey().substr(run.result.table[i].sortKey().size() - 6),
                  Padded(i - 1));

    std::vector<ustring> strings;
    for (int v : value)
        strings.push_back(u"x" + Padded(v));
    EXPECT_LE(QuickSort(strings, 0, n - 1, 2), 2 * detail::SortBudget(n));
    EXPECT_TRUE(std::is_sorted(strings.begin(), strings.end()));
}

// Where the quicksort gives way, ties go by the word: random keys with many ties.
TEST(QuickSort, FallbackSortsByKeyThenWord) {
    std::mt19937 rng(7);
    std::vector<std::pair<ustring, ustring>> items; // key, word
    for (int k = 0; k < 500; ++k)
        items.push_back({FromInt(int(rng() % 20)), RandomWord(rng) + FromInt(k)});
    std::vector<std::pair<ustring, ustring>> expected = items;
    std::sort(expected.begin(), expected.end());
    auto keyAt = [&](int32_t i) -> ustring_view { return items[size_t(i)].first; };
    auto tieAt = [&](int32_t i) -> ustring_view { return items[size_t(i)].second; };
    auto swapAt = [&](int32_t i, int32_t j) { std::swap(items[size_t(i)], items[size_t(j)]); };
    auto tick = [] {};
    detail::SortByKeyThenTie(0, 499, keyAt, tieAt, swapAt, tick);
    EXPECT_EQ(items, expected);
}

// --- QuickSort on plain strings ---

TEST(QuickSort, SortsFromTheStartPositionAsTheReference) {
    std::mt19937 rng(99);
    for (int round = 0; round < 200; ++round) {
        std::vector<ustring> words;
        std::vector<RefRecord> ref;
        for (int k = 0; k < round % 60; ++k)               // from none
            words.push_back(RandomWord(rng) + FromInt(k)); // unique, to tell equal keys apart
        const int start = 1 + round % 2;
        for (const ustring& w : words)
            ref.push_back({w, w});
        RefSort(ref, 0, int(ref.size()) - 1, start);
        QuickSort(words, 0, int32_t(words.size()) - 1, start);
        for (size_t k = 0; k < words.size(); ++k)
            ASSERT_EQ(words[k], ref[k].word) << "round " << round;
    }
}

// --- BuildFrequencyOrder: ranks by count then table order, chained from lngFirstFreq ---

// Random tables with many equal counts, unlisted words and, now and then, statistics out of
// step with the table: the result must equal the one-pass-per-count method in every field.
TEST_F(Ordering, FrequencyOrderMatchesTheQuadraticMethodOnRandomTables) {
    std::mt19937 rng(4321);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        randomTable(rng, 1 + round % 200);
        SortWordTable(run.result.table, 1, run.result.table.size(), 1);
        std::uniform_int_distribution<int> count(1, 1 + round % 9), coin(0, 3);
        for (int32_t i = 1; i <= run.result.table.size(); ++i) {
            run.result.table[i].Count = count(rng);
            run.result.table[i].Listed = coin(rng) != 0;
            run.result.table[i].Rank = 77; // stale values from an earlier run
            run.result.table[i].NextByFrequency = 5;
        }
        statisticsFromTable();
        if (round % 10 == 3 && run.result.stats.maxFrequency > 1) --run.result.stats.maxFrequency;
        if (round % 10 == 7 && run.result.stats.wordsIncluded > 1) --run.result.stats.wordsIncluded;
        if (round % 10 == 9) run.result.stats.wordsIncluded += 1;
        if (run.result.stats.wordsIncluded == 0)
            run.result.stats.wordsIncluded = 1; // the reference loops
        expectOrderAsReference();
    }
    // Thousands of ties.
    numbers(3100);
    std::uniform_int_distribution<int> count(1, 6);
    for (int32_t i = 1; i <= run.result.table.size(); ++i)
        run.result.table[i].Count = count(rng);
    statisticsFromTable();
    expectOrderAsReference();
    EXPECT_EQ(host.outputUtf8(), " . . .");
}

} // namespace
} // namespace qd
