// The count of a text file as the program runs it, from a click on "Count words" to the
// listing: the checks and the vetting of the file, the encoding question, the comment markers
// of its extension or the person's own, the words to ignore and the common words, the stop
// protocol, and the reading of the lines, on one thread or ahead on the worker thread.
//
// The input: a header of kHeaderBytes bytes that chooses the settings (see ChooseSettings and
// the layout below), then the fields the header announces, each ended by a NUL byte (the
// comment markers as start, end, start, end on lines of their own; the words to ignore; the
// bytes of a common-words file), and the rest is the text file. Any bytes are an input: a
// field without its NUL runs to the end, and the text is then empty.
#include "count/CommonWordsReader.h"
#include "count/CountText.h"
#include "count/RunState.h"
#include "count/RunStatus.h"
#include "count/TextFileLines.h"
#include "count/WordsToIgnore.h"
#include "scan/CaseFolding.h"
#include "scan/CommentMarkers.h"
#include "session/CountRun.h"
#include "settings/Defaults.h"
#include "sources/FileNames.h"
#include "sources/TextFileReader.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "text/Folders.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace qd;

namespace {

constexpr size_t kHeaderBytes = 6;

// The file's extension chooses its comment markers, and whether it is searched for a charset
// declaration; "" names a file without one.
constexpr const char* kExtensions[] = {"txt", "htm", "xml", "php", "c", "shtml", "csv", ""};

// Small blocks and a small soft line limit, so that lines cross block boundaries and long
// lines come in parts.
constexpr size_t kStreamBlock = 64;
constexpr size_t kStreamPartLimit = 256;

bool Bit(uint8_t byte, int n) {
    return (byte >> n) & 1;
}

// The choices of the header that are not settings.
struct Choices {
    bool markers = false;       // the comment-markers field follows
    bool wordsToIgnore = false; // the words-to-ignore field follows
    bool commonWords = false;   // the common-words field follows
    bool stream = false;        // read as a stream in small blocks, not as a file
    bool oneThread = false;     // a stream read as UTF-8 is read ahead unless this is set
    const char* extension = "";
    Answer encoding = Answer::Yes; // to "UTF-8 or ANSI file?"
    int clickEvery = 0;            // yields between clicks on the count button; 0: none
    bool declineFirstStop = false;
    bool listAfterStop = true;
};

// Byte 0: hyphens, apostrophes, underscores, colons, backslashes, forward slashes, periods,
// at-signs. Byte 1: numerals, 7-bit ASCII only, case significant, drop final s, UTF-8, ignore
// repetitions, letterless words, roman numerals. Byte 2: ignore short words, infrequent words,
// common words; comment markers allowed (their field follows); a words-to-ignore field and a
// common-words field follow; read as a stream; on one thread. Byte 3: the short-word size
// (low nibble) and the long-word size (high nibble). Byte 4: the threshold (bits 0-2), the
// extension (bits 3-5), the answer to the encoding question (bits 6-7). Byte 5: a click on the
// count button every n * n yields for n in bits 0-5; the first stop declined (bit 6); the
// words found not listed after a stop (bit 7).
Choices ChooseSettings(Settings& s, const uint8_t* h) {
    WordFormation& w = s.words;
    w.AllowWordsWithHyphens = Bit(h[0], 0);
    w.AllowWordsWithApostrophes = Bit(h[0], 1);
    w.AllowWordsWithUnderscores = Bit(h[0], 2);
    w.AllowWordsWithColons = Bit(h[0], 3);
    w.AllowWordsWithBackslashes = Bit(h[0], 4);
    w.AllowWordsWithForwardslashes = Bit(h[0], 5);
    w.AllowWordsWithPeriods = Bit(h[0], 6);
    w.AllowWordsWithAtSigns = Bit(h[0], 7);
    w.AllowWordsWithNumerals = Bit(h[1], 0);
    w.Only7bitASCII = Bit(h[1], 1);
    w.CaseSignificant = Bit(h[1], 2);
    w.DropFinalS = Bit(h[1], 3);
    s.input.UTF8 = Bit(h[1], 4);
    IgnoreRules& ig = s.ignore;
    ig.IgnoreRepetitions = Bit(h[1], 5);
    ig.IgnoreNoLetter = Bit(h[1], 6);
    ig.IgnoreRomNum40 = Bit(h[1], 7);
    ig.IgnoreShortWords = Bit(h[2], 0);
    ig.IgnoreInfrequentWords = Bit(h[2], 1);
    ig.IgnoreCommonWords = Bit(h[2], 2);
    s.comments.AllowCommentMarkers = Bit(h[2], 3);
    ig.ShortWordSize = (h[3] & 15) % kShortWordSizeEntries;
    ig.LongWordSize = (h[3] >> 4) % kLongWordSizeEntries;
    ig.ThresholdFrequency = (h[4] & 7) % kThresholdFrequencyEntries;

    Choices c;
    c.markers = Bit(h[2], 3);
    c.wordsToIgnore = Bit(h[2], 4);
    c.commonWords = Bit(h[2], 5);
    c.stream = Bit(h[2], 6);
    c.oneThread = Bit(h[2], 7);
    c.extension = kExtensions[(h[4] >> 3) & 7];
    constexpr Answer kEncodingAnswers[] = {Answer::Yes, Answer::No, Answer::Cancel, Answer::Yes};
    c.encoding = kEncodingAnswers[h[4] >> 6];
    const int n = h[5] & 63;
    c.clickEvery = n * n; // spread over short and long texts
    c.declineFirstStop = Bit(h[5], 6);
    c.listAfterStop = !Bit(h[5], 7);
    return c;
}

// The bytes up to the next NUL (or the end), taken off the front of rest.
std::string_view TakeField(std::string_view& rest) {
    const size_t end = rest.find('\0');
    const std::string_view field = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    return field;
}

// The four comment markers, one a line: start and end of the first pair, then of the second.
void TakeMarkers(CommentSettings& comments, std::string_view field) {
    for (int i = 0; i < 4; ++i) {
        const size_t end = field.find('\n');
        ustring& marker = i % 2 == 0 ? comments.StartComment[i / 2] : comments.EndComment[i / 2];
        marker = FromCp1252(field.substr(0, end));
        field.remove_prefix(end == std::string_view::npos ? field.size() : end + 1);
    }
}

// What the rules promise of every word a count put in its table.
void CheckCountedWords(const RunState& run) {
    const Settings& s = run.settings;
    const WordTable& table = run.result.table;
    int64_t counted = 0;
    for (int32_t i = 1; i <= table.size(); ++i) {
        const ustring_view word = table[i].word();
        const ustring lowered = LowerCaseAccented(word);
        counted += table[i].Count;
        if (word.empty() || int32_t(word.size()) > s.ignore.longWordSizeValue()) std::abort();
        if (s.ignore.IgnoreShortWords && int(word.size()) < s.ignore.shortWordSizeValue())
            std::abort();
        if (s.words.Only7bitASCII &&
            std::any_of(word.begin(), word.end(), [](char16_t c) { return (c & 0xFF) >= 128; }))
            std::abort();
        if (run.lists.wordsToIgnore.contains(lowered)) std::abort();
        if (s.ignore.IgnoreCommonWords &&
            std::binary_search(run.lists.commonWords.begin(), run.lists.commonWords.end(), lowered))
            std::abort();
        if (i > 1 && table[i - 1].sortKey() > table[i].sortKey()) std::abort();
    }
    if (counted > run.scanner.totalOccurrences()) std::abort();
}

// The listing's statistics and the frequency chain agree with the table.
void CheckRanking(const CountResult& result) {
    const WordTable& table = result.table;
    const ListStatistics& stats = result.stats;
    if (stats.wordsIncluded + stats.wordsExcluded != table.size()) std::abort();
    int32_t entry = stats.firstFrequency;
    int64_t last = stats.maxFrequency;
    for (int32_t rank = 1; rank <= stats.wordsIncluded; ++rank) {
        if (entry < 1 || entry > table.size()) std::abort();
        const WordEntry& e = table[entry];
        if (!e.Listed || e.Rank != rank || e.Count > last) std::abort();
        last = e.Count;
        entry = e.NextByFrequency;
    }
}

// The count on one thread gives what the count read ahead gave.
void CheckSameAsOneThread(const RunState& run, const ustring& path) {
    TextFileReader reader(kStreamBlock, kStreamPartLimit);
    if (!reader.open(ToPath(path))) std::abort();
    Yielder yield;
    TextFileLines lines(reader, run.settings, yield);
    const CountResult alone = CountText(run.settings, run.lists, lines, FileExtension(path, true));
    const WordTable& ahead = run.result.table;
    if (alone.table.size() != ahead.size()) std::abort();
    for (int32_t i = 1; i <= ahead.size(); ++i)
        if (alone.table[i].word() != ahead[i].word() || alone.table[i].Count != ahead[i].Count ||
            alone.table[i].Listed != ahead[i].Listed)
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kHeaderBytes) return 0;
    std::string_view rest(reinterpret_cast<const char*>(data) + kHeaderBytes, size - kHeaderBytes);

