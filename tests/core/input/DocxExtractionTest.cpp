#include "input/DocxExtraction.h"
#include "RunState.h"
#include "input/DocxArchive.h"
#include "input/DocxText.h"
#include "support/DocxWriter.h"
#include "support/Folders.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

#ifdef QD_HAVE_LIBZIP

namespace fs = std::filesystem;

namespace qd {
namespace {

void WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

const std::string kBody = "<w:p><w:r><w:t>Hello</w:t></w:r><w:r><w:t xml:space=\"preserve\"> "
                          "wor</w:t></w:r><w:r><w:t>ld</w:t></w:r></w:p>"
                          "<w:p><w:r><w:t>again</w:t></w:r></w:p>";

class DocxTest : public ::testing::Test {
protected:
    void SetUp() override { SetTempRootForTesting(temp.path()); }
    void TearDown() override { SetTempRootForTesting({}); }

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
    // The temporary folders left behind.
    std::vector<std::string> leftovers() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(temp.path()))
            names.push_back(entry.path().filename().string());
        return names;
    }
    // Rewrites the archive with one byte changed.
    static void FlipByte(const ustring& path, size_t at) {
        std::string bytes = test::ReadFileBytes(ToPath(path));
        ASSERT_LT(at, bytes.size());
        bytes[at] = char(bytes[at] ^ 0x5A);
        WriteBytes(ToPath(path), bytes);
    }

    test::TempDir files;
    test::TempDir temp; // the temporary root for DVN folders
    test::ScriptedHost host;
    RunState run{host};
};

// ---- Recognising a docx ---------------------------------------------------------------------

TEST_F(DocxTest, ZipSignatureAndDocxExtension) {
    const ustring good = docx("Report.DOCX", test::DocumentXml(kBody));
    EXPECT_EQ(HasZipSignature(good), 1);
    EXPECT_TRUE(IsDocxFile(good));
    EXPECT_EQ(HasZipSignature(FromPath(files.path() / "none.docx")), -1);
    EXPECT_EQ(HasZipSignature(FromPath(files.write("short.docx", "PK\x03\x04zz"))), 0);
    EXPECT_EQ(HasZipSignature(FromPath(files.write("text.docx", "just some words here"))), 0);
    EXPECT_FALSE(IsDocxFile(FromPath(files.write("text.docx", "just some words here"))));
    fs::copy_file(ToPath(good), files.path() / "zip.zip");
    EXPECT_FALSE(IsDocxFile(FromPath(files.path() / "zip.zip")));
}

// ---- ExtractDocx: the document part lands in a fresh numbered folder ------------------------

TEST_F(DocxTest, ExtractsTheDocumentPartIntoDvn001) {
    const std::string xml = test::DocumentXml(kBody);
    const int32_t size = extract(docx("a.docx", xml));
    EXPECT_EQ(size, int32_t(xml.size()));
    EXPECT_EQ(run.strDocxTempFolder, FromPath(temp.path() / "DVN001") + u"/");
    EXPECT_EQ(run.strDocxXMLFilepath, FromPath(temp.path() / "DVN001" / "word" / "document.xml"));
    EXPECT_EQ(test::ReadFileBytes(ToPath(run.strDocxXMLFilepath)), xml);
    EXPECT_TRUE(host.messages.empty());

    // Only the document part is unpacked.
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(temp.path()),
                            fs::recursive_directory_iterator()),
              3); // DVN001, word, document.xml

    // A second document while the first folder is still there gets the next number.
    extract(docx("b.docx", xml, true));
    EXPECT_EQ(run.strDocxTempFolder, FromPath(temp.path() / "DVN002") + u"/");
}

TEST_F(DocxTest, NoTemporaryFolderGivesMinusOne) {
    SetTempRootForTesting(temp.path() / "no such folder");
    const ustring path = docx("a.docx", test::DocumentXml(kBody));
    EXPECT_EQ(extract(path), kDocxNoTempFolder);
    EXPECT_TRUE(run.strDocxTempFolder.empty());
    ReportExtractDocxResult(host, kDocxNoTempFolder, path, u"Input error");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.lastMessage(), "Unable to create temporary folder.");
    EXPECT_EQ(ToUtf8(host.messages[0].title), "Input error");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
}

// ---- ExtractDocx: archives that are not documents -------------------------------------------

