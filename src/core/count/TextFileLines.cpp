#include "count/TextFileLines.h"

#include "scan/CaseFolding.h"
#include "scan/TextRoutines.h"
#include "sources/LineCharacters.h"

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

// Where a part of a long UTF-8 line may end: no two-byte sequence, typographic three-byte
// sequence or the pair a removed sequence brings together may straddle it. The byte after
// the cut continues nothing, and begins a two-byte sequence with a lead of 194 only after a
// sequence that decodes to a character; the byte before it leads nothing. Windows-1252
// bytes are decoded one by one: any cut will do.
size_t PartCut(std::string_view bytes, bool utf8) {
    if (!utf8) return bytes.size();
    auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const size_t lowest = bytes.size() > 64 ? bytes.size() - 64 : 1;
    for (size_t q = bytes.size(); q-- > lowest;) {
        const bool afterCharacter =
            q >= 2 && at(q - 2) == 0xC2 && at(q - 1) >= 0xA0 && at(q - 1) <= 0xBF;
        const bool continues =
            (at(q) >= 0x80 && at(q) <= 0xBF) || (at(q) == 0xC2 && !afterCharacter);
        const bool leads = at(q - 1) == 0xC2 || at(q - 1) == 0xC3 || at(q - 1) == 0xE2;
        if (!continues && !leads) return q;
    }
    if (bytes.size() <= 64) return 0; // the next part may bring a cut
    // Only bytes of removed sequences and leads without theirs, 64 in a row: the cut falls
    // at the end, where at worst one of them decodes apart.
    return bytes.size();
}

} // namespace

void TextFileLines::decode(std::string_view bytes, ustring& line) {
    if (utf8_) {
        // The two-byte sequences and the typographic punctuation are decoded first.
        WidenCp1252(bytes, false, line);
        DecodeUtf8PairsInPlace(line);
        ReplaceTypographicUtf8InPlace(line);
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
