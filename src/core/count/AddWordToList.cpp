#include "count/AddWordToList.h"

#include "count/RunState.h"
#include "text/Host.h"

namespace qd {

namespace {

constexpr size_t kLiveDisplayLimit = OutputTextLimit - 100;
constexpr char16_t kSuppressionNotice[] =
    u"\r\n\r\n[Suppressing display of words to avoid buffer overflow.]";

void ShowNewWord(RunState& run, ustring_view word) {
    Host& host = run.host;
    if (host.outputLength() <= kLiveDisplayLimit) {
        ustring text(word);
        text.push_back(u' ');
        host.appendOutputText(text);
        host.setOutputCaret(true);
        return;
    }
    if (!run.current.SuppressionNoticeShown) {
        host.appendOutputText(kSuppressionNotice);
        host.setOutputCaret(true);
    }
    run.current.SuppressionNoticeShown = true;
    run.settings.output.SuppressWords = true;
    host.settingsChanged();
}

} // namespace

int32_t AddWordToList(RunState& run, ustring_view word) {
    WordTable& table = run.result.table;
    const bool wasEmpty = table.size() == 0;
    int32_t slot = -1;
    const WordTable::AddResult added = table.add(word, &slot);
    if (added == WordTable::AddResult::TooLong && !run.scanner.readingWords())
        run.scanner.ignoreWord(word, IgnoreRule::TooLong);
    if (added != WordTable::AddResult::New) return slot;
    if (wasEmpty) {
        if (!run.settings.output.SuppressWords) {
            ustring text(word);
            text.push_back(u' ');
            run.host.setOutputText(text);
        }
        return slot;
    }
    const int32_t n = table.size();
    if (n % 10 == 0) {
        if (run.scanner.readingWords())
            run.host.setLabel(LabelId::NumberOfWords,
                              u"Number of common words read so far: " + FromInt(n));
        run.host.setLabelVisible(LabelId::NumberOfWords, true);
        run.host.repaint();
    }
    if (!run.settings.output.SuppressWords) ShowNewWord(run, word);
    return slot;
}

void TableWordSink::addAgain(int32_t token) {
    run_.result.table.addAgain(token);
}

} // namespace qd
