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
