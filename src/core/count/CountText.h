#pragma once
// A count as a function: the lines of a text in, the ranked word table out. The program's
// runs (the window, the command line) take the same reading loop and ranking, with their
// checks, questions and displays around them.

#include "scan/Scanner.h"
#include "scan/Settings.h"
#include "table/ListStatistics.h"
#include "table/WordTable.h"
#include "text/UString.h"
#include "text/Yielder.h"

#include <cstdint>

namespace qd {

// What a count makes of a text: the word table and its statistics.
struct CountResult {
    WordTable table;
    ListStatistics stats;
};

// The lines of a text, each prepared as the scanner wants it (decoded, lower-cased unless
// case matters, one space appended).
class LineSource {
public:
    virtual ~LineSource() = default;
    // The next line into line; false at the end of the text.
    virtual bool nextLine(ustring& line) = 0;
    // The line given is a part of a long line, which the next one goes on with (without
    // the appended space).
    virtual bool lineGoesOn() const { return false; }
};

// The steps of ranking the words found.
enum class RankStep { ApplyingRules, ComputingStatistics, RankingWords };

// What a count tells while it works, and how it learns whether a requested stop stands.
class CountProgress {
public:
    virtual ~CountProgress() = default;
    // After each line is taken from the source.
    virtual void lineRead() {}
    // A stop was requested: true when reading ends here, false to go on.
    virtual bool stopStands() { return true; }
    // At the start of each ranking step, and at every thousandth rank.
    virtual void rankStep(RankStep step) { (void)step; }
    virtual void thousandRanked() {}
};

// Scans the scanner's prepared line. When a stop is requested the scanner leaves the line
// after the current word and progress decides: if the stop is withdrawn the scan goes on
// from there, so that no word of the line is lost. True when reading ends here.
bool ScanLineUntilStop(Scanner& scanner, bool lineGoesOn, const bool& stopRequested,
                       CountProgress& progress);

// Scans every line of the source, until it ends or a stop stands. True when a stop ended it.
bool ScanLines(Scanner& scanner, LineSource& lines, const bool& stopRequested,
               CountProgress& progress);

// The steps after reading, on a table in word order (SortWordTable): the post-count rules,
// the statistics and the frequency order.
void RankWords(CountResult& result, const Settings& settings, Yielder& yield, bool yieldAllowed,
               CountProgress& progress);

// Counts the words of the text under the settings, leaving out the listed words; comment
// markers follow the file extension (lower case) as for an input file. Reads to the end.
CountResult CountText(const Settings& settings, const WordLists& lists, LineSource& lines,
                      ustring_view extension = {});

} // namespace qd
