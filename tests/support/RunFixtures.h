#pragma once
// Helpers shared by the core suites: program texts that name themselves, and the word table
// filled and read back as UTF-8.

#include "count/AddWordToList.h"
#include "count/RunState.h"
#include "support/TempDir.h"
#include "text/UString.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace qd::test {

// Texts 27 and 31 to 34 read as their number in angle brackets, so a test sees which one a
// message uses.
inline void LoadNumberedTexts(RunState& run, const TempDir& dir) {
    run.texts.Load(dir.write("dvn.dat", "[en]\n27=<27>\n31=<31>\n32=<32>\n33=<33>\n34=<34>\n"));
}

// Adds every word to the table as many times as given.
inline void AddWords(RunState& run, std::initializer_list<std::pair<const char*, int>> words) {
    for (auto [word, n] : words)
        for (int k = 0; k < n; ++k)
            AddWordToList(run, U(word));
}

// The words of the table in entry order.
inline std::vector<std::string> TableWords(const WordTable& table) {
    std::vector<std::string> words;
    for (int32_t i = 1; i <= table.size(); ++i)
        words.push_back(ToUtf8(table[i].word()));
    return words;
}

// The count of a word, 0 when it is not in the table.
inline int32_t CountOf(const WordTable& table, std::string_view utf8Word) {
    for (int32_t i = 1; i <= table.size(); ++i)
        if (table[i].word() == FromUtf8(utf8Word)) return table[i].Count;
    return 0;
}

} // namespace qd::test
