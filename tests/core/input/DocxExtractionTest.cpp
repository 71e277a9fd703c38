#include "count/DocxExtraction.h"
#include "count/DocxText.h"
#include "count/RunState.h"
#include "sources/DocxArchive.h"
#include "support/DocxWriter.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "text/Folders.h"

#include <gtest/gtest.h>

#include <random>

#ifdef QD_HAVE_LIBZIP

namespace fs = std::filesystem;

namespace qd {
namespace {

const std::string kBody = "<w:p><w:r><w:t>Hello</w:t></w:r><w:r><w:t xml:space=\"preserve\"> "
                          "wor</w:t></w:r><w:r><w:t>ld</w:t></w:r></w:p>"
                          "<w:p><w:r><w:t>again</w:t></w:r></w:p>";

class DocxTest : public ::testing::Test {
protected:
    // A docx in the fixtures folder holding the given document part.
    ustring docx(std::string_view name, const std::string& xml, bool stored = false) {
        const fs::path file = files.path() / std::string(name);
        test::WriteDocx(file, xml, stored);
        return FromPath(file);
    }
    int32_t extract(ustring_view path, bool askOnChecksum = true, bool askOnLarge = true) {
        return ExtractDocx(run, path, kDocxEntryPath, kTempFolderBase, askOnChecksum, askOnLarge,
                           true);
    }
    bool tempRootEmpty() const { return fs::is_empty(temp.path()); }
    // Rewrites the archive with one byte changed.
    void flipByte(const ustring& path, size_t at) {
        std::string bytes = test::ReadFileBytes(ToPath(path));
        ASSERT_LT(at, bytes.size());
        bytes[at] = char(bytes[at] ^ 0x5A);
        files.write(ToPath(path).filename().string(), bytes);
    }

    test::TempDir files;
    test::TempDir temp; // the temporary root for DVN folders
    test::ScriptedHost host;
    RunState run{host, {.tempRoot = temp.path(), .programFolder = DefaultProgramFolder()}};
};

// --- Only the document part is unpacked, into the next free numbered folder ---

TEST_F(DocxTest, DocumentPartAloneIsUnpackedIntoTheNextFreeFolder) {
    const std::string xml = test::DocumentXml(kBody);
    EXPECT_EQ(extract(docx("a.docx", xml)), int32_t(xml.size()));
    EXPECT_EQ(run.docx.xmlPath, FromPath(temp.path() / "DVN001" / "word" / "document.xml"));
    EXPECT_EQ(test::ReadFileBytes(ToPath(run.docx.xmlPath)), xml);
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(temp.path()),
                            fs::recursive_directory_iterator()),
              4); // DVN001.lock, DVN001, word, document.xml
    // Private while it lasts: nobody else may read a document.
    EXPECT_EQ(fs::status(temp.path() / "DVN001").permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::status(temp.path() / "DVN001" / "word").permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::status(ToPath(run.docx.xmlPath)).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);

    // A folder in use (its lock held), a file of a taken name and a folder without a lock
    // file are passed over; ...
    temp.write("DVN002", "a file of a taken name");
    fs::create_directory(temp.path() / "DVN003");
    RunState second{host, run.env};
    ExtractDocx(second, docx("b.docx", xml), kDocxEntryPath, kTempFolderBase, true, true, true);
    EXPECT_EQ(second.docx.tempFolder, FromPath(temp.path() / "DVN004") + u"/");
    // ... but the folder a process that is gone left behind, its lock file free, is taken
    // over once it is the first such number.
    DeleteDocxTempFiles(run, true);
    EXPECT_FALSE(fs::exists(temp.path() / "DVN001.lock"));
    fs::create_directories(temp.path() / "DVN001" / "word");
    temp.write("DVN001/word/document.xml", "left behind");
    temp.write("DVN001.lock", "");
    extract(docx("c.docx", xml));
    EXPECT_EQ(run.docx.tempFolder, FromPath(temp.path() / "DVN001") + u"/");
    EXPECT_EQ(test::ReadFileBytes(ToPath(run.docx.xmlPath)), xml);
    DeleteDocxTempFiles(run, true);
    DeleteDocxTempFiles(second, true);
    EXPECT_TRUE(fs::exists(temp.path() / "DVN003")); // never ours to remove
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator()), 2);
}

