#include "input/FileNames.h"
#include "input/FirstLines.h"
#include "input/LineReader.h"
#include "support/Folders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace qd {
namespace {

struct Line {
    std::string text;
    int end;
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

// ---- Line ends ------------------------------------------------------------------------------

TEST(LineReader, CrLfCrAndLfEachEndALine) {
    test::TempDir dir;
    EXPECT_EQ(ReadAll(dir.write("crlf.txt", "one\r\ntwo\r\n")),
              (std::vector<Line>{{"one", 2}, {"two", 2}}));
    EXPECT_EQ(ReadAll(dir.write("lf.txt", "one\ntwo\n")),
              (std::vector<Line>{{"one", 1}, {"two", 1}}));
    EXPECT_EQ(ReadAll(dir.write("cr.txt", "one\rtwo\r")),
              (std::vector<Line>{{"one", 1}, {"two", 1}}));
    // LF CR is two line ends with an empty line between; so is CR CR.
    EXPECT_EQ(ReadAll(dir.write("mixed.txt", "a\n\rb\r\rc")),
              (std::vector<Line>{{"a", 1}, {"", 1}, {"b", 1}, {"", 1}, {"c", 0}}));
}

TEST(LineReader, LastLineNeedsNoLineEndAndEmptyFilesHaveNoLines) {
    test::TempDir dir;
    EXPECT_EQ(ReadAll(dir.write("last.txt", "one\r\ntwo")),
              (std::vector<Line>{{"one", 2}, {"two", 0}}));
    EXPECT_TRUE(ReadAll(dir.write("empty.txt", "")).empty());
    EXPECT_EQ(ReadAll(dir.write("blank.txt", "\r\n")), (std::vector<Line>{{"", 2}}));
}

TEST(LineReader, PairSplitAcrossReadBlocksIsOneLineEnd) {
    test::TempDir dir;
    const size_t block = 1 << 16;
    for (size_t at : {block - 1, block - 2, block, block + 1}) {
        SCOPED_TRACE(at);
        std::string bytes(at, 'x');
        bytes += "\r\nnext\r\n";
        const auto lines = ReadAll(dir.write("split.txt", bytes));
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].text.size(), at);
        EXPECT_EQ(lines[0].end, 2);
        EXPECT_EQ(lines[1], (Line{"next", 2}));
    }
}

TEST(LineReader, LongLinesAndBytesArePassedThrough) {
    test::TempDir dir;
    std::string longLine(300000, 'y');
    longLine[1234] = '\0';
    longLine[5678] = '\xE9';
    const auto lines = ReadAll(dir.write("long.txt", longLine + "\n" + longLine));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, longLine);
    EXPECT_EQ(lines[1].text, longLine);
}

TEST(LineReader, ByteLimitEndsTheFileEarly) {
    test::TempDir dir;
    LineReader reader(FromPath(dir.write("limit.txt", "abcdef\r\nghi")));
    reader.setByteLimit(4);
    std::string line;
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "abcd");
    EXPECT_FALSE(reader.next(line));
}

TEST(LineReader, MissingFileReportsAnError) {
    test::TempDir dir;
    LineReader reader(FromPath(dir.path() / "none.txt"));
    std::string line;
    EXPECT_FALSE(reader.isOpen());
    EXPECT_FALSE(reader.next(line));
    EXPECT_TRUE(reader.error());
}

// ---- ReadFirstLines -------------------------------------------------------------------------

TEST(ReadFirstLines, SkipsEmptyLinesAndStopsAtTheCount) {
    test::TempDir dir;
    const ustring file = FromPath(dir.write("head.txt", "one\r\n\r\ntwo\n\nthree\rfour\r\n"));
    FirstLines head = ReadFirstLines(file, true, 3, false, false);
    EXPECT_EQ(ToUtf8(head.text), "one\r\ntwo\r\nthree");
    EXPECT_EQ(head.lineCount, 3);
    EXPECT_TRUE(head.errorText.empty());

    head = ReadFirstLines(file, false, 0, false, false);
    EXPECT_EQ(ToUtf8(head.text), "one\r\n\r\ntwo\r\n\r\nthree\r\nfour");
    EXPECT_EQ(head.lineCount, 6);
}

TEST(ReadFirstLines, BytesAreCharactersUnlessDecoded) {
    test::TempDir dir;
    // "café" in UTF-8, a right single quotation mark, and the Windows-1252 byte 0x93.
    const ustring file = FromPath(dir.write("u.txt", "caf\xC3\xA9 don\xE2\x80\x99t \x93"));
    EXPECT_EQ(ReadFirstLines(file, true, 1, false, false).text,
              u"caf\u00C3\u00A9 don\u00E2\u20AC\u2122t \u201C");
    EXPECT_EQ(ReadFirstLines(file, true, 1, true, false).text,
              u"caf\u00E9 don\u00E2\u20AC\u2122t \u201C");
    EXPECT_EQ(ReadFirstLines(file, true, 1, true, true).text, u"caf\u00E9 don't \u201C");
}

TEST(ReadFirstLines, ErrorsComeBackAsTextAndNumber) {
    test::TempDir dir;
    FirstLines head = ReadFirstLines(FromPath(dir.path() / "none.txt"), true, 10, false, false);
    EXPECT_FALSE(head.errorText.empty());
    EXPECT_EQ(head.errorNumber, 53);
    EXPECT_TRUE(head.text.empty());
    head = ReadFirstLines(FromPath(dir.path()), true, 10, false, false);
    EXPECT_EQ(head.errorNumber, 75);
}

// ---- File names -----------------------------------------------------------------------------

TEST(FileExtension, TextAfterTheLastDotOfTheName) {
    EXPECT_EQ(FileExtension(u"/home/Ann/Report.Final.TXT", false), u"TXT");
    EXPECT_EQ(FileExtension(u"/home/Ann/Report.Final.TXT", true), u"txt");
    EXPECT_EQ(FileExtension(u"/home/ann.d/README", true), u"");
    EXPECT_EQ(FileExtension(u"/home/ann/archive.", true), u"");
    EXPECT_EQ(FileExtension(u"Notes.DOCX", true), u"docx");
    EXPECT_EQ(FileExtension(u"/x/file.\u00C9T\u00C9", true), u"\u00E9t\u00E9");
}

TEST(HasTextExtension, KnownTextExtensionsInAnyCase) {
    for (const char16_t* name : {u"a.prn", u"a.CSV", u"a.xhtml", u"a.xhtm", u"a.shtml", u"a.shtm",
                                 u"a.Html", u"a.htm", u"a.xml", u"a.log", u"a.txt"})
        EXPECT_TRUE(HasTextExtension(name)) << ToUtf8(name);
    for (const char16_t* name : {u"a.docx", u"a.php", u"a", u"txt", u"a.txt.gz"})
        EXPECT_FALSE(HasTextExtension(name)) << ToUtf8(name);
}

} // namespace
} // namespace qd
