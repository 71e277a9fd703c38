#include "sources/Languages.h"

#include "scan/CaseFolding.h"
#include "sources/FirstLines.h"
#include "text/Folders.h"

#include <algorithm>

namespace qd {

namespace {

// The two characters after the opening quote of marker + '"' when a closing quote follows
// them; empty otherwise.
ustring QuotedTwoLetterValue(ustring_view head, ustring_view marker) {
    ustring quoted(marker);
    quoted += u'"';
    const size_t found = head.find(quoted);
    if (found == ustring_view::npos) return {};
    const size_t value = found + quoted.size();
    if (value + 2 >= head.size() || head[value + 2] != u'"') return {};
    return ustring(head.substr(value, 2));
}

// Enough of a file's head for ten lines of markup, however long, but not an endless line.
constexpr int64_t kHeadBytes = 1 << 20;

} // namespace

ustring_view LanguageChoiceAcceptCaption(int index) {
    if (index >= 0 && index < 6) return u"Load common words file for this language";
    return u"Load common words file for these languages";
}

ustring CommonWordsFileInProgramFolder(const std::filesystem::path& programFolder,
                                       ustring_view fileName) {
    return FromPath(programFolder / ToPath(fileName));
}

size_t PositionOfCode(ustring_view codes, ustring_view code) {
    if (code.size() != 2) return ustring_view::npos;
    for (size_t p = 0; p + 2 <= codes.size(); p += 3)
        if (codes.substr(p, 2) == code) return p;
    return ustring_view::npos;
}

ustring DeclaredLanguageInHead(ustring_view headText, ustring_view codesText, ustring_view def) {
    const ustring head = LowerCaseAccented(headText);
    const ustring codes = LowerCaseAccented(codesText);

    ustring result = QuotedTwoLetterValue(head, u"lang=");
    if (result.empty()) {
        // lang= followed by any one opening character (a single quote, say) and the code.
        const size_t found = head.find(u"lang=");
        if (found != ustring::npos) result = head.substr(std::min(found + 6, head.size()), 2);
    }
    if (result.empty()) result = QuotedTwoLetterValue(head, u"content=");

    // Only a whole code counts: "n_" occurs in "en_de" but names no language.
    if (result.size() >= 2 && (codes.empty() || PositionOfCode(codes, result) != ustring::npos))
        return result;
    return ustring(def);
}

ustring DeclaredLanguage(ustring_view path, ustring_view codes, ustring_view def) {
    const FirstLines head = ReadFirstLines(path, true, 10, false, kHeadBytes);
    if (head.error.number != 0) return ustring(def);
    return DeclaredLanguageInHead(head.text, codes, def);
}

ustring CommonWordsFileForInput(const std::filesystem::path& programFolder,
                                ustring_view inputFile) {
    const ustring code = DeclaredLanguage(inputFile, LanguageCodes, u"en");
    const size_t p = PositionOfCode(LanguageCodes, code);
    return CommonWordsFileInProgramFolder(
        programFolder, CommonWordsFileNames[p == ustring_view::npos ? 0 : p / 3]);
}

} // namespace qd
