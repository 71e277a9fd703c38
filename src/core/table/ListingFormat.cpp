#include "table/ListingFormat.h"

#include "table/WordTable.h"

#include <algorithm>
#include <array>

namespace qd {

namespace {

int DecimalDigits(int64_t n) {
    int digits = 1;
    for (n = n < 0 ? -n : n; n >= 10; n /= 10)
        ++digits;
    return digits;
}

// Decimal digits of a non-negative number into a small buffer, without allocating.
ustring_view Digits(int64_t n, std::array<char16_t, 20>& buf) {
    size_t pos = buf.size();
    uint64_t v = n < 0 ? 0u : uint64_t(n);
    do {
        buf[--pos] = char16_t(u'0' + v % 10);
        v /= 10;
    } while (v != 0);
    return ustring_view(buf.data() + pos, buf.size() - pos);
}

void AppendRightAligned(ustring& out, ustring_view text, int width) {
    if (int(text.size()) < width) out.append(size_t(width) - text.size(), u' ');
    out += text;
}

ustring_view TrimTrailingSpaces(ustring_view s) {
    const size_t last = s.find_last_not_of(u' ');
    return last == ustring_view::npos ? ustring_view() : s.substr(0, last + 1);
}

bool WordColumnTakesComma(const ListingLayout& layout) {
    const ListFormat f = layout.displayFormat;
    return layout.commas && (f == ListFormat::RankWordFrequency || f == ListFormat::WordRank ||
                             f == ListFormat::WordFrequency);
}

} // namespace

ListingLayout MakeListingLayout(ListFormat displayFormat, bool commas, int32_t numWordsIncluded,
                                int64_t maxFrequency, int maxWordLengthFound, int minWidth,
                                int32_t filesCounted) {
    ListingLayout layout;
    layout.displayFormat = displayFormat;
    layout.commas = commas;
    layout.rankWidth = std::max(DecimalDigits(numWordsIncluded), minWidth);
    layout.freqWidth = std::max(DecimalDigits(maxFrequency), minWidth);
    layout.wordWidth = std::max(maxWordLengthFound, minWidth);
    layout.maxWordLengthFound = maxWordLengthFound;
    layout.filesColumn = filesCounted > 0;
    layout.filesWidth = std::max(DecimalDigits(filesCounted), minWidth);
    return layout;
}

bool HasHeaderLine(ListFormat displayFormat) {
    return displayFormat != ListFormat::WordsWithCommas;
}

void DisplayNextLine(const ListingLayout& layout, const WordEntry* entry, int32_t files,
                     ustring& line) {
    line.clear();
    const bool header = entry == nullptr;
    std::array<char16_t, 20> rankBuf, freqBuf, filesBuf;
    const ustring_view rankText = header ? ustring_view(u"Rank") : Digits(entry->Rank, rankBuf);
    const ustring_view freqText = header ? ustring_view(u"Freq") : Digits(entry->Count, freqBuf);
    const ustring_view word = header ? ustring_view(u"Word") : TrimSpaces(entry->word());
    const ustring_view filesText = header ? ustring_view(u"Files") : Digits(files, filesBuf);

    // The three column texts go straight into the line; W is the word column as padded (or
    // followed by ", " in the comma layout of formats 1, 6 and 7), Wt without trailing
    // spaces, Wtt the bare word.
    const auto R = [&] { AppendRightAligned(line, rankText, layout.rankWidth); };
    // The frequency, and after it the files column when the layout has one.
    const auto F = [&] {
        AppendRightAligned(line, freqText, layout.freqWidth);
        if (!layout.filesColumn) return;
        line += layout.commas ? u",  " : u"  ";
        AppendRightAligned(line, filesText, layout.filesWidth);
    };
    const auto W = [&] {
        line += word;
        if (WordColumnTakesComma(layout))
            line += u", ";
        else if (int(word.size()) < layout.wordWidth)
            line.append(size_t(layout.wordWidth) - word.size(), u' ');
    };
    const auto Wt = [&] { line += word; };
    const auto lit = [&](const char16_t* s) { line += s; };

    // The comma layout opens with two spaces and separates with ",  "; in formats 1, 6 and 7
    // the word column already ends in ", " and is followed directly by the number.
    const bool c = layout.commas;
    const char16_t* lead = c ? u"  " : u" ";
    const char16_t* sep = c ? u",  " : u"  ";
    switch (layout.displayFormat) {
    case ListFormat::RankFrequencyWord: // rank frequency word
        lit(lead), R(), lit(sep), F(), lit(sep), Wt();
        break;
    case ListFormat::RankWordFrequency: // rank word frequency
        lit(lead), R(), lit(sep), W(), lit(c ? u"" : u"  "), F();
        break;
    case ListFormat::RankFrequency: // rank frequency
        lit(lead), R(), lit(sep), F();
        break;
    case ListFormat::RankWord: // rank word
        lit(lead), R(), lit(sep), Wt();
        break;
    case ListFormat::FrequencyRank: // frequency rank
        lit(lead), F(), lit(sep), R();
        break;
    case ListFormat::FrequencyWord: // frequency word
        lit(u"  "), F(), lit(sep), Wt();
        break;
    case ListFormat::WordRank: // word rank
        lit(u"  "), W(), lit(c ? u"" : u" "), R();
        break;
    case ListFormat::WordFrequency: // word frequency
        lit(u"  "), W(), lit(c ? u"" : u" "), F();
        break;
    default: // 8 word, 9 word (+ commas)
        Wt();
        break;
    }

    if (header) {
        const ListFormat f = layout.displayFormat;
        if (f == ListFormat::RankFrequencyWord || f == ListFormat::RankWord ||
            f == ListFormat::FrequencyWord || f == ListFormat::Word ||
            f == ListFormat::WordsWithCommas) {
            line.resize(TrimTrailingSpaces(line).size());
            line += u" (longest has ";
            std::array<char16_t, 20> buf;
            line += Digits(layout.maxWordLengthFound, buf);
            line += u" characters)";
        }
    }
}

} // namespace qd
