#pragma once
// Helpers for the scanner tests: texts given as Windows-1252 bytes, and a run that scans lines
// the way the count run does.

#include "RunState.h"
#include "scan/CaseFolding.h"
#include "scan/LineScanner.h"
#include "scan/WordExtractor.h"
#include "settings/SettingsFields.h"
#include "support/RunFixtures.h"
#include "support/ScriptedHost.h"
#include "support/UString.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace qd::test {

using Strings = std::vector<std::string>;

// The text of the given Windows-1252 byte values.
inline ustring Bytes(std::initializer_list<int> bytes) {
    ustring out;
    for (int b : bytes)
        out.push_back(Cp1252ToUnicode((unsigned char)b));
    return out;
}

// A run with default settings and a scripted host.
struct Scanner {
    Scanner() { BuildCurrentExtraChars(run); }
    Scanner(const Scanner&) = delete;

    // Prepares a line as the count run does (lower-cased unless case is significant, one space
    // appended) and scans it.
    void Scan(ustring line) {
        if (!run.settings.CaseSignificant) LowerCaseAccentedInPlace(line);
        run.strLine = std::move(line);
        run.strLine.push_back(u' ');
        ScanLine(run);
    }
    // Scans the lines of text, separated by '|'.
    void Scan(std::string_view utf8) {
        for (size_t from = 0;;) {
            const size_t bar = utf8.find('|', from);
            Scan(FromUtf8(utf8.substr(from, bar - from)));
            if (bar == std::string_view::npos) break;
            from = bar + 1;
        }
    }
    // Applies space-separated NAME=VALUE settings and rebuilds the extra characters.
    void Set(std::string_view assignments) {
        for (size_t from = 0; from < assignments.size();) {
            size_t space = assignments.find(' ', from);
            if (space == std::string_view::npos) space = assignments.size();
            const auto one = assignments.substr(from, space - from);
            EXPECT_EQ(ApplySettingAssignment(run.settings, FromUtf8(one)), u"") << one;
            from = space + 1;
        }
        BuildCurrentExtraChars(run);
    }
    // Every ignore rule off, so the table shows each word the extractor cut.
    void CountEveryWord() { Set("IgnoreShortWords=0 IgnoreNoLetter=0 IgnoreRepetitions=0"); }

    Strings Words() const { return TableWords(run.table); }
    int32_t Count(std::string_view word) const { return CountOf(run.table, word); }

    ScriptedHost host;
    RunState run{host};
};

class ScanTest : public ::testing::Test, public Scanner {};

} // namespace qd::test
