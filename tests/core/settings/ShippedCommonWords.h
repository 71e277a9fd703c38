#pragma once
// The shipped common-words files as the tests see them, read without the program's scanner.

#include "support/Folders.h"
#include "support/TempDir.h"
#include "support/UString.h"

#include <filesystem>
#include <vector>

namespace qd::test {

// The data files are copied beside the test program by the build.
inline std::filesystem::path DataFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

inline std::filesystem::path DataFile(ustring_view name) {
    return DataFolder() / ToPath(name);
}

// The entries of a file: comments removed, then every run of characters other than spaces,
// commas and line ends.
inline std::vector<ustring> Entries(ustring_view name) {
    const ustring text = FromUtf8(ReadFileBytes(DataFile(name)));
    std::vector<ustring> entries;
    ustring current;
    auto flush = [&] {
        if (!current.empty()) entries.push_back(current);
        current.clear();
    };
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, u"/*") == 0) {
            flush();
            const size_t end = text.find(u"*/", i + 2);
            i = end == ustring::npos ? text.size() : end + 1;
        } else if (text.compare(i, 2, u"//") == 0) {
            flush();
            const size_t end = text.find(u'\n', i);
            i = end == ustring::npos ? text.size() : end;
        } else if (text[i] == u' ' || text[i] == u',' || text[i] == u'\r' || text[i] == u'\n') {
            flush();
        } else {
            current += text[i];
        }
    }
    flush();
    return entries;
}

} // namespace qd::test