TEST_F(DocxTest, ArchiveWithoutDocumentPartIsRefusedAndCleanedUp) {
    const fs::path file = files.path() / "nodoc.docx";
    test::WriteZip(file, {{"word/other.xml", "<x/>"}, {"[Content_Types].xml", "<Types/>"}});
    EXPECT_EQ(extract(FromPath(file)), kDocxNotDocx);
    EXPECT_TRUE(leftovers().empty());
    EXPECT_TRUE(run.strDocxTempFolder.empty());
    ReportExtractDocxResult(host, kDocxNotDocx, FromPath(file), u"Input error");
    EXPECT_EQ(host.lastMessage(), "The file " + file.string() +
                                      "\r\nhas a 'docx' extension but does not appear to be an "
                                      "MS Word 'docx' file.");
    EXPECT_EQ(host.messages.back().icon, MsgIcon::Exclamation);
}

TEST_F(DocxTest, NonZipFileNamedDocxIsRefusedAndCleanedUp) {
    EXPECT_EQ(extract(FromPath(files.write("plain.docx", "Not an archive at all.\r\n"))),
              kDocxNotDocx);
    EXPECT_EQ(extract(FromPath(files.path() / "missing.docx")), kDocxNotDocx);
    EXPECT_TRUE(leftovers().empty());
    EXPECT_TRUE(host.messages.empty());
}

// ---- ExtractDocx: damaged data --------------------------------------------------------------

TEST_F(DocxTest, ChecksumMismatchAsksAndNoRefusesAndCleansUp) {
    const ustring path = docx("crc.docx", test::DocumentXml(kBody));
    std::string bytes = test::ReadFileBytes(ToPath(path));
    const size_t central = test::CentralHeaderOffset(bytes, "word/document.xml");
    ASSERT_NE(central, std::string::npos);
    FlipByte(path, central + 16); // the stored CRC

    host.answers = {Answer::No};
    EXPECT_EQ(extract(path), kDocxChecksumDeclined);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.lastMessage(), "Invalid checksum found when processing\r\n" + ToUtf8(path) +
                                      "\r\n\r\nDo you wish to scan this file anyway?");
    EXPECT_EQ(ToUtf8(host.messages[0].title), "Quorvel Dorvane");
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(DocxTest, ChecksumMismatchCanBeScannedAnyway) {
    const std::string xml = test::DocumentXml(kBody);
    const ustring path = docx("crc.docx", xml, true);
    const std::string bytes = test::ReadFileBytes(ToPath(path));
    const size_t data = test::EntryDataOffset(bytes, "word/document.xml");
    ASSERT_NE(data, std::string::npos);
    ASSERT_EQ(bytes.compare(data, 5, "<?xml"), 0);
    FlipByte(path, data + xml.find("Hello")); // stored data: a changed letter

    host.answers = {Answer::Yes};
    EXPECT_EQ(extract(path), int32_t(xml.size()));
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(FileExists(run.strDocxXMLFilepath));
}

