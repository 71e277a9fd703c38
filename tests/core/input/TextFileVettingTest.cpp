#include "input/TextFileVetting.h"
#include "RunState.h"
#include "support/Folders.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qd {
namespace {

std::string u8(ustring_view s) {
    return ToUtf8(s);
}

class VettingTest : public ::testing::Test {
protected:
    ustring write(std::string_view name, std::string_view bytes) {
        return FromPath(dir.write(name, bytes));
    }
    std::string path(std::string_view name) { return (dir.path() / std::string(name)).string(); }

    test::TempDir dir;
    test::ScriptedHost host;
    RunState run{host};
};

// ---- ClassifyFileStart: refusals by size and existence --------------------------------------

TEST_F(VettingTest, ClassifyRefusesEmptyPathMissingEmptyAndTinyFiles) {
    EXPECT_EQ(ClassifyFileStart(u"", true), FileStart::EmptyPath);
    EXPECT_EQ(ClassifyFileStart(FromPath(dir.path() / "missing.txt"), true), FileStart::NotFound);
    EXPECT_EQ(ClassifyFileStart(FromPath(dir.path()), true), FileStart::NotFound); // a folder
    EXPECT_EQ(ClassifyFileStart(write("empty.txt", ""), true), FileStart::Empty);
    EXPECT_EQ(ClassifyFileStart(write("one.txt", "a"), true), FileStart::TooShort);
    EXPECT_EQ(ClassifyFileStart(write("four.txt", "abcd"), true), FileStart::TooShort);
    EXPECT_EQ(ClassifyFileStart(write("five.txt", "abcde"), true), FileStart::Unknown);
}

TEST_F(VettingTest, ClassifyRefusesAPipeWithoutWaitingOnIt) {
    const fs::path fifo = dir.path() / "pipe.txt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ClassifyFileStart(FromPath(fifo), true), FileStart::CannotOpen);
}

// ---- ClassifyFileStart: marks and declarations ----------------------------------------------

TEST_F(VettingTest, ClassifyRecognisesRtfAndByteOrderMarks) {
    EXPECT_EQ(ClassifyFileStart(write("a.rtf", "{\\rtf1\\ansi hello}"), true), FileStart::Rtf);
    EXPECT_EQ(ClassifyFileStart(write("le.txt", std::string("\xFF\xFEh\0i\0", 6)), true),
              FileStart::Utf16Le);
    EXPECT_EQ(ClassifyFileStart(write("be.txt", std::string("\xFE\xFF\0h\0i", 6)), true),
              FileStart::Utf16Be);
    EXPECT_EQ(ClassifyFileStart(write("u8.txt", "\xEF\xBB\xBFhello"), true), FileStart::Utf8);
    EXPECT_EQ(ClassifyFileStart(write("u32.txt", std::string("\0\0\xFE\xFF\0\0\0h", 8)), true),
              FileStart::Utf32Be);
}

TEST_F(VettingTest, XmlFilesAreJudgedByTheirFirstTwoBytes) {
    EXPECT_EQ(ClassifyFileStart(write("a.xml", "<?xml version=\"1.0\"?><a/>"), true),
              FileStart::Utf8);
    EXPECT_EQ(ClassifyFileStart(write("b.XML", std::string("<\0?\0x\0", 6)), true),
              FileStart::Utf16Le);
    EXPECT_EQ(ClassifyFileStart(write("c.xml", std::string("\0<\0?\0x", 6)), true),
              FileStart::Utf16Be);
    // The same bytes under another extension are left to the byte scan.
    EXPECT_EQ(ClassifyFileStart(write("a.dat", "<?xml version=\"1.0\"?><a/>"), true),
              FileStart::Unknown);
}

TEST_F(VettingTest, CharsetDeclarationInTheFirstTenNonEmptyLines) {
    const std::string head = "<html>\r\n\r\n<head>\r\n\r\n";
    std::string lines;
    for (int i = 0; i < 7; ++i)
        lines += "<p>line</p>\r\n";
    // Empty lines do not count: the declaration is the tenth non-empty line.
    const std::string tenth = head + lines + "<meta charset=UTF-8>\r\n";
    EXPECT_EQ(ClassifyFileStart(write("ten.html", tenth), true), FileStart::Utf8);
    const std::string eleventh = head + lines + "<p>x</p>\r\n<meta charset=UTF-8>\r\n";
    EXPECT_EQ(ClassifyFileStart(write("eleven.html", eleventh), true), FileStart::Unknown);

    const std::string quoted = "<meta http-equiv=\"Content-Type\" charset=\"UTF-8\">\r\n";
    EXPECT_EQ(ClassifyFileStart(write("q.htm", quoted), true), FileStart::Utf8);
    EXPECT_EQ(ClassifyFileStart(write("lower.htm", "<meta charset=utf-8>\r\n"), true),
              FileStart::Unknown);
    EXPECT_EQ(ClassifyFileStart(write("q.htm2", quoted), true), FileStart::Unknown);
    EXPECT_EQ(ClassifyFileStart(write("q2.htm", quoted), false), FileStart::Unknown);
}

TEST_F(VettingTest, CharsetSearchCountsLfLinesToo) {
    std::string text = "<meta charset=UTF-8>\n";
    EXPECT_EQ(ClassifyFileStart(write("early.html", "<html>\n" + text), true), FileStart::Utf8);
    std::string late;
    for (int i = 0; i < 12; ++i)
        late += "<p>line</p>\n";
    EXPECT_EQ(ClassifyFileStart(write("late.html", late + text), true), FileStart::Unknown);
}

// ---- IsTextFile: the byte scan --------------------------------------------------------------

TEST_F(VettingTest, LineEndsGiveTheTextKind) {
    auto kind = [&](std::string_view name, std::string_view bytes) {
        return IsTextFile(write(name, bytes), kVetScanBytes, 0.0, true).kind;
    };
    EXPECT_EQ(kind("crlf.txt", "one\r\ntwo\r\n"), FileKind::Text);
    EXPECT_EQ(kind("none.txt", "one two three"), FileKind::Text);
    EXPECT_EQ(kind("lf.txt", "one\ntwo\n"), FileKind::TextLf);
    EXPECT_EQ(kind("cr.txt", "one\rtwo\r"), FileKind::TextCr);
    EXPECT_EQ(kind("mixed.txt", "one\rtwo\nthree"), FileKind::Text);
    EXPECT_EQ(kind("allowed.txt", "tab\there\bback\fform feed"), FileKind::Text);
}

TEST_F(VettingTest, OneControlByteMakesABinaryFile) {
    std::string bytes(1000, 'a');
    bytes[100] = '\0';
    const TextFileCheck check = IsTextFile(write("nul.txt", bytes), kVetScanBytes, 0.0, true);
    EXPECT_EQ(check.kind, FileKind::NotText);
    EXPECT_EQ(check.firstBadByte, 0);
    EXPECT_EQ(check.firstBadPos, 100);
    EXPECT_DOUBLE_EQ(check.percent, 0.1);

    bytes[100] = 'a';
    bytes[999] = '\x1B';
    EXPECT_EQ(IsTextFile(write("esc.txt", bytes), kVetScanBytes, 0.0, true).kind,
              FileKind::NotText);
}

TEST_F(VettingTest, OnlyTheFirstBytesAreScanned) {
    std::string bytes(20000, 'a');
    bytes[kVetScanBytes] = '\0'; // byte 16385: not seen
    EXPECT_EQ(IsTextFile(write("late.txt", bytes), kVetScanBytes, 0.0, true).kind, FileKind::Text);
    bytes[kVetScanBytes - 1] = '\0'; // byte 16384: seen
    EXPECT_EQ(IsTextFile(write("last.txt", bytes), kVetScanBytes, 0.0, true).kind,
              FileKind::NotText);
}

TEST_F(VettingTest, ThresholdAllowsSomeControlBytes) {
    std::string bytes(1000, 'a');
    for (int i = 0; i < 10; ++i)
        bytes[size_t(i) * 100] = '\x01'; // 1 percent
    const ustring file = write("some.txt", bytes);
    EXPECT_EQ(IsTextFile(file, kVetScanBytes, 2.0, false).kind, FileKind::Text);
    EXPECT_EQ(IsTextFile(file, kVetScanBytes, 0.5, false).kind, FileKind::NotText);
}

TEST_F(VettingTest, MarkedFilesSkipTheByteScan) {
    const TextFileCheck bom =
        IsTextFile(write("bom.txt", "\xEF\xBB\xBFone\ntwo\n\x01"), kVetScanBytes, 0.0, true);
    EXPECT_EQ(bom.kind, FileKind::Text);
    EXPECT_TRUE(bom.isUtf8);
    EXPECT_EQ(
        IsTextFile(write("u16.txt", std::string("\xFF\xFEh\0i\0", 6)), kVetScanBytes, 0.0, true)
            .kind,
        FileKind::Unicode);
    EXPECT_EQ(IsTextFile(write("r.rtf", "{\\rtf1}"), kVetScanBytes, 0.0, true).kind, FileKind::Rtf);
    EXPECT_EQ(IsTextFile(write("s.txt", "ab"), kVetScanBytes, 0.0, true).kind, FileKind::TooShort);
}

// ---- VetTextFile: refusals and their messages -----------------------------------------------

TEST_F(VettingTest, EmptyPathIsRefusedSilently) {
    const VetResult result = VetTextFile(run, u"", false);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(Code(result.kind), -5);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(VettingTest, RefusalsShowTheirMessage) {
    struct Case {
        std::string name;
        std::string bytes;
        int kind;
        std::string afterPath;
    };
    const std::vector<Case> cases = {
        {"empty.txt", "", -2, " is zero-length."},
        {"tiny.txt", "abcd", -4, "\r\ncontains only from 1 to 4 bytes."},
        {"doc.rtf", "{\\rtf1 text}", 6, "\r\nis an RTF file."},
        {"u16.txt", std::string("\xFE\xFF\0a\0b", 6), 7,
         "\r\nis a Unicode file but not UTF-8 encoded."},
        {"u32.txt", std::string("\0\0\xFE\xFF\0\0\0a", 8), 7,
         "\r\nis a Unicode file but not UTF-8 encoded."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.messages.clear();
        const VetResult result = VetTextFile(run, write(c.name, c.bytes), false);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(Code(result.kind), c.kind);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.lastMessage(), "File " + path(c.name) + c.afterPath);
        EXPECT_EQ(u8(host.messages[0].title), "Fatal error");
        EXPECT_EQ(host.messages[0].icon, MsgIcon::Information);
    }
}

TEST_F(VettingTest, MissingFileHasThePathBeforeTheSpace) {
    const VetResult result = VetTextFile(run, FromPath(dir.path() / "Missing File.TXT"), false);
    EXPECT_EQ(result.kind, FileKind::NotFound);
    EXPECT_EQ(host.lastMessage(), "File " + path("Missing File.TXT") + " not found.");
}

TEST_F(VettingTest, UnopenableFileIsRefused) {
    const fs::path fifo = dir.path() / "Pipe.txt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const VetResult result = VetTextFile(run, FromPath(fifo), false);
    EXPECT_EQ(Code(result.kind), -9);
    EXPECT_EQ(host.lastMessage(), "File " + fifo.string() + "\r\ncannot be opened.");
}

TEST_F(VettingTest, PermissionDeniedSecondLineStartsWithASpace) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    const ustring file = write("locked.txt", "some text here");
    fs::permissions(ToPath(file), fs::perms::none);
    const VetResult result = VetTextFile(run, file, false);
    EXPECT_EQ(Code(result.kind), -3);
    EXPECT_EQ(host.lastMessage(),
              "File " + path("locked.txt") + "\r\n cannot be opened (permission denied).");
}

TEST_F(VettingTest, SmallBinaryFileGetsTheCopyAndPasteAdvice) {
    std::string bytes(50000, 'a');
    bytes[10] = '\0';
    const VetResult result = VetTextFile(run, write("small.bin", bytes), false);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.kind, FileKind::NotText);
    EXPECT_EQ(host.lastMessage(),
              path("small.bin") +
                  "\r\nis not an ANSI or UTF-8 encoded text file.\r\nIt appears to be a binary "
                  "file.\r\n\r\nYou could try reading it using its associated application, then "
                  "copying the text and pasting it into the textbox (then copy it to the "
                  "clipboard and select 'Clipboard' as the source).");
    EXPECT_EQ(u8(host.messages.back().title), "Not a text file");
    EXPECT_EQ(host.messages.back().icon, MsgIcon::Information);
}

