// A line too long to hold whole, scanned part by part with the words of the whole line: each
// pass over a line (cleaning, blanking double hyphens, decoding entities, the scan) stops
// where the next part could still change what it does, and what is left waits for that part.
#include "scan/Scanner.h"

#include "scan/CommentMarkers.h"
#include "scan/Entities.h"
#include "scan/TextRoutines.h"

#include <algorithm>

namespace qd {

namespace {

// How far back from the end of a part a cut is looked for before a run of hyphens is cut.
constexpr size_t kCutSearch = 64;

// How much of a cleaned part can be blanked and decoded now. A cut never falls inside "--"
// or between "--" and a ">" (which spares "-->"); inside a long run of hyphens it falls an
// even distance from the run's start, where the pairs are the same on both sides. An "&"
// whose ";" has not come, near enough the cut to make an entity with it, waits too.
size_t SettledLength(ustring_view s, bool entities, bool skipToSemicolon) {
    const size_t n = s.size();
    if (n < 2) return 0;
    const size_t lowest = n > kCutSearch ? n - kCutSearch : 1;
    size_t q = n - 1;
    while (q >= lowest && s[q - 1] == u'-' && (s[q] == u'-' || s[q] == u'>'))
        --q;
    if (q < lowest) {
        size_t runStart = n - 2;
        while (runStart > 0 && s[runStart - 1] == u'-')
            --runStart;
        q = runStart + ((n - 2 - runStart) & ~size_t(1));
    }
    if (!entities) return q;
    size_t i = 0;
    if (skipToSemicolon) {
        i = s.find(u';');
        if (i >= q) return q;
        ++i;
    }
    for (;;) {
        const size_t amp = s.find(u'&', i);
        if (amp >= q) return q;
        const size_t semicolon = s.find(u';', amp);
        if (semicolon >= q) return q - amp < kLongestEntity ? amp : q;
        i = semicolon + 1;
    }
}

} // namespace

void Scanner::preparePart() {
    PartCarry& carry = carry_;
    ustring& line = line_;
    // Cleaning goes character by character, so the cut is chosen among cleaned characters.
    CleanLineInPlace(line);
    if (!carry.cleaned.empty()) line.insert(0, carry.cleaned);
    const size_t cut = lineGoesOn_ && !readingWords_
                           ? SettledLength(line, comments_.entitiesPossible, carry.skipToSemicolon)
                           : line.size();
    carry.cleaned.assign(line, cut);
    line.resize(cut);
    if (!readingWords_ && cut > 0) {
        ustring before = carry.before + line.substr(line.size() - std::min<size_t>(2, cut));
        before.erase(0, before.size() - std::min<size_t>(2, before.size()));
        line.insert(0, carry.before);
        BlankDoubleHyphensInPlace(line, carry.preparedLength - carry.before.size());
        line.erase(0, carry.before.size());
        carry.before = std::move(before);
        if (comments_.entitiesPossible) DecodeEntitiesInPlace(line, carry.skipToSemicolon);
    }
    carry.preparedLength += cut;
    if (!carry.prepared.empty()) {
        line.insert(0, carry.prepared);
        carry.prepared.clear();
    }
    if (!lineGoesOn_) carry = PartCarry{};
}

void Scanner::keepForNextPart(size_t pos) {
    carry_.prepared.assign(line_, std::min(pos, line_.size()));
}

size_t Scanner::partLookahead() const {
    // IsEntityAt looks 20 characters ahead.
    size_t longest = 20;
    for (int i = 0; i < comments_.markerCount && i < int(comments_.startMarkers.size()); ++i)
        longest = std::max(longest, comments_.startMarkers[size_t(i)].size());
    return longest + 1;
}

} // namespace qd
