#pragma once
// Helpers for the scanner tests: texts given as Windows-1252 bytes, and the words a line
// leaves in the word table.

#include "RunState.h"
#include "scan/CaseFolding.h"
#include "scan/LineScanner.h"
#include "scan/WordExtractor.h"
#include "support/ScriptedHost.h"
#include "support/UString.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace qd::test {

// The text of the given Windows-1252 byte values.
inline ustring Bytes(std::initializer_list<int> bytes) {
    ustring out;
    for (int b : bytes)
        out.push_back(Cp1252ToUnicode((unsigned char)b));
    return out;
}

// The words of the table in entry order (code-unit order), as UTF-8.
inline std::vector<std::string> TableWords(const RunState& run) {
    std::vector<std::string> words;
    for (int32_t i = 1; i <= run.table.size(); ++i)
        words.push_back(ToUtf8(run.table[i].Word));
    return words;
}

inline int32_t CountOf(const RunState& run, std::string_view utf8Word) {
    const ustring word = FromUtf8(utf8Word);
    for (int32_t i = 1; i <= run.table.size(); ++i)
        if (run.table[i].Word == word) return run.table[i].Count;
    return 0;
}

// A run with default settings and a scripted host; Scan prepares a line the way the count run
// does (lower-cased unless case is significant, one space appended) and scans it.
class ScanTest : public ::testing::Test {
protected:
    ScanTest() { BuildCurrentExtraChars(run); }

    void Scan(ustring line) {
        if (!run.settings.CaseSignificant) LowerCaseAccentedInPlace(line);
        run.strLine = std::move(line);
        run.strLine.push_back(u' ');
        ScanLine(run);
    }
    void Scan(std::string_view utf8) { Scan(FromUtf8(utf8)); }

    // Every ignore rule off, so the table shows each word the extractor cut.
    void CountEveryWord() {
        run.settings.IgnoreShortWords = false;
        run.settings.IgnoreNoLetter = false;
        run.settings.IgnoreRepetitions = false;
    }
    void Rebuild() { BuildCurrentExtraChars(run); }

    std::vector<std::string> Words() const { return TableWords(run); }

    ScriptedHost host;
    RunState run{host};
};

} // namespace qd::test