TEST_F(VettingTest, LargeOrVeryBinaryFilesGetNoAdvice) {
    std::string large(102400, 'a');
    large[10] = '\0';
    VetTextFile(run, write("large.bin", large), false);
    EXPECT_EQ(host.lastMessage(), path("large.bin") +
                                      "\r\nis not an ANSI or UTF-8 encoded text file.\r\nIt "
                                      "appears to be a binary file.");

    std::string dense(1000, 'a');
    for (size_t i = 0; i < 100; ++i)
        dense[i * 10] = '\x02'; // 10 percent
    VetTextFile(run, write("dense.bin", dense), false);
    EXPECT_EQ(host.lastMessage(), path("dense.bin") +
                                      "\r\nis not an ANSI or UTF-8 encoded text file.\r\nIt "
                                      "appears to be a binary file.");
}

// ---- VetTextFile: accepted files ------------------------------------------------------------

TEST_F(VettingTest, AcceptedFilesEmptyTheOutputBox) {
    host.output = u"earlier listing";
    const VetResult result = VetTextFile(run, write("a.txt", "one\r\ntwo\r\n"), false);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.kind, FileKind::Text);
    EXPECT_FALSE(result.detectedUtf8);
    EXPECT_TRUE(host.output.empty());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(VettingTest, Utf8IsDetectedByMarkAndByDeclaration) {
    const VetResult bom = VetTextFile(run, write("bom.txt", "\xEF\xBB\xBFone\ntwo\n"), false);
    EXPECT_TRUE(bom.ok);
    EXPECT_TRUE(bom.detectedUtf8);
    EXPECT_EQ(bom.kind, FileKind::Text);
    const VetResult html =
        VetTextFile(run, write("page.html", "<html>\r\n<meta charset=UTF-8>\r\n"), false);
    EXPECT_TRUE(html.ok);
    EXPECT_TRUE(html.detectedUtf8);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(VettingTest, LfOnlyFilesOfAnySizeAreAcceptedSilently) {
    std::string line = "the quick brown fox jumps over the lazy dog\n";
    std::string bytes;
    while (bytes.size() <= 600000)
        bytes += line;
    const VetResult result = VetTextFile(run, write("unix.txt", bytes), false);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.kind, FileKind::TextLf);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(VettingTest, CrOnlyNoticeIsShownOnce) {
    const ustring first = write("mac.txt", "one\rtwo\r");
    VetResult result = VetTextFile(run, first, false);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.kind, FileKind::TextCr);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.lastMessage(), "File " + path("mac.txt") +
                                      "\r\nhas Macintosh-type line endings (CR).\r\n\r\nYou "
                                      "might wish to use a program such as Notepad++\r\nto "
                                      "convert the line endings to Windows-type (CR+LF).");
    EXPECT_EQ(u8(host.messages[0].title), "This is a Mac-style text file");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Information);

    EXPECT_TRUE(VetTextFile(run, write("mac2.txt", "three\rfour\r"), false).ok);
    EXPECT_EQ(host.messages.size(), 1u);

    run.MacNoticeShown = false; // the main window initialises its variables again
    VetTextFile(run, first, false);
    EXPECT_EQ(host.messages.size(), 2u);
}

TEST_F(VettingTest, QuietVettingLeavesOutTheNoticeButNotRefusals) {
    EXPECT_TRUE(VetTextFile(run, write("mac.txt", "one\rtwo\r"), true).ok);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(run.MacNoticeShown);
    EXPECT_FALSE(VetTextFile(run, write("tiny.txt", "ab"), true).ok);
    EXPECT_EQ(host.messages.size(), 1u);
}

} // namespace
} // namespace qd
