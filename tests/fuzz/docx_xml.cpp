// Cutting the text runs out of a document part and counting their words: the XML as it was
// unpacked, cut from an offset the first two bytes choose; the runs joined and scanned as one
// line, as a docx count scans them, under word settings the third byte chooses.
#include "count/CountText.h"
#include "count/DocxText.h"
#include "count/RunState.h"
#include "count/RunSteps.h"
#include "scan/CaseFolding.h"
#include "scan/CommentMarkers.h"
#include "settings/Defaults.h"
#include "support/ScriptedHost.h"
#include "table/WordOrdering.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace qd;

namespace {

bool Bit(uint8_t byte, int n) {
    return (byte >> n) & 1;
}

// Case significant, apostrophes, numerals, periods, drop final s, short words ignored,
// comment markers allowed (the default pairs "/*" "*/" and "//"), infrequent words ignored.
void ChooseSettings(Settings& s, uint8_t choice) {
    s.input.UTF8 = true; // a document's text is UTF-8
    s.words.CaseSignificant = Bit(choice, 0);
    s.words.AllowWordsWithApostrophes = Bit(choice, 1);
    s.words.AllowWordsWithNumerals = Bit(choice, 2);
    s.words.AllowWordsWithPeriods = Bit(choice, 3);
    s.words.DropFinalS = Bit(choice, 4);
    s.ignore.IgnoreShortWords = Bit(choice, 5);
    s.comments.AllowCommentMarkers = Bit(choice, 6);
    s.ignore.IgnoreInfrequentWords = Bit(choice, 7);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const size_t start = (size_t(data[0]) << 8 | data[1]) % size;
    const std::string_view xml(reinterpret_cast<const char*>(data) + 3, size - 3);
    test::ScriptedHost host;
    RunState run(host, Environment{});
    Initialize(run.settings);
    ChooseSettings(run.settings, data[2]);
    run.session.startUpCompleted = true;

    std::vector<ustring> runs;
    int32_t extracted = int32_t(xml.size());
    const int32_t count = ExtractDocxRuns(run, xml, start, runs, extracted);
    ustring text;
    for (const ustring& r : runs)
        text += r;
    if (count != int32_t(runs.size()) || size_t(extracted) != text.size()) std::abort();

    // The count's preparation of a docx input, then its one line.
    SetCommentMarkers(run.scanner, u"C");
    run.scanner.rebuildExtraChars();
    SelectCommentPreset(run.scanner, u"docx");
    run.scanner.startText();
    if (text.empty()) return 0;
    if (!run.settings.words.CaseSignificant) LowerCaseAccentedInPlace(text, &run.yield);
    text.push_back(u' ');
    run.scanner.line() = std::move(text);
    if (ScanAndTestStop(run)) std::abort(); // no stop was asked for

    CountResult& result = run.result;
    SortWordTable(result.table, 1, result.table.size(), 1);
    result.stats.thresholdFrequency = run.settings.ignore.thresholdFrequencyValue();
    CountProgress progress;
    RankWords(result, run.settings, run.yield, false, progress);
    if (result.stats.wordsIncluded + result.stats.wordsExcluded != result.table.size())
        std::abort();
    return 0;
}
