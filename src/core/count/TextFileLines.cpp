#include "count/TextFileLines.h"

#include "scan/CaseFolding.h"
#include "scan/TextRoutines.h"
#include "sources/LineCharacters.h"

namespace qd {

namespace {

// The blanks and control characters at both ends go. (Bytes up to 32 are the same characters
// in Windows-1252, and no other byte becomes one.)
std::string_view TrimmedBytes(std::string_view bytes) {
    size_t b = 0, e = bytes.size();
    while (b < e && static_cast<unsigned char>(bytes[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(bytes[e - 1]) <= 32)
        --e;
    return bytes.substr(b, e - b);
}

} // namespace

bool TextFileLines::nextLine(ustring& line) {
    const bool lowerCase = !settings_.words.CaseSignificant;
    std::string_view bytes;
    for (;;) {
        yield_();
        if (!reader_.nextLine(bytes)) return false;
        consumed_ += reader_.consumed();
        const std::string_view trimmed = TrimmedBytes(bytes);
        if (trimmed.empty()) continue;
        if (settings_.input.UTF8) {
            // The two-byte sequences and the typographic punctuation are decoded first.
            WidenCp1252(trimmed, false, line);
            DecodeUtf8PairsInPlace(line);
            ReplaceTypographicUtf8InPlace(line);
            if (lowerCase) LowerCaseAccentedInPlace(line, &yield_);
        } else {
            // Read as ANSI, the line is lowered while its bytes become characters.
            WidenCp1252(trimmed, lowerCase, line);
        }
        line.push_back(u' ');
        return true;
    }
}

} // namespace qd
