#include "count/IgnoredWordsReport.h"
#include "count/Listing.h"
#include "count/RunState.h"
#include "text/Formatting.h"
#include "text/Host.h"

namespace qd {

void ShowCounts(RunState& run) {
    Host& host = run.host;
    const ustring total = GroupDigits(run.scanner.totalOccurrences(), run.numberFormat);
    const size_t width = total.size() + 1;
    const auto caption = [&run, width](const char16_t* label, long long n) {
        const ustring digits = GroupDigits(n, run.numberFormat);
        ustring text(label);
        if (digits.size() < width) text.append(width - digits.size(), u' ');
        return text + digits;
    };

    host.setLabel(LabelId::NumberOfWords,
                  caption(u"Number of words in this list:", run.result.stats.wordsIncluded));
    host.setLabelVisible(LabelId::NumberOfWords, true);
    const bool wordsLeftOut =
        !run.lists.wordsToIgnore.empty() || run.settings.ignore.IgnoreCommonWords;
    host.setLabel(LabelId::NumWordsExcluded,
                  caption(wordsLeftOut ? u"No. of words ignored (other than common words):"
                                       : u"Number of words ignored:",
                          run.result.stats.wordsExcluded));
    host.setLabelVisible(LabelId::NumWordsExcluded, true);
    if (run.keepExcludedWords) {
        // Why words were left out, rule by rule: the label's number counts only some of them.
        ustring why;
        for (const ustring& line :
             IgnoredTallyLines(run.excluded.tally(), run.texts, run.numberFormat))
            why += (why.empty() ? u"" : u"\r\n") + line;
        host.setLabelToolTip(LabelId::NumWordsExcluded, why);
    }

    host.setLabel(LabelId::NumOccurrences, u"");
    host.setLabel(LabelId::TotalNumOccurrences, u"");
    host.setLabelStyle(LabelId::TotalNumOccurrences, LabelStyle::RightAligned);
    if (!run.current.ListAfterStop && run.result.stats.occurrences > 0) {
        host.setLabel(
            LabelId::NumOccurrences,
            caption(u"Number of instances of words in this list:", run.result.stats.occurrences));
        host.setLabel(LabelId::TotalNumOccurrences, caption(u"Total number of instances of words:",
                                                            run.scanner.totalOccurrences()));
    }
    host.setLabelVisible(LabelId::NumOccurrences, true);
    host.setLabelVisible(LabelId::TotalNumOccurrences, true);
    run.current.elapsedTimeRunning = false;
    host.repaint();
}

ustring NoWordsMessage(const RunState& run) {
    if (run.result.table.size() == 0) return u"No words satisfying the conditions were found.";
    const int shortest = run.settings.ignore.ShortWordSize + 1;
    ustring text = u"No words with more than " + FromInt(shortest) + u" letter";
    if (shortest > 1) text += u"s";
    text += u"\r\noccur at least ";
    if (!run.settings.ignore.IgnoreInfrequentWords)
        text += u"once.";
    else if (run.result.stats.thresholdFrequency == 2)
        text += u"twice.";
    else
        text += FromInt(run.result.stats.thresholdFrequency) + u" times.";
    return text;
}

} // namespace qd