    const test::TempDir root;
    test::ScriptedHost host;
    RunState run(host, Environment{root.path(), root.path()});
    Settings& s = run.settings;
    Initialize(s);
    // As at the program's start: the "C" markers are in force until a count chooses others.
    SetCommentMarkers(run.scanner, u"C");
    const Choices c = ChooseSettings(s, data);
    run.session.startUpCompleted = true;

    if (c.markers) TakeMarkers(s.comments, TakeField(rest));
    if (c.wordsToIgnore) {
        s.ignore.WordsToIgnore = FromCp1252(TakeField(rest));
        NormaliseWordsToIgnore(run);
    }
    if (c.commonWords) {
        s.ignore.CommonWordsFile = FromPath(root.write("cwds_xx.txt", TakeField(rest)));
        ReadCommonWordsFile(run);
    }
    const std::string name = *c.extension ? std::string("input.") + c.extension : "input";
    const ustring path = FromPath(root.write(name, rest));
    s.input.InputFile = path;

    TextFileReader stream(kStreamBlock, kStreamPartLimit);
    if (c.stream) {
        if (!stream.open(ToPath(path))) std::abort();
        run.current.inputStream = &stream;
    }
    run.oneThread = c.oneThread;

    host.answers[Question::EncodingSeemsUtf8] = {c.encoding};
    host.answers[Question::EncodingSeemsAnsi] = {c.encoding};
    host.answers[Question::ListAfterStop] = {c.listAfterStop ? Answer::Yes : Answer::No};
    auto& stops = host.answers[Question::Stop];
    stops.assign(8, Answer::Yes);
    if (c.declineFirstStop) stops.front() = Answer::No;
    if (c.clickEvery > 0) {
        run.yield.setEveryCall(true);
        host.onProcessEvents = [&run, every = c.clickEvery, n = 0]() mutable {
            if (CountIsRunning(run) && ++n % every == 0) CountWords(run);
        };
    }

    const RunOutcome outcome = CountWords(run);
    // A readable file, no output file: nothing may fail.
    if (outcome == RunOutcome::Failed) std::abort();
    if (outcome == RunOutcome::Listed || outcome == RunOutcome::NotListed) CheckCountedWords(run);
    if (outcome != RunOutcome::Listed) return 0;
    CheckRanking(run.result);
    const bool readAhead = c.stream && !c.oneThread && s.input.UTF8;
    if (readAhead && !run.current.ListAfterStop) CheckSameAsOneThread(run, path);
    return 0;
}
