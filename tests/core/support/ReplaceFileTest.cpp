#include "text/ReplaceFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace qd {
namespace {

namespace fs = std::filesystem;

size_t EntriesIn(const fs::path& folder) {
    return size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// The temporary file beside a long name must fit the limit on names too: every name the
// folder allows can be written, new or replaced, and nothing else is left beside it.
TEST(ReplaceFile, EveryNameTheFolderAllowsIsWrittenAndReplaced) {
    const test::TempDir dir;
    std::string accented; // 127 two-byte letters and one more byte: cut inside a letter
    for (int i = 0; i < 127; ++i)
        accented += "\xC3\xA9";
    accented += "a";
    for (const std::string& name :
         {std::string(242, 'n'), std::string(243, 'n'), std::string(251, 'n') + ".txt",
          std::string(255, 'n'), accented}) {
        const fs::path file = dir.path() / name;
        EXPECT_EQ(ReplaceFileContents(file, "first"), "") << name.size();
        EXPECT_EQ(ReplaceFileContents(file, "second"), "") << name.size();
        EXPECT_EQ(test::ReadFileBytes(file), "second") << name.size();
        EXPECT_EQ(EntriesIn(dir.path()), 1u) << name.size();
        fs::remove(file);
    }
}

TEST(ReplaceFile, ANameBeyondTheLimitIsRefusedWithItsCause) {
    const test::TempDir dir;
    EXPECT_EQ(ReplaceFileContents(dir.path() / std::string(256, 'n'), "x"), "File name too long");
    EXPECT_EQ(EntriesIn(dir.path()), 0u);
}

} // namespace
} // namespace qd
