#include "count/IgnoredWordsReport.h"

#include "count/RunState.h"
#include "count/RunTexts.h"
#include "text/Host.h"

#include <algorithm>

namespace qd {

namespace {

constexpr char16_t kCrLf[] = u"\r\n";
// The word column is as wide as the longest word, within these bounds: a word of hundreds of
// characters pushes its own rule to the right instead of every line's. The narrowest holds
// the column's head.
constexpr size_t kNarrowestWordColumn = 13;
constexpr size_t kWidestWordColumn = 40;
constexpr size_t kFrequencyColumn = 7;
constexpr size_t kBoxRoom = OutputTextLimit - 100;
constexpr char16_t kBoxFullNotice[] = u"[The rest is not shown: the text box is full.]";
constexpr char16_t kIgnoredAfterCount[] = u"Ignored after the count (the number of words ignored)";
constexpr char16_t kLeftOutWhileCounting[] = u"Left out while counting (not in that number)";

ustring Counted(long long n, const char16_t* one, const char16_t* many,
                const NumberFormat& format) {
    return GroupDigits(n, format) + u" " + (n == 1 ? one : many);
}

void AppendPadded(ustring& line, ustring_view text, size_t width, bool right) {
    const size_t pad = text.size() < width ? width - text.size() : 0;
    if (right) line.append(pad, u' ');
    line += text;
    if (!right) line.append(pad, u' ');
}

ustring BoxLine(ustring_view frequency, ustring_view word, size_t wordWidth, ustring_view rule) {
    ustring line;
    AppendPadded(line, frequency, kFrequencyColumn, true);
    line += u"  ";
    AppendPadded(line, word, wordWidth, false);
    line += u"  ";
    line += rule;
    return line;
}

} // namespace

ustring IgnoreRuleName(const ProgramTexts& texts, IgnoreRule rule) {
    return RunText(texts, kTextFirstIgnoreRule + int(rule));
}

std::vector<ustring> IgnoredTallyLines(const IgnoredTally& tally, const ProgramTexts& texts,
                                       const NumberFormat& format) {
    const auto tallied = [&format](ustring_view head, const IgnoredTally::PerRule& n) {
        return ustring(head) + u": " + Counted(n.words, u"word", u"words", format) + u", " +
               Counted(n.instances, u"instance", u"instances", format);
    };
    std::vector<ustring> lines;
    for (const bool afterCount : {true, false}) {
        IgnoredTally::PerRule total;
        std::vector<ustring> rules;
        for (size_t i = 0; i < kIgnoreRuleCount; ++i) {
            const IgnoreRule rule = IgnoreRule(i);
            const IgnoredTally::PerRule& n = tally[rule];
            if (IsPostCountRule(rule) != afterCount || n.instances == 0) continue;
            total.words += n.words;
            total.instances += n.instances;
            rules.push_back(u"  " + tallied(IgnoreRuleName(texts, rule), n));
        }
        lines.push_back(tallied(afterCount ? kIgnoredAfterCount : kLeftOutWhileCounting, total));
        lines.insert(lines.end(), rules.begin(), rules.end());
    }
    return lines;
}

std::string IgnoredWordsFileText(const ExcludedWords& words, const ProgramTexts& texts) {
    std::string text;
    for (const ExcludedWord& w : words.ordered(ListOrder::Alphabetical)) {
        AppendUtf8(w.word, text);
        text += '\t';
        text += std::to_string(w.count);
        text += '\t';
        AppendUtf8(IgnoreRuleName(texts, w.rule), text);
        text += '\n';
    }
    return text;
}

void ShowIgnoredWords(RunState& run) {
    Host& host = run.host;
    const std::vector<ExcludedWord> words = run.excluded.ordered(run.settings.output.WordOrder);
    if (words.empty()) {
        host.setOutputText(u"No words were left out.");
        host.setOutputCaret(false);
        return;
    }
    size_t longest = 0;
    for (const ExcludedWord& w : words)
        longest = std::max(longest, w.word.size());
    const size_t wordWidth = std::clamp(longest, kNarrowestWordColumn, kWidestWordColumn);

    ustring text = BoxLine(u"Freq", u"Word left out", wordWidth, u"Rule");
    text += kCrLf;
    for (const ExcludedWord& w : words) {
        const ustring line =
            BoxLine(FromInt(w.count), w.word, wordWidth, IgnoreRuleName(run.texts, w.rule));
        if (text.size() + line.size() + 2 > kBoxRoom) {
            text += kBoxFullNotice;
            text += kCrLf;
            break;
        }
        text += line;
        text += kCrLf;
    }
    host.setOutputText(text);
    host.setOutputCaret(false);
}

} // namespace qd
