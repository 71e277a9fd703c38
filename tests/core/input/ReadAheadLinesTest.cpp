// Lines read ahead on a second thread must be those of the counting thread's own reading, to
// the byte, the part and the error; and the worker must end whenever the source does.
#include "count/ReadAheadLines.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <functional>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace qd {
namespace {

struct Taken {
    std::vector<ustring> lines;
    std::vector<bool> goesOn;
    std::vector<int64_t> consumed;
    std::vector<bool> failed; // the read error already shows after the line
    int error = 0;
    ustring errorText;

    bool operator==(const Taken&) const = default;
};

Taken TakeAll(FileLineSource& source) {
    Taken taken;
    ustring line;
    while (source.nextLine(line)) {
        taken.lines.push_back(line);
        taken.goesOn.push_back(source.lineGoesOn());
        taken.consumed.push_back(source.consumed());
        taken.failed.push_back(source.readError() != nullptr);
    }
    if (const ErrorInfo* error = source.readError()) {
        taken.error = error->number;
        taken.errorText = error->description;
    }
    return taken;
}

// Opens the same input for each reading: a file, or a stream attached anew.
using Open = std::function<void(TextFileReader&)>;

// The lines on one thread and read ahead in batches of several sizes, which must agree.
void ExpectSameLines(const Open& open, const Settings& settings, size_t block, size_t partLimit,
                     const std::string& trace) {
    Yielder yield;
    TextFileReader reader(block, partLimit);
    open(reader);
    TextFileLines one(reader, settings, yield);
    const Taken expected = TakeAll(one);
    for (const size_t batchChars : {size_t(1), size_t(10), ReadAheadLines::kDefaultBatchChars}) {
        TextFileReader again(block, partLimit);
        open(again);
        ReadAheadLines ahead(again, settings, yield, batchChars);
        EXPECT_TRUE(TakeAll(ahead) == expected) << trace << ", batches of " << batchChars;
    }
}

// Lines with CR, LF and CR LF ends, blanks and controls to trim, empty lines, UTF-8 sequences
// and Windows-1252 letters, capitals, and now and then a line long enough to come in parts.
std::string RandomText(std::mt19937& random) {
    static const char* const kPieces[] = {"word",
                                          "Word ",
                                          " ",
                                          "\t",
                                          "\x01",
                                          "\r",
                                          "\n",
                                          "\r\n",
                                          "\n\n",
                                          "\xC3\xA9t\xC3\xA9", // UTF-8 letters
                                          "\xC3\x89",          // a capital
                                          "\xE2\x80\x9C",      // a quotation mark
                                          "\xC2",
                                          "\xC9\xE9\xFC\x80"}; // a lone lead, Windows-1252 letters
    std::uniform_int_distribution<size_t> piece(0, std::size(kPieces) - 1);
    std::uniform_int_distribution<int> length(0, 300);
    std::string text;
    for (int n = length(random); n > 0; --n)
        text += kPieces[piece(random)];
    if (length(random) < 30) text += std::string(500, 'x') + "\xC3\xA9" + std::string(90, ' ');
    return text;
}

TEST(ReadAhead, LinesPartsBytesAndEncodingsAsReadOnOneThread) {
    test::TempDir dir;
    std::mt19937 random(20261207);
    for (int round = 0; round < 40; ++round) {
        const auto file = dir.write("in.txt", round == 0 ? "" : RandomText(random));
        const Open open = [&](TextFileReader& reader) { ASSERT_TRUE(reader.open(file)); };
        for (const bool utf8 : {false, true}) {
            for (const bool caseSignificant : {false, true}) {
                Settings settings;
                settings.input.UTF8 = utf8;
                settings.words.CaseSignificant = caseSignificant;
                const std::string trace = "round " + std::to_string(round) + ", utf8 " +
                                          std::to_string(utf8) + ", case " +
                                          std::to_string(caseSignificant);
                ExpectSameLines(open, settings, 1 << 18, TextFileReader::kDefaultPartLimit, trace);
                ExpectSameLines(open, settings, 7, 40, trace + ", parts of 40");
            }
        }
    }
}

TEST(ReadAhead, ByteLimitEndsTheLinesWhereItEndsThemOnOneThread) {
    test::TempDir dir;
    const auto file = dir.write("in.txt", "alpha beta\r\ngamma\rdelta epsilon\n");
    for (const int64_t limit : {0, 3, 11, 12, 20}) {
        const Open open = [&](TextFileReader& reader) {
            ASSERT_TRUE(reader.open(file));
            reader.setByteLimit(limit);
        };
        ExpectSameLines(open, Settings{}, 5, 8, "limit " + std::to_string(limit));
    }
}

// --- Read errors show where they show on one thread ---

TEST(ReadAhead, ReadErrorAtTheStartOrMidwayComesAfterTheSameLines) {
    test::TempDir dir;
    // A folder opened as a stream fails its first read.
    const int folder = ::open(dir.path().c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(folder, 0);
    ExpectSameLines([&](TextFileReader& reader) { reader.attach(folder); }, Settings{}, 64, 64,
                    "folder");
    ::close(folder);

    // A stream that does not wait fails once its bytes are read and the writer is still
    // there; with blocks of 5 bytes the failure falls inside lines and between them. After
    // the last CR the failed look for its LF shows the error with the line.
    const std::string text = "one two\r\nthree\rfour five six\n\nseven\r";
    std::vector<int> pipes; // closed at the end: till then their writers are still there
    const Open open = [&](TextFileReader& reader) {
        int fds[2];
        ASSERT_EQ(::pipe2(fds, O_CLOEXEC | O_NONBLOCK), 0);
        ASSERT_EQ(::write(fds[1], text.data(), text.size()), ssize_t(text.size()));
        reader.attach(fds[0]);
        pipes.insert(pipes.end(), {fds[0], fds[1]});
    };
    for (size_t block : {size_t(5), size_t(1) << 12}) {
        Yielder yield;
        TextFileReader reader(block);
        open(reader);
        TextFileLines one(reader, Settings{}, yield);
        const Taken taken = TakeAll(one);
        EXPECT_NE(taken.error, 0);
        ASSERT_EQ(taken.failed.size(), 4u); // the empty line is skipped
        EXPECT_TRUE(taken.failed.back());
        EXPECT_FALSE(taken.failed[2]);
        ExpectSameLines(open, Settings{}, block, 1 << 20, "pipe, block " + std::to_string(block));
    }
    for (int fd : pipes)
        ::close(fd);
}

// --- The worker ends with the source, whatever it is doing ---

TEST(ReadAhead, SourceDestroyedAtAnyPointEndsTheWorker) {
    test::TempDir dir;
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += "line " + std::to_string(i) + "\n";
    const auto file = dir.write("in.txt", text);
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
    Yielder yield;
    for (const int taken : {0, 1, 5, 1999}) {
        // A file: the worker waits for an empty batch, or is still reading.
        TextFileReader reader(64);
        ASSERT_TRUE(reader.open(file));
        {
            ReadAheadLines ahead(reader, Settings{}, yield, 1);
            ustring line;
            for (int i = 0; i < taken; ++i)
                ASSERT_TRUE(ahead.nextLine(line));
        }
        // A stream whose writer never ends it: the worker waits for bytes in a read.
        ASSERT_EQ(::write(fds[1], "a\nb\nc\n", 6), 6);
        TextFileReader stream;
        stream.attach(fds[0]);
        ReadAheadLines ahead(stream, Settings{}, yield);
        ustring line;
        for (int i = 0; i < std::min(taken, 3); ++i)
            ASSERT_TRUE(ahead.nextLine(line));
    }
    ::close(fds[0]);
    ::close(fds[1]);
}

} // namespace
} // namespace qd