TEST_F(DocxTest, CorruptCompressedDataReachesTheQuestion) {
    std::string text;
    for (int i = 0; i < 400; ++i)
        text +=
            "<w:p><w:r><w:t>paragraph " + std::to_string(i * 7919 % 1000) + "</w:t></w:r></w:p>";
    const ustring path = docx("zlib.docx", test::DocumentXml(text));
    const std::string bytes = test::ReadFileBytes(ToPath(path));
    const size_t data = test::EntryDataOffset(bytes, "word/document.xml");
    FlipByte(path, data + 40);

    host.answers = {Answer::No};
    EXPECT_EQ(extract(path), kDocxChecksumDeclined);
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(DocxTest, ChecksumMismatchWithoutAskingIsMinusThree) {
    const ustring path = docx("crc.docx", test::DocumentXml(kBody));
    FlipByte(path,
             test::CentralHeaderOffset(test::ReadFileBytes(ToPath(path)), "word/document.xml") +
                 17);
    EXPECT_EQ(extract(path, false), kDocxChecksumError);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(leftovers().empty());
}

// ---- ExtractDocx: sizes ---------------------------------------------------------------------

TEST_F(DocxTest, MaximumSizeIsAcceptedAndOneByteMoreRefused) {
    run.lngMaxXMLFilesize = 2000;
    run.lngLargeXMLFilesize = 5000;
    std::string xml = test::DocumentXml("<w:p><w:r><w:t>x</w:t></w:r></w:p>");
    xml.insert(xml.size() - 20, 2000 - xml.size(), ' ');
    ASSERT_EQ(xml.size(), 2000u);
    EXPECT_EQ(extract(docx("max.docx", xml)), 2000);
    DeleteDocxTempFiles(run, true);

    const ustring path = docx("over.docx", xml + " ");
    EXPECT_EQ(extract(path), kDocxTooBig);
    EXPECT_TRUE(leftovers().empty());
    ReportExtractDocxResult(host, kDocxTooBig, path, u"Input error");
    EXPECT_EQ(host.lastMessage(), ToUtf8(path) + "\r\nis too large to be scanned directly.\r\n\r\n"
                                                 "Recommend saving it as a text file and\r\n"
                                                 "applying this program to that file.");
    EXPECT_EQ(ToUtf8(host.messages.back().title), "File too big");
    EXPECT_EQ(host.messages.back().icon, MsgIcon::Information);
}

TEST_F(DocxTest, UnderstatedSizeStopsInflatingAtTheMaximum) {
    run.lngMaxXMLFilesize = 10000;
    // Compresses to a few hundred bytes but inflates to a megabyte.
    const std::string xml = test::DocumentXml(std::string(1 << 20, 'a'));
    const ustring path = docx("bomb.docx", xml);
    std::string bytes = test::ReadFileBytes(ToPath(path));
    const size_t central = test::CentralHeaderOffset(bytes, "word/document.xml");
    size_t local = 0;
    for (int i = 3; i >= 0; --i)
        local = local << 8 | uint8_t(bytes[central + 42 + size_t(i)]);
    // Both headers claim 100 bytes.
    for (size_t field : {central + 24, local + 22}) {
        bytes[field] = 100;
        bytes[field + 1] = bytes[field + 2] = bytes[field + 3] = 0;
    }
    WriteBytes(ToPath(path), bytes);

    EXPECT_EQ(extract(path), kDocxTooBig);
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(DocxTest, LargeDocumentAsksFirst) {
    run.lngLargeXMLFilesize = 300;
    const std::string xml = test::DocumentXml(kBody);
    ASSERT_GT(xml.size(), 300u);
    const ustring path = docx("large.docx", xml);

    host.answers = {Answer::Yes};
    EXPECT_EQ(extract(path), int32_t(xml.size()));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.lastMessage(), ToUtf8(path) +
                                      "\r\nis rather large.  It may take awhile to scan.\r\n"
                                      "Do you wish to continue?");
    EXPECT_EQ(ToUtf8(host.messages[0].title), "Big file");
    DeleteDocxTempFiles(run, true);

    host.messages.clear();
    host.answers = {Answer::No};
    EXPECT_EQ(extract(path), kDocxLargeDeclined);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.lastMessage(),
              "You could saving it as a text file and\r\napplying this program to that file.");
    EXPECT_EQ(host.messages[1].buttons, MsgButtons::Ok);
    EXPECT_TRUE(leftovers().empty());

    host.messages.clear();
    EXPECT_EQ(extract(path, true, false), int32_t(xml.size()));
    EXPECT_TRUE(host.messages.empty());
}

// ---- Temporary files ------------------------------------------------------------------------

