#include "count/TextFileLines.h"

#include "scan/CaseFolding.h"
#include "sources/LineCharacters.h"
#include "text/Utf8Decoding.h"

namespace qd {

namespace {

// The blanks and control characters at the start or the end go. (Bytes up to 32 are the same
// characters in Windows-1252, and no other byte becomes one.)
std::string_view TrimmedBytes(std::string_view bytes, bool start, bool end) {
    size_t b = 0, e = bytes.size();
    while (start && b < e && static_cast<unsigned char>(bytes[b]) <= 32)
        ++b;
    while (end && e > b && static_cast<unsigned char>(bytes[e - 1]) <= 32)
        --e;
    return bytes.substr(b, e - b);
}

// Where a part of a long UTF-8 line may end: before an ASCII byte, which continues no sequence
// and combines with nothing before it, so that decoding and normalising the part alone gives
// what the whole line would. Failing that (64 bytes without one), before any byte that
// continues no sequence, where at worst a combining mark is normalised apart. Windows-1252
// bytes are read one by one: any cut will do.
size_t PartCut(std::string_view bytes, bool utf8) {
    if (!utf8) return bytes.size();
    auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const size_t lowest = bytes.size() > 64 ? bytes.size() - 64 : 1;
    for (size_t q = bytes.size(); q-- > lowest;)
        if (at(q) < 0x80) return q;
    if (bytes.size() <= 64) return 0; // the next part may bring a cut
    for (size_t q = bytes.size(); q-- > lowest;)
        if (at(q) >= 0xC0) return q;
    return bytes.size();
}

bool StartsWithByteOrderMark(std::string_view bytes) {
    return bytes.starts_with("\xEF\xBB\xBF");
}

} // namespace

void TextFileLines::decode(std::string_view bytes, ustring& line) {
    if (utf8_) {
        DecodeUtf8(bytes, line);
        if (lowerCase_) LowerCaseAccentedInPlace(line, &yield_);
    } else {
        // Read as ANSI, the line is lowered while its bytes become characters.
        WidenCp1252(bytes, lowerCase_, line);
    }
}

bool TextFileLines::nextLine(ustring& line) {
    std::string_view bytes;
    for (;;) {
        yield_();
        if (!reader_.nextLine(bytes)) return false;
        consumed_ += reader_.consumed();
        goesOn_ = reader_.lineContinues();
        if (utf8_ && consumed_ == reader_.consumed() && StartsWithByteOrderMark(bytes))
            bytes.remove_prefix(3); // the mark says how the file is encoded, and no more
        if (!held_.empty()) {
            held_.append(bytes);
            bytes = held_;
        }
        std::string_view text = TrimmedBytes(bytes, !midLine_, !goesOn_);
        heldNext_.clear();
        if (goesOn_) {
            const size_t cut = PartCut(text, utf8_);
            heldNext_.assign(text.substr(cut));
            text = text.substr(0, cut);
        }
        const bool give = !text.empty() || (!goesOn_ && midLine_);
        if (give) decode(text, line);
        held_.swap(heldNext_); // only now: text may view held_
        if (!give) continue;
        midLine_ = goesOn_;
        if (!goesOn_) line.push_back(u' ');
        return true;
    }
}

} // namespace qd
