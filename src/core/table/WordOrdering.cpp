#include "table/WordOrdering.h"

#include "table/ListStatistics.h"
#include "table/QuickSortDescending.h"
#include "table/WordTable.h"
#include "text/Yielder.h"

#include <algorithm>

namespace qd {

namespace {

int64_t SortRange(WordTable& table, int32_t lo, int32_t hi, int32_t start, Yielder* yield) {
    // The keys are read many times over: views of them and their prefixes side by side, moved
    // along with the entries, save going through the table for each comparison. The characters
    // of the words never move, so the views stay valid.
    std::vector<ustring_view> keys(size_t(hi - lo + 1));
    std::vector<uint64_t> prefixes(keys.size());
    for (int32_t i = lo; i <= hi; ++i) {
        keys[size_t(i - lo)] = detail::KeyFrom(table[i].sortKey(), start);
        prefixes[size_t(i - lo)] = detail::PrefixOf(keys[size_t(i - lo)]);
    }
    // Keys already strictly ascending (a text in small letters, whose words are their own keys)
    // have but one sorted order, the one they are in.
    bool ascending = true;
    for (size_t k = 1; k < keys.size() && ascending; ++k)
        ascending =
            prefixes[k - 1] != prefixes[k] ? prefixes[k - 1] < prefixes[k] : keys[k - 1] < keys[k];
    if (ascending) return hi - lo;
    return detail::SortAscendingByReversal(
        lo, hi, [&](int32_t i) { return keys[size_t(i - lo)]; },
        [&](int32_t i) { return prefixes[size_t(i - lo)]; },
        [&](int32_t i) -> ustring_view { return table[i].word(); },
        [&](int32_t i, int32_t j) {
            std::swap(keys[size_t(i - lo)], keys[size_t(j - lo)]);
            std::swap(prefixes[size_t(i - lo)], prefixes[size_t(j - lo)]);
            table.swapEntries(i, j);
        },
        [yield] {
            if (yield) (*yield)();
        });
}

} // namespace

int64_t SortWordTable(WordTable& table, int32_t lo, int32_t hi, int32_t start, Yielder* yield) {
    lo = std::max<int32_t>(lo, 1);
    hi = std::min(hi, table.size());
    if (lo >= hi) return 0;
    // Entries in numbered order make the reading of the keys, and every pass after the sort,
    // a walk through memory in order. The characters are moved only once the sort's arrays are
    // gone, so that their copy takes no more memory than the sort did.
    table.storeInOrder(false);
    const int64_t comparisons = SortRange(table, lo, hi, start, yield);
    table.storeInOrder(true);
    return comparisons;
}

int64_t QuickSort(std::vector<ustring>& strings, int32_t lo, int32_t hi, int32_t start) {
    lo = std::max<int32_t>(lo, 0);
    hi = std::min(hi, int32_t(strings.size()) - 1);
    return detail::SortAscendingByReversal(
        lo, hi, [&](int32_t i) { return detail::KeyFrom(strings[size_t(i)], start); },
        [&](int32_t i) { return detail::PrefixOf(detail::KeyFrom(strings[size_t(i)], start)); },
        [&](int32_t i) -> ustring_view { return strings[size_t(i)]; },
        [&](int32_t i, int32_t j) { strings[size_t(i)].swap(strings[size_t(j)]); }, [] {});
}

void BuildFrequencyOrder(WordTable& table, ListStatistics& stats, Yielder& yield,
                         bool yieldWhileLinking, const std::function<void()>& markThousand) {
    const int32_t n = table.size();

    // Ranking: the listed words with a count from maxFrequency down to 1, equal counts in
    // table order, as one pass per count value over the table would give. Sorting in place by
    // count, then entry number, needs no buffer beside the list.
    struct Ranked {
        int64_t count;
        int32_t index;
    };
    std::vector<Ranked> byFrequency;
    byFrequency.reserve(size_t(n));
    for (int32_t i = 1; i <= n; ++i) {
        WordEntry& e = table[i];
        e.NextByFrequency = 0;
        e.Rank = 0;
        if (e.Listed && e.Count >= 1 && e.Count <= stats.maxFrequency)
            byFrequency.push_back({e.Count, i});
        yield();
    }
    stats.firstFrequency = 0;
    std::sort(byFrequency.begin(), byFrequency.end(), [](const Ranked& a, const Ranked& b) {
        return a.count != b.count ? a.count > b.count : a.index < b.index;
    });
    const int32_t ranked = int32_t(byFrequency.size());
    for (int32_t r = 1; r <= ranked; ++r) {
        table[byFrequency[size_t(r - 1)].index].Rank = r;
        yield();
    }
    if (ranked == 0) return;
    stats.firstFrequency = byFrequency[0].index;

    // Linking walks the ranks up to wordsIncluded, marking every 1000th. Without a count of listed
    // words (statistics not computed) it stops at the last ranked word instead of running on
    // forever.
    const int32_t last = stats.wordsIncluded >= 1 ? stats.wordsIncluded : ranked;
    int32_t r = 1;
    for (;;) {
        if (r < ranked)
            table[byFrequency[size_t(r - 1)].index].NextByFrequency = byFrequency[size_t(r)].index;
        if (r >= last || r >= ranked) break;
        ++r;
        if (r % 1000 == 0) markThousand();
        if (yieldWhileLinking) yield();
    }
    // Ranks counted beyond the ranked words (statistics out of step with the table) link
    // nothing but still get their marks.
    for (int32_t k = r / 1000 + 1; k <= last / 1000; ++k)
        markThousand();
}

} // namespace qd
