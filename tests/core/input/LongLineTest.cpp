// A line too long to hold whole is read in parts: the words must be those of the whole line,
// wherever the parts are cut, and the memory must not grow with the line.
#include "count/CountText.h"
#include "count/TextFileLines.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <malloc.h>
#include <random>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace qd {
namespace {

struct Variant {
    const char16_t* extension;
    void (*apply)(Settings&);
};

const Variant kVariants[] = {
    {u"htm", [](Settings& s) { s.input.UTF8 = true; }},
    {u"php", [](Settings& s) { s.words.CaseSignificant = true; }},
    {u"c",
     [](Settings& s) {
         s.words.AllowWordsWithHyphens = true;
         s.words.AllowWordsWithApostrophes = true;
         s.words.DropFinalS = true;
         s.input.UTF8 = true;
     }},
    {u"txt",
     [](Settings& s) {
         s.comments.AllowCommentMarkers = true;
         s.comments.StartComment = {u"[[", u"//"};
         s.comments.EndComment = {u"]]", u""};
         s.words.AllowWordsWithPeriods = true;
     }},
};

// Lines of words, blanks and everything a cut could split: UTF-8 sequences (and the pairs a
// removed one brings together), double hyphens by "<!--" and "-->", entities near and far
// from their ";", comment markers.
std::string RandomText(std::mt19937& random) {
    static const char* const kPieces[] = {"a",
                                          "bc",
                                          "d\xC3\xA9"
                                          "f",
                                          " ",
                                          "  ",
                                          "\t",
                                          "-",
                                          "--",
                                          "---",
                                          ">",
                                          "<!--",
                                          "-->",
                                          "&",
                                          "&amp;",
                                          "&eacute;",
                                          "&#169;",
                                          "&#x",
                                          ";",
                                          "//",
                                          "/*",
                                          "*/",
                                          "<",
                                          "<p>",
                                          "</p>",
                                          "'",
                                          "'s",
                                          ".",
                                          ",",
                                          "s",
                                          "\xC2\xA0",
                                          "\xC2\x80",
                                          "\xC3",
                                          "\xE2\x80\x9C",
                                          "don't",
                                          "[[",
                                          "]]",
                                          "\x08",
                                          "\xC2",
                                          "X",
                                          "&&amp;;",
                                          "&#12;a",
                                          "<script>"};
    std::uniform_int_distribution<size_t> piece(0, std::size(kPieces) - 1);
    std::uniform_int_distribution<int> length(0, 120);
    std::string text;
    for (int line = 0; line < 6; ++line) {
        for (int n = length(random); n > 0; --n)
            text += kPieces[piece(random)];
        text += line % 2 ? "\r\n" : "\n";
    }
    return text;
}

CountResult CountFile(const std::filesystem::path& file, const Settings& settings,
                      const Variant& variant, size_t block, size_t partLimit) {
    TextFileReader reader(block, partLimit);
    EXPECT_TRUE(reader.open(file));
    Yielder yield;
    TextFileLines lines(reader, settings, yield);
    return CountText(settings, WordLists{}, lines, variant.extension);
}

::testing::AssertionResult SameCount(const CountResult& whole, const CountResult& parts) {
    if (whole.table.size() != parts.table.size())
        return ::testing::AssertionFailure()
               << whole.table.size() << " words whole, " << parts.table.size() << " in parts";
    for (int32_t i = 1; i <= whole.table.size(); ++i) {
        if (whole.table[i].word() != parts.table[i].word() ||
            whole.table[i].Count != parts.table[i].Count)
            return ::testing::AssertionFailure()
                   << "entry " << i << ": " << ToUtf8(whole.table[i].word()) << " x"
                   << whole.table[i].Count << " whole, " << ToUtf8(parts.table[i].word()) << " x"
                   << parts.table[i].Count << " in parts";
    }
    if (whole.stats.occurrences != parts.stats.occurrences)
        return ::testing::AssertionFailure() << "occurrences differ";
    return ::testing::AssertionSuccess();
}

TEST(LongLine, PartsCutAnywhereCountAsTheWholeLine) {
    test::TempDir dir;
    std::mt19937 random(20261207);
    for (int round = 0; round < 60; ++round) {
        const std::string text = RandomText(random);
        const auto file = dir.write("in.txt", text);
        for (const Variant& variant : kVariants) {
            Settings settings;
            variant.apply(settings);
            const CountResult whole = CountFile(file, settings, variant, 1 << 16, 1 << 20);
            for (const size_t partLimit : {2, 3, 7, 16, 45}) {
                EXPECT_TRUE(SameCount(whole, CountFile(file, settings, variant, 5, partLimit)))
                    << "round " << round << ", ." << ToUtf8(variant.extension) << ", parts of "
                    << partLimit << "\n"
                    << text;
            }
        }
    }
}

// Runs longer than a part: hyphens (whose pairs must stay aligned) and word characters (cut
// into words of 65,000 characters, as on a whole line).
TEST(LongLine, LongRunsOfHyphensAndWordCharactersCountAsOnAWholeLine) {
    test::TempDir dir;
    const std::string text = "<!--" + std::string(301, '-') + "> alpha " + std::string(300, '-') +
                             "> bravo --" + std::string(130001, 'w') + "ord. " +
                             std::string(65000, 'z') + "ebra\n";
    const auto file = dir.write("in.htm", text);
    for (const Variant& variant : kVariants) {
        Settings settings;
        variant.apply(settings);
        const CountResult whole = CountFile(file, settings, variant, 1 << 16, 1 << 20);
        EXPECT_GE(whole.table.size(), 3);
        for (const size_t partLimit : {100, 4096})
            EXPECT_TRUE(SameCount(whole, CountFile(file, settings, variant, 999, partLimit)))
                << "." << ToUtf8(variant.extension) << ", parts of " << partLimit;
    }
}

// Notes the most memory in use while the line is read.
class PeakMemoryLines : public LineSource {
public:
    explicit PeakMemoryLines(LineSource& lines) : lines_(lines) {}
    bool nextLine(ustring& line) override {
        peak = std::max(peak, mallinfo2().uordblks);
        return lines_.nextLine(line);
    }
    bool lineGoesOn() const override { return lines_.lineGoesOn(); }
    size_t peak = 0;

private:
    LineSource& lines_;
};

TEST(LongLine, AStreamedLineWithoutBlanksCountsInBoundedMemory) {
    // 44 MB in one line, from a pipe so that no file of that size is written.
    constexpr int kRepeats = 4'000'000;
    const std::string unit = "alpha,beta;";
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    std::thread writer([fd = fds[1], &unit] {
        std::string block;
        for (int i = 0; i < 10'000; ++i)
            block += unit;
        for (int i = 0; i < kRepeats / 10'000; ++i)
            if (::write(fd, block.data(), block.size()) != ssize_t(block.size())) break;
        ::close(fd);
    });
    TextFileReader reader;
    reader.attach(fds[0]);
    Settings settings;
    Yielder yield;
    TextFileLines lines(reader, settings, yield);
    PeakMemoryLines measured(lines);
    const size_t before = mallinfo2().uordblks;
    const CountResult result = CountText(settings, WordLists{}, measured);
    writer.join();
    ::close(fds[0]);
    ASSERT_EQ(result.table.size(), 2);
    EXPECT_EQ(result.table[1].Count, kRepeats);
    EXPECT_EQ(result.table[2].Count, kRepeats);
    // The reader's block, a part and its characters: a few megabytes, not the line's 44.
    EXPECT_LT(measured.peak - std::min(measured.peak, before), size_t(12) << 20);
}

} // namespace
} // namespace qd
