#pragma once
// What the scanner made of the runs of word characters it met lately: most words of a text
// are repeats, and a run seen before needs neither the form rules nor the ignore rules nor a
// look-up by word again, only the sink's token for it (or the rule that left it out).
// Direct-mapped by a hash of the run, a cache line a slot; short runs only.

#include "scan/IgnoreRule.h"
#include "text/UString.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace qd {

class RunCache {
public:
    static constexpr size_t kLongestRun = 22;

    struct Verdict {
        uint8_t wordLength = 0; // the word the run makes: a prefix of it; 0 for none
        IgnoreRule rule = IgnoreRule::None;
        int32_t token = -1; // the sink's token for a word kept
    };

    RunCache() : slots_(kSlots) {}

    static uint32_t HashOf(ustring_view run) {
        const char16_t* p = run.data();
        const size_t n = run.size();
        uint64_t h = HeadOf(p, n) * 0x9E3779B97F4A7C15ull;
        if (n >= 4) h ^= Block(p, n - 4) * 0xC4CEB9FE1A85EC53ull;
        if (n > 8)
            for (const size_t at : {4, 8, 12, 16})
                h = (h ^ Block(p, std::min(at, n - 4))) * 0xFF51AFD7ED558CCDull;
        h = (h ^ n) * 0xFF51AFD7ED558CCDull;
        return uint32_t(h ^ (h >> 32));
    }

    // The verdict on run, if it was recorded; hash is HashOf(run).
    const Verdict* find(ustring_view run, uint32_t hash) const {
        return slots_[hash & (kSlots - 1)].match(run, hash, generation_);
    }

    // Records the verdict in the run's slot, in place of what it held.
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
    struct alignas(64) Slot {
        uint32_t hash = 0;
        uint32_t generation = 0;
        uint8_t length = 0;
        Verdict verdict;
        std::array<char16_t, kLongestRun> run;

        const Verdict* match(ustring_view r, uint32_t h, uint32_t gen) const {
            if (length != r.size() || hash != h || generation != gen) return nullptr;
            return SameRun(run.data(), r.data(), r.size()) ? &verdict : nullptr;
        }
    };

    // A run is read in blocks of four characters that may overlap, the first, the last and
    // (past eight characters) four between, which cover up to 23: a few loads and no branch
    // per character, whose mispredictions cost more than these short runs.
    static uint64_t Block(const char16_t* p, size_t at) {
        uint64_t block;
        std::memcpy(&block, p + at, sizeof block);
        return block;
    }
    // The first four characters; for a shorter run (never empty) the ones it has, its first
    // standing in for those it lacks, which its length tells apart.
    static uint64_t HeadOf(const char16_t* p, size_t n) {
        if (n >= 4) return Block(p, 0);
        return p[0] | uint64_t(p[n > 1 ? 1 : 0]) << 16 | uint64_t(p[n > 2 ? 2 : 0]) << 32;
    }
    // Whether runs a and b, both n characters long, are the same.
    static bool SameRun(const char16_t* a, const char16_t* b, size_t n) {
        if (n < 4) return HeadOf(a, n) == HeadOf(b, n);
        uint64_t differ = (Block(a, 0) ^ Block(b, 0)) | (Block(a, n - 4) ^ Block(b, n - 4));
        if (n > 8)
            for (const size_t at : {4, 8, 12, 16})
                differ |= Block(a, std::min(at, n - 4)) ^ Block(b, std::min(at, n - 4));
        return differ == 0;
    }

    std::vector<Slot> slots_;
    uint32_t generation_ = 1;
};

static_assert(RunCache::kLongestRun <= 23, "the blocks of a run cover 23 characters at most");

} // namespace qd