// --- Damaged data: a checksum question, or a refusal when not asking ---

TEST_F(DocxTest, ChecksumMismatchIsScannedOnlyWhenAskedAndAnsweredYes) {
    const std::string xml = test::DocumentXml(kBody);
    const ustring path = docx("crc.docx", xml, true);
    const size_t data =
        test::EntryDataOffset(test::ReadFileBytes(ToPath(path)), "word/document.xml");
    flipByte(path, data + xml.find("Hello")); // stored data: a changed letter
    EXPECT_EQ(extract(path, false), kDocxChecksumError);
    EXPECT_TRUE(tempRootEmpty());
    host.answers = {{Question::BadChecksum, {Answer::Yes}}};
    EXPECT_EQ(extract(path), int32_t(xml.size()));
    EXPECT_TRUE(FileExists(run.docx.xmlPath));
}

// --- Sizes: the maximum, and an archive that understates the size ---

TEST_F(DocxTest, MaximumSizeIsAcceptedAndOneByteMoreRefused) {
    run.docx.maxXmlFileSize = 2000;
    run.docx.largeXmlFileSize = 5000;
    std::string xml = test::DocumentXml("<w:p><w:r><w:t>x</w:t></w:r></w:p>");
    xml.insert(xml.size() - 20, 2000 - xml.size(), ' ');
    EXPECT_EQ(extract(docx("max.docx", xml)), 2000);
    DeleteDocxTempFiles(run, true);
    EXPECT_EQ(extract(docx("over.docx", xml + " ")), kDocxTooBig);
    EXPECT_TRUE(tempRootEmpty());
}

TEST_F(DocxTest, UnderstatedSizeStopsInflatingAtTheMaximum) {
    run.docx.maxXmlFileSize = 10000;
    // Compresses to a few hundred bytes but inflates to a megabyte.
    const ustring path = docx("bomb.docx", test::DocumentXml(std::string(1 << 20, 'a')));
    std::string bytes = test::ReadFileBytes(ToPath(path));
    const size_t central = test::CentralHeaderOffset(bytes, "word/document.xml");
    size_t local = 0;
    for (int i = 3; i >= 0; --i)
        local = local << 8 | uint8_t(bytes[central + 42 + size_t(i)]);
    for (size_t field : {central + 24, local + 22}) { // both headers claim 100 bytes
        bytes[field] = 100;
        bytes[field + 1] = bytes[field + 2] = bytes[field + 3] = 0;
    }
    files.write("bomb.docx", bytes);
    EXPECT_EQ(extract(path), kDocxTooBig);
    EXPECT_TRUE(tempRootEmpty());
}

// --- Temporary files ---