TEST_F(DocxTest, DeleteRemovesReadOnlyFilesAndClearsThePaths) {
    extract(docx("a.docx", test::DocumentXml(kBody)));
    fs::permissions(ToPath(run.strDocxXMLFilepath), fs::perms::owner_read);
    fs::permissions(ToPath(run.strDocxTempFolder + u"word"),
                    fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_TRUE(DeleteDocxTempFiles(run, true));
    EXPECT_TRUE(leftovers().empty());
    EXPECT_TRUE(run.strDocxTempFolder.empty());
    EXPECT_TRUE(run.strDocxXMLFilepath.empty());
    EXPECT_TRUE(DeleteDocxTempFiles(run, true)); // nothing left to do
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DocxTest, DeletionFailureIsReported) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    extract(docx("a.docx", test::DocumentXml(kBody)));
    const ustring folder = run.strDocxTempFolder;
    fs::permissions(temp.path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(DeleteDocxTempFiles(run, true));
    fs::permissions(temp.path(), fs::perms::owner_all);
    ASSERT_FALSE(host.messages.empty());
    EXPECT_NE(host.lastMessage().find(" when attempting to delete folder " + ToUtf8(folder)),
              std::string::npos);
    EXPECT_EQ(ToUtf8(host.messages.back().title), "Error");
    EXPECT_EQ(run.strDocxTempFolder, folder); // kept, so that a later attempt can finish
}

TEST_F(DocxTest, GuardRemovesTheFolderOnAnEarlyReturn) {
    {
        DocxTempFilesGuard guard(run);
        ASSERT_GT(extract(docx("a.docx", test::DocumentXml(kBody))), 0);
        EXPECT_FALSE(leftovers().empty());
    }
    EXPECT_TRUE(leftovers().empty());
}

// ---- ReadDocxText ---------------------------------------------------------------------------

TEST_F(DocxTest, ReadsJoinsAndDeletesBeforeExtracting) {
    const int32_t size = extract(docx("a.docx", test::DocumentXml(kBody)));
    bool deletedFirst = false;
    host.onProcessEvents = [&] { deletedFirst = leftovers().empty(); };
    run.yield.setEveryCall(true);
    const DocxText text = ReadDocxText(run, run.strDocxXMLFilepath, true, size);
    EXPECT_EQ(text.result, DocxReadResult::Ok);
    EXPECT_EQ(ToUtf8(text.text), "Hello world again");
    EXPECT_EQ(text.size, int32_t(text.text.size()));
    EXPECT_TRUE(deletedFirst);
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(DocxTest, UnreadablePartIsAnErrorAndStillCleansUp) {
    extract(docx("a.docx", test::DocumentXml(kBody)));
    const ustring missing = run.strDocxTempFolder + u"word/other.xml";
    const DocxText text = ReadDocxText(run, missing, true, 100);
    EXPECT_EQ(text.result, DocxReadResult::Error);
    EXPECT_FALSE(text.message.empty());
    EXPECT_TRUE(leftovers().empty());

    ReportDocxReadError(host, u"File not found", u"/docs/A.docx");
    EXPECT_EQ(host.lastMessage(), "File not found when processing \r\n/docs/A.docx");
    EXPECT_EQ(ToUtf8(host.messages.back().title), "Error");
    EXPECT_EQ(host.messages.back().icon, MsgIcon::Exclamation);
}

TEST_F(DocxTest, EarlyStopEndsTheExtractionWithoutAQuestion) {
    const int32_t size = extract(docx("a.docx", test::DocumentXml(kBody)));
    run.yield.setEveryCall(true);
    host.onProcessEvents = [&] { run.blnStop = true; };
    run.lngSecondsElapsed = 9;
    const DocxText text = ReadDocxText(run, run.strDocxXMLFilepath, true, size);
    EXPECT_EQ(text.result, DocxReadResult::Stopped);
    EXPECT_TRUE(text.text.empty());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(run.blnStop);
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(DocxTest, LateStopAsksAndNoCarriesOn) {
    const int32_t size = extract(docx("a.docx", test::DocumentXml(kBody)));
    run.yield.setEveryCall(true);
    int yields = 0;
    host.onProcessEvents = [&] {
        if (++yields == 1) run.blnStop = true;
    };
    run.lngSecondsElapsed = 10;
    host.answers = {Answer::No};
    const DocxText text = ReadDocxText(run, run.strDocxXMLFilepath, true, size);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.lastMessage(), "Many different words have been found.\r\nDo you really wish "
                                  "to stop?");
    EXPECT_EQ(ToUtf8(host.messages[0].title), "Stop");
    EXPECT_EQ(text.result, DocxReadResult::Ok);
    EXPECT_EQ(ToUtf8(text.text), "Hello world again");
    EXPECT_FALSE(run.blnStop);
    EXPECT_TRUE(run.blnElapsedTimeRunning);
}

TEST_F(DocxTest, LateStopAnsweredYesStops) {
    const int32_t size = extract(docx("a.docx", test::DocumentXml(kBody)));
    run.yield.setEveryCall(true);
    host.onProcessEvents = [&] { run.blnStop = true; };
    run.lngSecondsElapsed = 30;
    host.answers = {Answer::Yes};
    EXPECT_EQ(ReadDocxText(run, run.strDocxXMLFilepath, true, size).result,
              DocxReadResult::Stopped);
    EXPECT_EQ(host.messages.size(), 1u);
}

} // namespace
} // namespace qd

#endif
