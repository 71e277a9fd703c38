// The end of a large count: the words of a Zipf-distributed text (100,000 distinct words,
// 8,000,000 occurrences) counted into the word table, then sorted by key, the post-count rules
// and statistics, the frequency order and one listing pass. Each step's CPU time is printed
// with its ratio to a baseline from the standard library measured in the same round (medians
// over the rounds), so the figures compare across machines.
//
// Usage: table_bench [distinct words] [occurrences] [rounds]

#include "BenchTiming.h"
#include "count/AddWordToList.h"
#include "count/ListingPass.h"
#include "count/RunState.h"
#include "table/PostCountRules.h"
#include "table/WordOrdering.h"
#include "text/Folders.h"
#include "text/Host.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

using namespace qd;
using namespace qd::bench;

class NullHost : public Host {
public:
    void message(ustring_view, ustring_view, MsgIcon) override {}
    Answer ask(Question, ustring_view, ustring_view, MsgIcon, MsgButtons, Answer d) override {
        return d;
    }
    std::optional<ustring> prompt(Question, ustring_view, ustring_view, ustring_view) override {
        return std::nullopt;
    }
    ustring chooseOpenFile(ustring_view, ustring_view, ustring_view) override { return {}; }
    ustring chooseSaveFile(ustring_view, ustring_view, ustring_view) override { return {}; }
    void processEvents() override {}
    ustring outputText() const override { return {}; }
    size_t outputLength() const override { return 0; }
    void setOutputText(ustring_view) override {}
    void appendOutputText(ustring_view) override {}
    void setOutputCaret(bool) override {}
    void setLabel(LabelId, ustring_view) override {}
    void setLabelVisible(LabelId, bool) override {}
    void setLabelStyle(LabelId, LabelStyle) override {}
    void repaint() override {}
    void settingsChanged() override {}
};

// Lines are counted and measured, as a front end's sink would consume them.
struct MeasuringSink : ListingSink {
    size_t lines = 0, chars = 0;
    void header(ustring_view line) override { chars += line.size(); }
    void entry(ustring_view line, int32_t) override {
        ++lines;
        chars += line.size();
    }
};

// Distinct words of 3 to 12 letters, some accented or capitalised so that keys are folded and
// some words share a key.
std::vector<ustring> MakeVocabulary(size_t n, std::mt19937& rng) {
    static const ustring letters = u"abcdefghijklmnopqrstuvwxyzeeaaiioouéèàüöç";
    std::uniform_int_distribution<int> len(3, 12), pick(0, int(letters.size()) - 1), cap(0, 19);
    std::unordered_set<ustring> seen;
    std::vector<ustring> words;
    while (words.size() < n) {
        ustring w;
        for (int k = len(rng); k > 0; --k)
            w.push_back(letters[size_t(pick(rng))]);
        if (cap(rng) == 0) w[0] = char16_t(w[0] - 32 * (w[0] >= u'a' && w[0] <= u'z'));
        if (seen.insert(w).second) words.push_back(std::move(w));
    }
    return words;
}

void Row(const char* step, const Paired& p, const char* baselineName) {
    std::printf("  %-34s %8.3f s   %6.2f x %s\n", step, p.time(), p.ratio(), baselineName);
}

struct Round {
    int32_t distinct = 0, listed = 0, highest = 0;
    size_t lines = 0, chars = 0;
    double countBaseline = 0, counting = 0, sortBaseline = 0, sorting = 0, postCount = 0,
           frequencyOrder = 0, listing = 0;
    bool agrees = false;
};

