// TEMPORARY STAND-INS: see StandIns.h.
#include "input/StandIns.h"

#include "Host.h"
#include "RunState.h"
#include "support/Folders.h"
#include "table/AddWordToList.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numeric>

namespace qd {

bool CheckInputFile(RunState& run, ustring_view path) {
    if (path.empty()) return false;
    if (!FileExists(path)) {
        run.settings.UTF8 = false;
        run.host.message(u"Input file does not exist.", u"File not found", MsgIcon::Exclamation);
        return false;
    }
    if (FileLength(path) <= 0) {
        run.host.message(u"Input file is zero-length.", u"Empty file", MsgIcon::Exclamation);
        run.host.setLabel(LabelId::Filesize, u"Filesize: 0 bytes");
        return false;
    }
    return true;
}

bool CheckAllowedExtraChars(RunState&) {
    return true;
}

void txbWordsToIgnore_LostFocus(RunState& run) {
    const ustring& w = run.settings.WordsToIgnore;
    run.strWordsToIgnore = w.empty() ? ustring() : u" " + w + u" ";
}

void BuildCurrentExtraChars(RunState& run) {
    const ScanSettings& s = run.settings;
    ustring x;
    if (s.AllowWordsWithHyphens) x += u'-';
    if (s.AllowWordsWithApostrophes) x += u'\'';
    if (s.AllowWordsWithNumerals) x += u"0123456789";
    run.CurrentExtraChars = x;
}

namespace {

bool IsLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
           (c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7);
}

} // namespace

void ScanLine(RunState& run) {
    const ustring& line = run.strLine;
    ustring word;
    for (size_t i = 0; i <= line.size(); ++i) {
        const char16_t c = i < line.size() ? line[i] : u' ';
        if (IsLetter(c) || (!word.empty() && run.CurrentExtraChars.find(c) != ustring::npos)) {
            word += c;
            continue;
        }
        if (word.empty()) continue;
        while (!word.empty() && !IsLetter(word.back()))
            word.pop_back();
        const bool tooShort =
            run.settings.IgnoreShortWords && int(word.size()) < run.settings.shortWordSizeValue();
        if (!word.empty() && !tooShort) {
            ++run.lngTotalNumOccurrences;
            AddWordToList(run, word);
        }
        word.clear();
        run.yield();
        run.lngLP = i;
        if (run.blnStop) return;
    }
}

void SelectCommentPreset(RunState&, ustring_view) {}
void SetCommentMarkers(RunState&, ustring_view) {}

ustring DecodeUtf8Pairs(ustring_view text) {
    std::string bytes;
    for (char16_t c : text) {
        const int b = UnicodeToCp1252(c);
        bytes.push_back(char(b < 0 ? '?' : b));
    }
    return FromUtf8(bytes);
}

ustring ReplaceTypographicUtf8(ustring_view text) {
    return ustring(text);
}

void SortWordTable(WordTable&, int32_t, int32_t, int32_t) {}

void ApplyPostCountRules(RunState& run) {
    for (int32_t i = 1; i <= run.table.size(); ++i)
        run.table[i].Listed =
            !run.settings.IgnoreInfrequentWords || run.table[i].Count >= run.intThresholdFrequency;
}

void ComputeListStatistics(RunState& run) {
    run.lngNumWordsIncluded = run.lngNumWordsExcluded = run.lngMaxFrequency = 0;
    run.lngNumOccurrences = run.intMaxWordLengthFound = 0;
    for (int32_t i = 1; i <= run.table.size(); ++i) {
        const WordEntry& e = run.table[i];
        if (!e.Listed) {
            ++run.lngNumWordsExcluded;
            continue;
        }
        ++run.lngNumWordsIncluded;
        run.lngMaxFrequency = std::max(run.lngMaxFrequency, e.Count);
        run.lngNumOccurrences += e.Count;
        run.intMaxWordLengthFound = std::max(run.intMaxWordLengthFound, int(e.Word.size()));
    }
}

void BuildFrequencyOrder(RunState& run) {
    std::vector<int32_t> order;
    for (int32_t i = 1; i <= run.table.size(); ++i)
        if (run.table[i].Listed) order.push_back(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](int32_t a, int32_t b) { return run.table[a].Count > run.table[b].Count; });
    run.lngFirstFreq = order.empty() ? 0 : order[0];
    for (size_t k = 0; k < order.size(); ++k) {
        run.table[order[k]].Rank = int32_t(k + 1);
        run.table[order[k]].NextByFrequency = k + 1 < order.size() ? order[k + 1] : 0;
    }
}

void ShowCounts(RunState& run) {
    run.host.setLabel(LabelId::NumberOfWords,
                      u"Number of words in this list: " + FromInt(run.lngNumWordsIncluded));
    run.host.setLabel(LabelId::TotalNumOccurrences, u"Total number of instances of words: " +
                                                        FromInt(run.lngTotalNumOccurrences));
}

void ListWords(RunState& run) {
    ustring text;
    for (int32_t i = run.lngFirstFreq; i; i = run.table[i].NextByFrequency)
        text += run.table[i].Word + u" " + FromInt(run.table[i].Count) + u"\r\n";
    const ScanSettings& s = run.settings;
    if (!s.OutputFile.empty() && !s.DisableOutputToFile) {
        std::ofstream out(ToPath(s.OutputFile), std::ios::binary);
        out << ToCp1252(text);
    }
    run.host.setOutputText(text);
}

void ReportError(RunState& run, int number, ustring_view description, ustring_view where) {
    run.host.message(u"At " + ustring(where) + u" error #" + FromInt(number) +
                         u".\r\nDescription: " + ustring(description),
                     u"Error", MsgIcon::Exclamation);
}

bool AcceptClipboardText(Host& host, ustring_view text) {
    host.setOutputText(u"");
    if (text.empty()) {
        host.message(u"Clipboard is empty.", u"Clipboard empty", MsgIcon::None);
        return false;
    }
    return text.size() <= 100000;
}

bool CheckClipboardTextIsPlain(Host&, ustring_view) {
    return true;
}

bool AttemptToReadCommonWords(RunState&) {
    return false;
}

} // namespace qd
