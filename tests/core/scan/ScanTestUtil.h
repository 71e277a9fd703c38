#pragma once
// Helpers for the scanner tests: texts given as Windows-1252 bytes, and the words a line
// leaves in the word table.

#include "RunState.h"
#include "support/UString.h"

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

} // namespace qd::test