// One count of the text into a fresh word table, each step timed with its baseline.
Round MeasureRound(const std::vector<ustring>& vocabulary, const std::vector<uint32_t>& text) {
    NullHost host;
    RunState run(host, DefaultEnvironment());
    run.settings.output.SuppressWords = true;
    Round r;

    // Counting: the word table against a plain hash map of views.
    std::unordered_map<ustring_view, int32_t> plain;
    r.countBaseline = CpuSecondsOf([&] {
        for (uint32_t w : text)
            ++plain[vocabulary[w]];
    });
    r.counting = CpuSecondsOf([&] {
        for (uint32_t w : text)
            AddWordToList(run, vocabulary[w]);
    });
    const int32_t n = run.result.table.size();

    // The baseline of every ordering step: std::sort of the same keys, in the same start order.
    std::vector<ustring> keys;
    keys.reserve(size_t(n));
    for (int32_t i = 1; i <= n; ++i)
        keys.push_back(ustring(run.result.table[i].sortKey()));
    r.sortBaseline = CpuSecondsOf([&] { std::sort(keys.begin(), keys.end()); });
    r.sorting = CpuSecondsOf([&] { SortWordTable(run.result.table, 1, n, 1); });

    run.settings.ignore.IgnoreRomNum40 = true;
    run.settings.ignore.IgnoreInfrequentWords = true;
    run.result.stats.thresholdFrequency = 2;
    r.postCount = CpuSecondsOf([&] {
        ApplyPostCountRules(run.result.table, run.settings, run.result.stats);
        ComputeListStatistics(run.result.table, run.result.stats);
    });
    r.frequencyOrder = CpuSecondsOf([&] {
        BuildFrequencyOrder(run.result.table, run.result.stats, run.yield,
                            run.session.startUpCompleted,
                            [&] { run.host.appendOutputText(u" ."); });
    });
    MeasuringSink sink;
    r.listing = CpuSecondsOf([&] { RunListingPass(run, sink, false); });

    r.distinct = n;
    r.listed = run.result.stats.wordsIncluded;
    r.highest = run.result.stats.maxFrequency;
    r.lines = sink.lines;
    r.chars = sink.chars;
    int64_t total = 0;
    for (const auto& [word, count] : plain)
        total += count;
    r.agrees = total == int64_t(text.size()) && size_t(n) == plain.size();
    return r;
}

} // namespace

int main(int argc, char** argv) {
    const size_t distinct = argc > 1 ? size_t(std::atol(argv[1])) : 100000;
    const size_t occurrences = argc > 2 ? size_t(std::atol(argv[2])) : 8000000;
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;

    std::mt19937 rng(20240611);
    const std::vector<ustring> vocabulary = MakeVocabulary(distinct, rng);
    std::vector<double> weights(distinct);
    for (size_t r = 0; r < distinct; ++r)
        weights[r] = 1.0 / double(r + 1);
    std::discrete_distribution<size_t> zipf(weights.begin(), weights.end());
    std::vector<uint32_t> text(occurrences);
    for (auto& w : text)
        w = uint32_t(zipf(rng));

    Paired counting, sorting, postCount, frequencyOrder, ordering, listing;
    Round last;
    for (int i = 0; i < rounds; ++i) {
        last = MeasureRound(vocabulary, text);
        if (!last.agrees) return 1; // the table must agree with the plain count
        counting.add(last.counting, last.countBaseline);
        sorting.add(last.sorting, last.sortBaseline);
        postCount.add(last.postCount, last.sortBaseline);
        frequencyOrder.add(last.frequencyOrder, last.sortBaseline);
        ordering.add(last.sorting + last.postCount + last.frequencyOrder, last.sortBaseline);
        listing.add(last.listing, last.sortBaseline);
    }

    std::printf("table_bench: %d distinct words, %zu occurrences, %d listed, highest count %d\n"
                "CPU seconds, median of %d paired rounds\n",
                last.distinct, occurrences, last.listed, last.highest, rounds);
    std::printf("  %-34s %8.3f s\n", "baseline: hash-map count", counting.baseline());
    std::printf("  %-34s %8.3f s\n", "baseline: std::sort of the keys", sorting.baseline());
    Row("AddWordToList (every occurrence)", counting, "hash-map count");
    Row("SortWordTable", sorting, "std::sort");
    Row("post-count rules + statistics", postCount, "std::sort");
    Row("BuildFrequencyOrder", frequencyOrder, "std::sort");
    Row("ordering total", ordering, "std::sort");
    Row("listing pass (format 0, to memory)", listing, "std::sort");
    std::printf("  (%zu lines, %zu characters listed)\n", last.lines, last.chars);
    return 0;
}
