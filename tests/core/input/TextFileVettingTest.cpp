#include "count/TextFileVetting.h"
#include "count/RunState.h"
#include "sources/FirstLines.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "text/Folders.h"

#include <gtest/gtest.h>

#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qd {
namespace {

class VettingTest : public ::testing::Test {
protected:
    ustring write(std::string_view name, std::string_view bytes) {
        return FromPath(dir.write(name, bytes));
    }
    FileKind kind(std::string_view name, std::string_view bytes, double threshold = 0.0) {
        return IsTextFile(write(name, bytes), kVetScanBytes, threshold, threshold == 0.0).kind;
    }

    test::TempDir dir;
    test::ScriptedHost host;
    RunState run{host, DefaultEnvironment()};
};

// --- The start of a file: sizes, pipes, marks and declarations ---

TEST_F(VettingTest, FilesOfUpToFourBytesAndPipesAreRefusedWithoutWaiting) {
    EXPECT_EQ(ClassifyFileStart(FromPath(dir.path()), true), FileStart::NotFound); // a folder
    EXPECT_EQ(ClassifyFileStart(write("four.txt", "abcd"), true), FileStart::TooShort);
    EXPECT_EQ(ClassifyFileStart(write("five.txt", "abcde"), true), FileStart::Unknown);
    const fs::path fifo = dir.path() / "pipe.txt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ClassifyFileStart(FromPath(fifo), true), FileStart::CannotOpen);
}

// --- The byte scan of the first 16384 bytes ---

TEST_F(VettingTest, OneControlByteInTheScannedBytesMakesABinaryFile) {
    std::string bytes(20000, 'a');
    bytes[kVetScanBytes] = '\0'; // byte 16385: not seen
    EXPECT_EQ(kind("late.txt", bytes), FileKind::Text);
    bytes[kVetScanBytes - 1] = '\x1B'; // byte 16384: seen
    const TextFileCheck check = IsTextFile(write("last.txt", bytes), kVetScanBytes, 0.0, true);
    EXPECT_EQ(check.kind, FileKind::NotText);
    EXPECT_EQ(check.firstBadByte, 0x1B);
    EXPECT_EQ(check.firstBadPos, int64_t(kVetScanBytes) - 1);
    // A threshold allows some: here 1 percent.
    std::string some(1000, 'a');
    for (int i = 0; i < 10; ++i)
        some[size_t(i) * 100] = '\x01';
    EXPECT_EQ(kind("some.txt", some, 2.0), FileKind::Text);
    EXPECT_EQ(kind("some.txt", some, 0.5), FileKind::NotText);
}

// --- The vetting a count goes through ---

TEST_F(VettingTest, CrOnlyNoticeIsShownOnceAndNeverWhenQuiet) {
    EXPECT_TRUE(VetTextFile(run, write("quiet.txt", "one\rtwo\r"), true).ok);
    EXPECT_TRUE(host.messages.empty());
    const ustring first = write("mac.txt", "one\rtwo\r");
    EXPECT_EQ(VetTextFile(run, first, false).kind, FileKind::TextCr);
    EXPECT_TRUE(VetTextFile(run, write("mac2.txt", "three\rfour\r"), false).ok);
    EXPECT_EQ(host.messages.size(), 1u);
    run.session.MacNoticeShown = false; // the main window initialises its variables again
    VetTextFile(run, first, false);
    EXPECT_EQ(host.messages.size(), 2u);
    // Quiet vetting still reports refusals.
    EXPECT_FALSE(VetTextFile(run, write("tiny.txt", "ab"), true).ok);
    EXPECT_EQ(host.messages.size(), 3u);
}

// --- Random and truncated files are refused or read, never crash ---

TEST_F(VettingTest, RandomAndTruncatedFilesAreVettedAndRead) {
    std::mt19937 rng(20240611);
    const char* names[] = {"r.txt", "r.html", "r.xml", "r.rtf", "r"};
    for (int round = 0; round < 60; ++round) {
        std::string bytes(rng() % 64, '\0');
        for (char& c : bytes)
            c = char(rng() & 0xFF);
        if (round % 3 == 0) bytes = "\xEF\xBB\xBF" + bytes;
        if (round % 5 == 0) bytes = "<meta charset=UTF-8>\n" + bytes;
        if (round % 7 == 0) bytes = "{\\rtf" + bytes;
        const ustring path = write(names[size_t(round) % std::size(names)], bytes);
        const VetResult result = VetTextFile(run, path, round % 2 == 0);
        EXPECT_GE(Code(result.kind), -9) << round;
        EXPECT_LE(Code(result.kind), 7) << round;
        EXPECT_TRUE(ReadFirstLines(path, round % 2 == 0, 10, true).error.number == 0);
    }
    const std::string text = "The quick brown fox\r\njumps over\nthe lazy dog\r";
    for (size_t n = 0; n <= text.size(); ++n)
        EXPECT_EQ(VetTextFile(run, write("cut.txt", text.substr(0, n)), true).ok, n > 4) << n;
}

// --- A stream is judged from its first block as a text file with the same bytes ---

TEST_F(VettingTest, StreamHeadIsJudgedLikeATextFile) {
    const std::string heads[] = {
        "ab\n",
        std::string("ab\0\n", 4),
        "{\\rtf1\\ansi hello}",
        "\xFF\xFEh\0i\0",
        "\xFE\xFF\0h\0i",
        std::string("\0\0\xFE\xFF\0\0\0h", 8),
        "\xEF\xBB\xBFhello",
        "<meta charset=\"UTF-8\">\ncaf\xC3\xA9\n",
        "\n\n<meta charset=UTF-8>\n",
        "one\rtwo\rthree\r",
        "one\ntwo\nthree\n",
        "one\r\ntwo\nthree\r",
        "plain words \x80\xE9 and a \x01 control byte\r\n",
        std::string(40000, 'a') + "\x02",
        std::string(20000, '\x03') + "text",
    };
    int n = 0;
    for (const std::string& bytes : heads) {
        const TextFileCheck file =
            IsTextFile(write("s" + std::to_string(n++) + ".txt", bytes), kVetScanBytes, 0.0, true);
        const TextFileCheck stream = IsTextStream(bytes, true);
        EXPECT_EQ(stream.kind, file.kind) << bytes;
        EXPECT_EQ(stream.isUtf8, file.isUtf8) << bytes;
        EXPECT_EQ(stream.firstBadPos, file.firstBadPos) << bytes;
        EXPECT_DOUBLE_EQ(stream.percent, file.percent) << bytes;
    }
    // Only a stream known to have ended is too short or empty.
    EXPECT_EQ(IsTextStream("ab", false).kind, FileKind::Text);
    EXPECT_EQ(IsTextStream("", true).kind, FileKind::Empty);
}

} // namespace
} // namespace qd
