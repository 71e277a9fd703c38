#include "count/ListingPass.h"

#include "count/RunState.h"
#include "text/Host.h"

namespace qd {

namespace {

void EndPassEarly(RunState& run) {
    run.host.setLabel(LabelId::Twirler, u" ");
    run.host.setOutputCaret(false);
    run.host.repaint();
}

} // namespace

ustring_view TwirlerChar(int32_t index) {
    static constexpr char16_t kArrows[] = u"\u2190\u2191\u2192\u2193";
    return ustring_view(kArrows + (index % 4 + 4) % 4, 1);
}

ListingLayout CurrentListingLayout(const RunState& run, bool commas) {
    const ListStatistics& stats = run.result.stats;
    const bool filesColumn = run.settings.output.ShowFilesColumn && stats.filesCounted > 1;
    return MakeListingLayout(run.settings.output.DisplayFormat, commas, stats.wordsIncluded,
                             stats.maxFrequency, stats.maxWordLength, stats.minWidth,
                             filesColumn ? stats.filesCounted : 0);
}

ListingPassEnd RunListingPass(RunState& run, ListingSink& sink, bool commas) {
    const bool alphabetical = run.settings.output.WordOrder == ListOrder::Alphabetical;
    const ustring passName = alphabetical ? u"ListWordsAlphabetically" : u"ListWordsByFrequency";

    const ListingLayout layout = CurrentListingLayout(run, commas);
    run.result.stats.rankWidth = layout.rankWidth;
    run.result.stats.freqWidth = layout.freqWidth;
    ustring line;
    if (HasHeaderLine(layout.displayFormat)) {
        DisplayNextLine(layout, nullptr, 0, line);
        sink.header(line);
    }

    const auto failed = [&]() -> bool {
        const ErrorInfo* e = sink.failure();
        if (!e) return false;
        ReportError(run, e->number, e->description, passName + u" C");
        EndPassEarly(run);
        return true;
    };
    if (failed()) return ListingPassEnd::Failed;

    WordTable& table = run.result.table;
    int32_t lines = 0;
    // Each listed entry: its line to the sink and, every 20th, the batch into the box.
    const auto list = [&](int32_t index) -> ListingPassEnd {
        DisplayNextLine(layout, &table[index], table.filesOf(index), line);
        sink.entry(line, index);
        if (failed()) return ListingPassEnd::Failed;
        if (++lines % kLinesPerBatch == 0 && !sink.flush()) {
            ReportError(run, kOutputBoxFullError, u"", passName + u" A");
            EndPassEarly(run);
            return ListingPassEnd::OutputBoxFull;
        }
        return ListingPassEnd::Completed;
    };

    bool stopped = false;
    if (alphabetical) {
        for (int32_t index = 1; index <= table.size(); ++index) {
            if (table[index].Listed)
                if (const ListingPassEnd end = list(index); end != ListingPassEnd::Completed)
                    return end;
            run.yield();
            if (run.session.stopRequested) {
                stopped = true;
                break;
            }
        }
    } else {
        // The chain ends at 0; statistics out of step with it never lead to a non-entry.
        int32_t index = run.result.stats.firstFrequency;
        for (int32_t k = 0;
             k < run.result.stats.wordsIncluded && index >= 1 && index <= table.size(); ++k) {
            if (const ListingPassEnd end = list(index); end != ListingPassEnd::Completed)
                return end;
            index = table[index].NextByFrequency;
            run.yield();
            if (run.session.stopRequested) {
                stopped = true;
                break;
            }
        }
    }

    ListingPassEnd end = stopped ? ListingPassEnd::Stopped : ListingPassEnd::Completed;
    if (!sink.flush()) {
        ReportError(run, kOutputBoxFullError, u"", passName + u" B");
        end = ListingPassEnd::OutputBoxFull;
    }
    run.host.setOutputCaret(false);
    run.host.repaint();
    if (!alphabetical) run.host.setLabel(LabelId::Twirler, u" ");
    return end;
}

} // namespace qd
