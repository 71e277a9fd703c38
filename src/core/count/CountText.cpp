#include "count/CountText.h"

#include "scan/CommentMarkers.h"
#include "table/PostCountRules.h"
#include "table/TableSink.h"
#include "table/WordOrdering.h"

namespace qd {

bool ScanLineUntilStop(Scanner& scanner, bool lineGoesOn, const bool& stopRequested,
                       CountProgress& progress) {
    scanner.scanLine(lineGoesOn);
    for (;;) {
        if (!stopRequested) return false;
        if (progress.stopStands()) return true;
        if (!scanner.scanRest()) return false;
    }
}

bool ScanLines(Scanner& scanner, LineSource& lines, const bool& stopRequested,
               CountProgress& progress) {
    while (lines.nextLine(scanner.line())) {
        progress.lineRead();
        if (ScanLineUntilStop(scanner, lines.lineGoesOn(), stopRequested, progress)) return true;
    }
    return false;
}

void RankWords(CountResult& result, const Settings& settings, Yielder& yield, bool yieldAllowed,
               CountProgress& progress) {
    progress.rankStep(RankStep::ApplyingRules);
    ApplyPostCountRules(result.table, settings, result.stats);
    progress.rankStep(RankStep::ComputingStatistics);
    ComputeListStatistics(result.table, result.stats);
    progress.rankStep(RankStep::RankingWords);
    BuildFrequencyOrder(result.table, result.stats, yield, yieldAllowed,
                        [&progress] { progress.thousandRanked(); });
}

CountResult CountText(const Settings& settings, const WordLists& lists, LineSource& lines,
                      ustring_view extension) {
    CountResult result;
    Yielder yield; // no host: nothing to yield to
    const bool noStop = false;
    const bool noYield = false;
    Scanner scanner(settings, lists, yield, noStop, noYield);
    TableSink sink(result.table);
    scanner.setSink(&sink);
    scanner.rebuildExtraChars();
    // As at the program's start, the "C" markers stay in force for an extension whose
    // user-defined markers are at fault.
    scanner.startText();
    SetCommentMarkers(scanner, u"C");
    SelectCommentPreset(scanner, extension);
    CountProgress progress;
    ScanLines(scanner, lines, noStop, progress);
    SortWordTable(result.table, 1, result.table.size(), 1);
    result.stats.thresholdFrequency = settings.ignore.thresholdFrequencyValue();
    RankWords(result, settings, yield, false, progress);
    return result;
}

} // namespace qd
