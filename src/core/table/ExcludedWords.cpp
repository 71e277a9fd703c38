#include "table/ExcludedWords.h"

#include "scan/CaseFolding.h"
#include "table/PostCountRules.h"
#include "table/WordTable.h"

#include <algorithm>

namespace qd {

void ExcludedWords::addIgnoredWord(ustring_view word, IgnoreRule rule) {
    // A repeated word is found without a copy; only a new one is stored.
    if (const auto it = words_.find(word); it != words_.end()) {
        ++it->second.count;
        return;
    }
    words_.emplace(ustring(word), Counted{1, rule});
}

void ExcludedWords::addHiddenEntries(const WordTable& table, const Settings& settings,
                                     const ListStatistics& stats) {
    for (int32_t i = 1; i <= table.size(); ++i) {
        const WordEntry& e = table[i];
        if (!e.Listed)
            words_[ustring(e.word())] = Counted{e.Count, PostCountRuleHiding(e, settings, stats)};
    }
}

IgnoredTally ExcludedWords::tally() const {
    IgnoredTally tally;
    for (const auto& [word, counted] : words_) {
        if (counted.rule == IgnoreRule::None) continue;
        IgnoredTally::PerRule& rule = tally[counted.rule];
        ++rule.words;
        rule.instances += counted.count;
    }
    return tally;
}

std::vector<ExcludedWord> ExcludedWords::ordered(ListOrder order) const {
    struct Keyed {
        ustring key;
        ExcludedWord entry;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(words_.size());
    for (const auto& [word, counted] : words_)
        keyed.push_back({SortKeyOf(word), {word, counted.count, counted.rule}});
    const auto alphabetical = [](const Keyed& a, const Keyed& b) {
        if (a.key != b.key) return a.key < b.key;
        return a.entry.word < b.entry.word;
    };
    if (order == ListOrder::Alphabetical) {
        std::sort(keyed.begin(), keyed.end(), alphabetical);
    } else {
        std::sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
            if (a.entry.count != b.entry.count) return a.entry.count > b.entry.count;
            return alphabetical(a, b);
        });
    }
    std::vector<ExcludedWord> result;
    result.reserve(keyed.size());
    for (const Keyed& k : keyed)
        result.push_back(k.entry);
    return result;
}

} // namespace qd
