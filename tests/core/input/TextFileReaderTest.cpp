#include "input/TextFileReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qd {
namespace {

struct ReadBack {
    std::vector<std::string> lines;
    int64_t consumed = 0;
    bool failed = false;
};

ReadBack ReadAll(const std::filesystem::path& file, size_t block = 1 << 18,
                 size_t softLimit = TextFileReader::kDefaultSoftLineLimit) {
    TextFileReader reader(block, softLimit);
    ReadBack back;
    if (!reader.open(file)) {
        back.failed = true;
        return back;
    }
    std::string_view line;
    while (reader.nextLine(line)) {
        back.lines.emplace_back(line);
        back.consumed += reader.consumed();
    }
    back.failed = reader.failed();
    return back;
}

using Lines = std::vector<std::string>;

// --- Line ends

TEST(TextFileReader, SplitsAtCrLfCrAndLoneLf) {
    test::TempDir dir;
    const std::string text = "one\r\ntwo\rthree\nfour\n\rfive";
    auto back = ReadAll(dir.write("a.txt", text));
    EXPECT_EQ(back.lines, (Lines{"one", "two", "three", "four", "", "five"}));
    EXPECT_EQ(back.consumed, int64_t(text.size()));
    EXPECT_FALSE(back.failed);
}

TEST(TextFileReader, FinalLineEndGivesNoExtraLine) {
    test::TempDir dir;
    EXPECT_EQ(ReadAll(dir.write("a.txt", "a\r\nb\r\n")).lines, (Lines{"a", "b"}));
    EXPECT_EQ(ReadAll(dir.write("b.txt", "\r\n\r\n")).lines, (Lines{"", ""}));
    EXPECT_TRUE(ReadAll(dir.write("c.txt", "")).lines.empty());
}

TEST(TextFileReader, BytesComeBackUnchanged) {
    test::TempDir dir;
    const std::string text = std::string("caf\xC3\xA9 \x80\xFF\t\0x", 10) + "\r\n";
    auto back = ReadAll(dir.write("a.txt", text));
    ASSERT_EQ(back.lines.size(), 1u);
    EXPECT_EQ(back.lines[0], text.substr(0, text.size() - 2));
}

// --- Block boundaries: every block size gives the same lines and byte counts

TEST(TextFileReader, LinesAcrossBlocksAreWhole) {
    test::TempDir dir;
    const std::string text = "alpha\r\nbeta\rgamma\ndelta\r\n\r\nepsilon zeta\r\neta";
    auto file = dir.write("a.txt", text);
    const Lines expected = {"alpha", "beta", "gamma", "delta", "", "epsilon zeta", "eta"};
    for (size_t block = 1; block <= text.size() + 1; ++block) {
        auto back = ReadAll(file, block);
        EXPECT_EQ(back.lines, expected) << "block " << block;
        EXPECT_EQ(back.consumed, int64_t(text.size())) << "block " << block;
    }
}

TEST(TextFileReader, CrAtBlockEndWithLfInNextBlockIsOneLineEnd) {
    test::TempDir dir;
    auto file = dir.write("a.txt", "abc\r\ndef");
    auto back = ReadAll(file, 4); // "abc\r" | "\ndef"
    EXPECT_EQ(back.lines, (Lines{"abc", "def"}));
    EXPECT_EQ(back.consumed, 8);
}

// --- Overlong lines are handed out in pieces broken after a blank

TEST(TextFileReader, OverlongLineBreaksAfterBlank) {
    test::TempDir dir;
    const std::string line = "aaaa bbbb cccc dddd eeee";
    auto back = ReadAll(dir.write("a.txt", line + "\r\nnext"), 4, 8);
    ASSERT_GT(back.lines.size(), 2u);
    std::string joined;
    for (size_t i = 0; i + 1 < back.lines.size(); ++i) {
        EXPECT_FALSE(back.lines[i].empty());
        joined += back.lines[i];
    }
    EXPECT_EQ(joined, line);
    EXPECT_EQ(back.lines.back(), "next");
    for (size_t i = 0; i + 2 < back.lines.size(); ++i)
        EXPECT_EQ(back.lines[i].back(), ' ') << "piece " << i << " ends inside a word";
    EXPECT_EQ(back.consumed, int64_t(line.size() + 6));
}

TEST(TextFileReader, OverlongWordWithoutBlankStaysWhole) {
    test::TempDir dir;
    const std::string word(100, 'x');
    auto back = ReadAll(dir.write("a.txt", word + " y"), 8, 16);
    ASSERT_FALSE(back.lines.empty());
    EXPECT_EQ(back.lines[0], word + " ");
}

// --- Bad input

TEST(TextFileReader, MissingFileIsFileNotFound) {
    test::TempDir dir;
    TextFileReader reader;
    EXPECT_FALSE(reader.open(dir.path() / "none.txt"));
    EXPECT_EQ(reader.error().number, 53);
    EXPECT_EQ(reader.error().description, u"File not found");
}

TEST(TextFileReader, FolderFailsOnReadWithoutLines) {
    test::TempDir dir;
    auto back = ReadAll(dir.path());
    EXPECT_TRUE(back.failed);
    EXPECT_TRUE(back.lines.empty());
}

} // namespace
} // namespace qd
