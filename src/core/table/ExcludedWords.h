#pragma once
// The words a count left out, each with its occurrences and the rule that excluded it, and
// their tally per rule. Kept only when someone asks why words were left out (the window,
// quorvel-count --why or --ignored): the scanner hands them over only then.

#include "scan/IgnoreRule.h"
#include "scan/Scanner.h"
#include "scan/Settings.h"
#include "text/UString.h"

#include <array>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

namespace qd {

struct ListStatistics;
class WordTable;

// Per rule: the distinct words it left out and their occurrences.
struct IgnoredTally {
    struct PerRule {
        int64_t words = 0;
        int64_t instances = 0;
    };
    std::array<PerRule, kIgnoreRuleCount> rules{};
    const PerRule& operator[](IgnoreRule rule) const { return rules[size_t(rule)]; }
    PerRule& operator[](IgnoreRule rule) { return rules[size_t(rule)]; }
};

// One word left out; the word views the collection and lasts until it changes.
struct ExcludedWord {
    ustring_view word;
    int64_t count = 0;
    IgnoreRule rule = IgnoreRule::None;
};

class ExcludedWords : public IgnoredWordSink {
public:
    void clear() { words_.clear(); }
    size_t size() const { return words_.size(); }

    // One occurrence of word, left out by rule as it was scanned. A word keeps the rule it
    // first came with: the rules of a scan give one word the same rule every time.
    void addIgnoredWord(ustring_view word, IgnoreRule rule) override;
    // After the post-count rules: the entries of the counted table they hid from the listing,
    // each under the rule that hid it (the settings and statistics of that count).
    void addHiddenEntries(const WordTable& table, const Settings& settings,
                          const ListStatistics& stats);

    IgnoredTally tally() const;
    // Every word: alphabetically (by sort key, equal keys by the word's code units), or by
    // frequency (the highest count first, equal counts alphabetically).
    std::vector<ExcludedWord> ordered(ListOrder order) const;

private:
    struct Counted {
        int64_t count = 0;
        IgnoreRule rule = IgnoreRule::None;
    };
    struct Hash {
        using is_transparent = void;
        size_t operator()(ustring_view s) const { return std::hash<ustring_view>{}(s); }
    };
    std::unordered_map<ustring, Counted, Hash, std::equal_to<>> words_;
};

} // namespace qd
