// Damaged and random input must be refused or read, never crash, and never leave temporary
// folders behind.

#include "RunState.h"
#include "input/DocxExtraction.h"
#include "input/DocxText.h"
#include "input/FirstLines.h"
#include "input/TextFileVetting.h"
#include "support/DocxWriter.h"
#include "support/Folders.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

namespace fs = std::filesystem;

namespace qd {
namespace {

std::string RandomBytes(std::mt19937& rng, size_t n) {
    std::string bytes(n, '\0');
    for (char& c : bytes)
        c = char(rng() & 0xFF);
    return bytes;
}

class FuzzTest : public ::testing::Test {
protected:
    void SetUp() override { SetTempRootForTesting(temp.path()); }
    void TearDown() override { SetTempRootForTesting({}); }
    bool tempRootEmpty() const { return fs::is_empty(temp.path()); }

    // Extracts and reads a docx the way the count run does; true when text came out.
    bool countDocx(const ustring& path) {
        const int32_t size =
            ExtractDocx(run, path, kDocxEntryPath, kTempFolderBase, true, true, true);
        if (size < 0) {
            EXPECT_TRUE(run.strDocxTempFolder.empty());
            return false;
        }
        const DocxText text = ReadDocxText(run, run.strDocxXMLFilepath, true, size);
        EXPECT_EQ(text.result, DocxReadResult::Ok);
        return true;
    }

    test::TempDir files;
    test::TempDir temp;
    test::ScriptedHost host;
    RunState run{host};
    std::mt19937 rng{20240611};
};

// ---- Text files -----------------------------------------------------------------------------

TEST_F(FuzzTest, RandomTextFilesAreVettedAndRead) {
    const std::array<const char*, 5> names = {"r.txt", "r.html", "r.xml", "r.rtf", "r"};
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        std::string bytes = RandomBytes(rng, rng() % 64);
        if (round % 3 == 0) bytes = "\xEF\xBB\xBF" + bytes;
        if (round % 5 == 0) bytes = "<meta charset=UTF-8>\n" + bytes;
        if (round % 7 == 0) bytes = "{\\rtf" + bytes;
        const ustring path = FromPath(files.write(names[size_t(round) % names.size()], bytes));
        const VetResult result = VetTextFile(run, path, round % 2 == 0);
        EXPECT_GE(Code(result.kind), -9);
        EXPECT_LE(Code(result.kind), 7);
        const FirstLines head = ReadFirstLines(path, round % 2 == 0, 10, true, true);
        EXPECT_TRUE(head.errorText.empty());
    }
}

TEST_F(FuzzTest, TruncatedTextAtEveryLength) {
    std::string bytes = "The quick brown fox\r\njumps over\nthe lazy dog\r";
    for (size_t n = 0; n <= bytes.size(); ++n) {
        const ustring path = FromPath(files.write("cut.txt", bytes.substr(0, n)));
        const VetResult result = VetTextFile(run, path, true);
        EXPECT_EQ(result.ok, n > 4) << n;
    }
}

// ---- Docx files -----------------------------------------------------------------------------

#ifdef QD_HAVE_LIBZIP

TEST_F(FuzzTest, RandomBytesNamedDocxAreRefused) {
    for (int round = 0; round < 30; ++round) {
        std::string bytes = RandomBytes(rng, rng() % 2048);
        if (round % 2 == 0) bytes = std::string("PK\x03\x04", 4) + bytes;
        EXPECT_FALSE(countDocx(FromPath(files.write("random.docx", bytes))));
    }
    EXPECT_TRUE(tempRootEmpty());
}

TEST_F(FuzzTest, TruncatedDocxAtEveryLength) {
    const fs::path good = files.path() / "good.docx";
    test::WriteDocx(good, test::DocumentXml("<w:p><w:r><w:t>Some text</w:t></w:r></w:p>"));
    const std::string bytes = test::ReadFileBytes(good);
    for (size_t n = 0; n < bytes.size(); n += 13)
        countDocx(FromPath(files.write("cut.docx", bytes.substr(0, n))));
    EXPECT_TRUE(tempRootEmpty());
}

TEST_F(FuzzTest, FlippedBytesInADocxAreRefusedOrRead) {
    std::string body;
    for (int i = 0; i < 50; ++i)
        body += "<w:p><w:r><w:t>word" + std::to_string(i) + " &amp; more</w:t></w:r></w:p>";
    const fs::path good = files.path() / "good.docx";
    test::WriteDocx(good, test::DocumentXml(body));
    const std::string bytes = test::ReadFileBytes(good);
    for (int round = 0; round < 60; ++round) {
        std::string damaged = bytes;
        for (int k = 0; k < 1 + round % 3; ++k)
            damaged[rng() % damaged.size()] ^= char(1 + rng() % 255);
        host.answers = {round % 2 ? Answer::Yes : Answer::No};
        countDocx(FromPath(files.write("damaged.docx", damaged)));
    }
    EXPECT_TRUE(tempRootEmpty());
}

#endif

// ---- Document XML ---------------------------------------------------------------------------

TEST_F(FuzzTest, MarkupSoupExtractsConsistently) {
    const std::array<std::string_view, 14> pieces = {
        "<w:t>", "<w:t ", ">",    "</w:t>", "<w:br/>",  "</w:p>", "&amp;",
        "&lt;",  "&gt;",  "\xC3", "\xC2",   "\xE2\x80", "word",   " "};
    std::vector<ustring> runs;
    for (int round = 0; round < 500; ++round) {
        std::string xml;
        const int n = int(rng() % 40);
        for (int i = 0; i < n; ++i)
            xml += pieces[rng() % pieces.size()];
        int32_t size = int32_t(xml.size());
        const int32_t count = ExtractDocxRuns(run, xml, rng() % (xml.size() + 1), runs, size);
        ASSERT_EQ(count, int32_t(runs.size()));
        size_t total = 0;
        for (const ustring& r : runs) {
            EXPECT_FALSE(r.empty());
            total += r.size();
        }
        EXPECT_EQ(size, int32_t(total));
    }
}

} // namespace
} // namespace qd
