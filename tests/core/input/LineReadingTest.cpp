#include "sources/LineReader.h"
#include "support/TempDir.h"
#include "text/Folders.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

struct Line {
    std::string text;
    int end; // the length of the line end: 2 for CR LF, 1 for CR or LF, 0 at the end of file
    bool operator==(const Line&) const = default;
};

std::vector<Line> ReadAll(const std::filesystem::path& file) {
    LineReader reader(FromPath(file));
    std::vector<Line> lines;
    std::string line;
    int end = 0;
    while (reader.next(line, end))
        lines.push_back({line, end});
    EXPECT_FALSE(reader.error());
    EXPECT_EQ(reader.consumed(), reader.length());
    return lines;
}

// --- Line ends: CR LF, CR and LF; LF CR and CR CR are two ---

TEST(LineReader, CrLfCrAndLfEachEndALine) {
    test::TempDir dir;
    EXPECT_EQ(
        ReadAll(dir.write("mixed.txt", "one\r\ntwo\nthree\ra\n\rb\r\rc")),
        (std::vector<Line>{
            {"one", 2}, {"two", 1}, {"three", 1}, {"a", 1}, {"", 1}, {"b", 1}, {"", 1}, {"c", 0}}));
    EXPECT_TRUE(ReadAll(dir.write("empty.txt", "")).empty());
}

TEST(LineReader, PairSplitAcrossReadBlocksIsOneLineEnd) {
    test::TempDir dir;
    const size_t block = 1 << 16;
    for (size_t at : {block - 2, block - 1, block, block + 1}) {
        SCOPED_TRACE(at);
        const auto lines = ReadAll(dir.write("split.txt", std::string(at, 'x') + "\r\nnext\r\n"));
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0], (Line{std::string(at, 'x'), 2}));
        EXPECT_EQ(lines[1], (Line{"next", 2}));
    }
}

TEST(LineReader, ByteLimitEndsTheFileEarlyAndAMissingFileIsAnError) {
    test::TempDir dir;
    LineReader reader(FromPath(dir.write("limit.txt", "abcdef\r\nghi")));
    reader.setByteLimit(4);
    std::string line;
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "abcd");
    EXPECT_FALSE(reader.next(line));
    LineReader missing(FromPath(dir.path() / "none.txt"));
    EXPECT_FALSE(missing.next(line));
    EXPECT_TRUE(missing.error());
}

} // namespace
} // namespace qd
