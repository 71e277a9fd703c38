#include "sources/TextFileReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace qd {
namespace {

using Lines = std::vector<std::string>;

struct ReadBack {
    Lines lines;
    std::vector<bool> continues;
    int64_t consumed = 0;
    bool failed = false;
};

ReadBack ReadAll(const std::filesystem::path& file, size_t block = 1 << 18,
                 size_t partLimit = TextFileReader::kDefaultPartLimit) {
    TextFileReader reader(block, partLimit);
    ReadBack back;
    if (!reader.open(file)) {
        back.failed = true;
        return back;
    }
    std::string_view line;
    while (reader.nextLine(line)) {
        back.lines.emplace_back(line);
        back.continues.push_back(reader.lineContinues());
        back.consumed += reader.consumed();
    }
    back.failed = reader.failed();
    return back;
}

// --- Line ends: CR LF, lone CR and lone LF, whatever the block size ---

TEST(TextFileReader, EveryBlockSizeGivesTheSameLinesAndByteCounts) {
    test::TempDir dir;
    const std::string text =
        std::string("alpha\r\nbeta\rgamma\ndelta\n\r\r\nepsilon \x80\xFF\t\0x\r\neta", 45);
    const auto file = dir.write("a.txt", text);
    const Lines expected = {
        "alpha", "beta", "gamma", "delta", "", "", std::string("epsilon \x80\xFF\t\0x", 13), "eta"};
    for (size_t block = 1; block <= text.size() + 1; ++block) {
        const auto back = ReadAll(file, block);
        EXPECT_EQ(back.lines, expected) << "block " << block;
        EXPECT_EQ(back.consumed, int64_t(text.size())) << "block " << block;
        EXPECT_FALSE(back.failed);
    }
    EXPECT_EQ(ReadAll(dir.write("b.txt", "a\r\n\r\n")).lines, (Lines{"a", ""}));
    EXPECT_TRUE(ReadAll(dir.write("c.txt", "")).lines.empty());
}

// --- Overlong lines are handed out in parts ---

TEST(TextFileReader, OverlongLineComesInPartsThatJoinToIt) {
    test::TempDir dir;
    const std::string line = "aaaa bbbb cccc dddd eeee";
    for (const std::string end : {"\r\nnext", "\nnext", ""}) {
        const auto back = ReadAll(dir.write("a.txt", line + end), 4, 8);
        std::string joined;
        size_t parts = 0;
        while (back.continues.at(parts))
            joined += back.lines[parts++];
        joined += back.lines[parts++];
        EXPECT_EQ(joined, line);
        EXPECT_GT(parts, 2u);
        for (size_t i = 0; i + 1 < parts; ++i)
            EXPECT_LE(back.lines[i].size(), 8u + 4u);
        EXPECT_EQ(back.lines.size(), end.empty() ? parts : parts + 1);
        EXPECT_EQ(back.consumed, int64_t(line.size() + end.size()));
    }
    // A line of exactly the limit ends with an empty last part.
    const auto back = ReadAll(dir.write("b.txt", "12345678"), 8, 8);
    EXPECT_EQ(back.lines, (Lines{"12345678", ""}));
    EXPECT_EQ(back.continues, (std::vector<bool>{true, false}));
}

// --- Bad input ---

TEST(TextFileReader, MissingFileOrAFolderOrAPipeFails) {
    test::TempDir dir;
    TextFileReader reader;
    EXPECT_FALSE(reader.open(dir.path() / "none.txt"));
    EXPECT_EQ(reader.error().number, 53);
    // A named pipe in a file's place is refused at once, not waited on for a writer.
    ASSERT_EQ(::mkfifo((dir.path() / "pipe").c_str(), 0600), 0);
    EXPECT_FALSE(reader.open(dir.path() / "pipe"));
    EXPECT_EQ(reader.error().number, 75);
    const auto back = ReadAll(dir.path());
    EXPECT_TRUE(back.failed);
    EXPECT_TRUE(back.lines.empty());
}

TEST(TextFileReader, ByteLimitEndsTheFileThereWhateverTheBlockSize) {
    test::TempDir dir;
    const auto file = dir.write("limit.txt", "abcdef\r\nghi");
    for (size_t block : {size_t(1), size_t(3), size_t(1) << 16}) {
        TextFileReader reader(block);
        ASSERT_TRUE(reader.open(file));
        reader.setByteLimit(4);
        EXPECT_EQ(reader.head(), std::string_view("abcd").substr(0, std::min<size_t>(block, 4)));
        std::string_view line;
        ASSERT_TRUE(reader.nextLine(line));
        EXPECT_EQ(line, "abcd");
        EXPECT_FALSE(reader.nextLine(line));
    }
}

// --- A stream: the head is read without taking it, the lines follow from the same reads ---

TEST(TextFileReader, StreamHeadThenLinesAsFromAFile) {
    test::TempDir dir;
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "line " + std::to_string(i) + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
    const Lines expected = ReadAll(dir.write("a.txt", text)).lines;
    for (size_t block : {size_t(7), size_t(4096), size_t(1) << 18}) {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        // Written in pieces, so that the head takes several reads.
        std::thread writer([&] {
            for (size_t at = 0; at < text.size(); at += 1000)
                ASSERT_GT(
                    ::write(fds[1], text.data() + at, std::min<size_t>(1000, text.size() - at)), 0);
            ::close(fds[1]);
        });
        ReadBack back;
        {
            TextFileReader reader(block);
            reader.attach(fds[0]);
            const std::string_view head = reader.head();
            EXPECT_EQ(head, std::string_view(text).substr(0, block)) << "block " << block;
            EXPECT_EQ(reader.atEnd(), block > text.size()) << "block " << block;
            std::string_view line;
            while (reader.nextLine(line)) {
                back.lines.emplace_back(line);
                back.continues.push_back(reader.lineContinues());
                back.consumed += reader.consumed();
            }
            EXPECT_FALSE(reader.failed());
        }
        writer.join();
        EXPECT_EQ(back.lines, expected) << "block " << block;
        EXPECT_EQ(back.consumed, int64_t(text.size())) << "block " << block;
        // The stream belongs to whoever attached it: the reader leaves it open.
        EXPECT_NE(::fcntl(fds[0], F_GETFD), -1);
        ::close(fds[0]);
    }
}

} // namespace
} // namespace qd
