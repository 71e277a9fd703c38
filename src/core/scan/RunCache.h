#pragma once
// What the scanner made of the runs of word characters it met lately: most words of a text
// are repeats, and a run seen before needs neither the form rules nor the ignore rules nor a
// look-up by word again, only the sink's token for it (or the rule that left it out).
// Direct-mapped by a hash of the run; short runs only.

#include "scan/IgnoreRule.h"
#include "text/UString.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace qd {

class RunCache {
public:
    static constexpr size_t kLongestRun = 24;

    struct Verdict {
        uint8_t wordLength = 0; // the word the run makes: a prefix of it; 0 for none
        IgnoreRule rule = IgnoreRule::None;
        int32_t token = -1; // the sink's token for a word kept
    };

    RunCache() : slots_(kSlots) {}

    static uint32_t HashOf(ustring_view run) {
        uint64_t h = run.size() * 0x9E3779B97F4A7C15ull;
        size_t i = 0;
        for (; i + 4 <= run.size(); i += 4) {
            uint64_t chunk;
            std::memcpy(&chunk, run.data() + i, sizeof chunk);
            h = (h ^ chunk) * 0xFF51AFD7ED558CCDull;
        }
        for (; i < run.size(); ++i)
            h = (h ^ run[i]) * 0xC4CEB9FE1A85EC53ull;
        return uint32_t(h >> 32);
    }

    // The verdict on run, if it was recorded; hash is HashOf(run).
    const Verdict* find(ustring_view run, uint32_t hash) const {
        const Slot& slot = slots_[hash & (kSlots - 1)];
        if (slot.length != run.size() || slot.hash != hash || slot.generation != generation_)
            return nullptr;
        // Four characters at a time: a call of memcmp costs more than these short runs.
        const char16_t* a = slot.run.data();
        const char16_t* b = run.data();
        size_t i = 0;
        for (; i + 4 <= run.size(); i += 4) {
            uint64_t x, y;
            std::memcpy(&x, a + i, sizeof x);
            std::memcpy(&y, b + i, sizeof y);
            if (x != y) return nullptr;
        }
        for (; i < run.size(); ++i)
            if (a[i] != b[i]) return nullptr;
        return &slot.verdict;
    }

    void record(ustring_view run, uint32_t hash, const Verdict& verdict) {
        if (run.size() > kLongestRun) return;
        Slot& slot = slots_[hash & (kSlots - 1)];
        slot.hash = hash;
        slot.generation = generation_;
        slot.length = uint8_t(run.size());
        std::memcpy(slot.run.data(), run.data(), run.size() * sizeof(char16_t));
        slot.verdict = verdict;
    }

    // Forgets everything, at once: the rules, the extra characters or the sink may have
    // changed.
    void clear() {
        if (++generation_ == 0) {
            for (Slot& slot : slots_)
                slot.generation = 0;
            generation_ = 1;
        }
    }

private:
    static constexpr size_t kSlots = 2048;
    struct Slot {
        uint32_t hash = 0;
        uint32_t generation = 0;
        uint8_t length = 0;
        Verdict verdict;
        std::array<char16_t, kLongestRun> run;
    };
    std::vector<Slot> slots_;
    uint32_t generation_ = 1;
};

} // namespace qd