TEST_F(DocxTest, DeleteRemovesReadOnlyFilesAndAGuardDeletesOnAnEarlyReturn) {
    extract(docx("a.docx", test::DocumentXml(kBody)));
    fs::permissions(ToPath(run.docx.xmlPath), fs::perms::owner_read);
    fs::permissions(ToPath(run.docx.tempFolder + u"word"),
                    fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_TRUE(DeleteDocxTempFiles(run, true));
    EXPECT_TRUE(tempRootEmpty());
    EXPECT_TRUE(run.docx.xmlPath.empty());
    EXPECT_TRUE(DeleteDocxTempFiles(run, true)); // nothing left to do
    {
        DocxTempFilesGuard guard(run);
        ASSERT_GT(extract(docx("a.docx", test::DocumentXml(kBody))), 0);
        EXPECT_FALSE(tempRootEmpty());
    }
    EXPECT_TRUE(tempRootEmpty());
    EXPECT_TRUE(host.messages.empty());
}

// --- Reading the unpacked part: deleted first, then extracted; the stop protocol ---

TEST_F(DocxTest, PartIsDeletedBeforeItsTextIsExtracted) {
    const int32_t size = extract(docx("a.docx", test::DocumentXml(kBody)));
    bool deletedFirst = false;
    host.onProcessEvents = [&] { deletedFirst = tempRootEmpty(); };
    run.yield.setEveryCall(true);
    const DocxText text = ReadDocxText(run, run.docx.xmlPath, true, size);
    EXPECT_EQ(text.result, DocxReadResult::Ok);
    EXPECT_EQ(ToUtf8(text.text), "Hello world again");
    EXPECT_TRUE(deletedFirst);

    extract(docx("a.docx", test::DocumentXml(kBody)));
    EXPECT_EQ(ReadDocxText(run, run.docx.tempFolder + u"word/other.xml", true, 100).result,
              DocxReadResult::Error);
    EXPECT_TRUE(tempRootEmpty());
}

TEST_F(DocxTest, StopIsAskedOnlyAfterTenSecondsAndNoCarriesOn) {
    const struct {
        int seconds;
        std::vector<Answer> answers;
        DocxReadResult result;
        size_t questions;
    } cases[] = {{9, {}, DocxReadResult::Stopped, 0}, {10, {Answer::No}, DocxReadResult::Ok, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        host.messages.clear();
        run.session.stopRequested = false;
        const int32_t size = extract(docx("a.docx", test::DocumentXml(kBody)));
        run.yield.setEveryCall(true);
        host.onProcessEvents = [&, n = 0]() mutable {
            if (++n == 1) run.session.stopRequested = true;
        };
        run.current.secondsElapsed = c.seconds;
        host.answers = {
            {Question::StopDocx, std::deque<Answer>(c.answers.begin(), c.answers.end())}};
        const DocxText text = ReadDocxText(run, run.docx.xmlPath, true, size);
        EXPECT_EQ(text.result, c.result);
        EXPECT_EQ(host.messages.size(), c.questions);
        EXPECT_EQ(run.session.stopRequested, c.result == DocxReadResult::Stopped);
        if (c.result == DocxReadResult::Ok) {
            EXPECT_EQ(ToUtf8(text.text), "Hello world again");
        }
        EXPECT_TRUE(tempRootEmpty());
    }
}

// --- Random and damaged archives are refused or read, and leave nothing behind ---

TEST_F(DocxTest, RandomTruncatedAndFlippedArchivesAreRefusedOrRead) {
    std::mt19937 rng(20240611);
    auto count = [&](const ustring& path) {
        const int32_t size = extract(path);
        if (size < 0) {
            EXPECT_TRUE(run.docx.tempFolder.empty());
        } else {
            EXPECT_EQ(ReadDocxText(run, run.docx.xmlPath, true, size).result, DocxReadResult::Ok);
        }
    };
    for (int round = 0; round < 30; ++round) {
        std::string bytes(rng() % 2048, '\0');
        for (char& c : bytes)
            c = char(rng() & 0xFF);
        if (round % 2 == 0) bytes = std::string("PK\x03\x04", 4) + bytes;
        count(FromPath(files.write("random.docx", bytes)));
    }
    std::string body;
    for (int i = 0; i < 50; ++i)
        body += "<w:p><w:r><w:t>word" + std::to_string(i) + " &amp; more</w:t></w:r></w:p>";
    const std::string good =
        test::ReadFileBytes(ToPath(docx("good.docx", test::DocumentXml(body))));
    for (size_t n = 0; n < good.size(); n += 13)
        count(FromPath(files.write("cut.docx", good.substr(0, n))));
    for (int round = 0; round < 60; ++round) {
        std::string damaged = good;
        for (int k = 0; k < 1 + round % 3; ++k)
            damaged[rng() % damaged.size()] ^= char(1 + rng() % 255);
        host.answers = {{Question::BadChecksum, {round % 2 ? Answer::Yes : Answer::No}}};
        count(FromPath(files.write("damaged.docx", damaged)));
    }
    EXPECT_TRUE(tempRootEmpty());
}

} // namespace
} // namespace qd

#endif
