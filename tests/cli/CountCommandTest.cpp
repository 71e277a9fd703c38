// quorvel-count as a user runs it: exit status, the listing on standard output, the
// messages on standard error and the output file.
#include "CliRunner.h"
#include "scan/ScanSettings.h"
#include "settings/SavedState.h"
#include "support/DocxWriter.h"
#include "support/Folders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qd::test {
namespace {

class CountCommandTest : public ::testing::Test {
protected:
    CliResult run(const std::vector<std::string>& args, const std::string& stdinText = {}) {
        return RunCounter(args, dir.path(), stdinText);
    }
    std::string file(const std::string& name, const std::string& bytes) {
        return dir.write(name, bytes).string();
    }
    TempDir dir;
};

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// --- Usage errors: status 2, nothing counted

TEST_F(CountCommandTest, NoInputIsAUsageError) {
    const auto r = run({});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.err, "no input file")) << r.err;
    EXPECT_EQ(r.out, "");
}

TEST_F(CountCommandTest, UnknownOptionIsAUsageError) {
    const auto r = run({"--colour", "in.txt"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.err, "unknown option --colour")) << r.err;
}

TEST_F(CountCommandTest, OneInputOnly) {
    EXPECT_EQ(run({"a.txt", "b.txt"}).status, 2);
}

TEST_F(CountCommandTest, Utf8AndAnsiExcludeEachOther) {
    EXPECT_EQ(run({"--utf8", "--ansi", file("in.txt", "apple")}).status, 2);
}

TEST_F(CountCommandTest, UnknownLanguageIsAUsageError) {
    const auto r = run({"--language", "nl", file("in.txt", "apple")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.err, "unknown language")) << r.err;
}

TEST_F(CountCommandTest, OptionWithoutItsValueIsAUsageError) {
    EXPECT_EQ(run({file("in.txt", "apple"), "--output"}).status, 2);
}

TEST_F(CountCommandTest, SetNeedsNameEqualsValue) {
    const auto r = run({"--set", "WordOrder", file("in.txt", "apple")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.err, "NAME=VALUE")) << r.err;
}

TEST_F(CountCommandTest, SetOfAnUnknownFieldIsAUsageError) {
    const auto r = run({"--set", "NoSuchField=1", file("in.txt", "apple")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.err, "NoSuchField")) << r.err;
    EXPECT_EQ(r.out, "");
}

TEST_F(CountCommandTest, SetOfAValueOutOfRangeIsAUsageError) {
    const auto r = run({"--set", "DisplayFormat=12", file("in.txt", "apple")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.err, "DisplayFormat")) << r.err;
    EXPECT_EQ(r.out, "");
}

TEST_F(CountCommandTest, MissingSettingsFileIsAUsageError) {
    const auto r = run({"--settings", "none.dvn", file("in.txt", "apple")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.err, "Error when attempting to restore settings")) << r.err;
}

TEST_F(CountCommandTest, HelpDescribesEveryOption) {
    const auto r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* option : {"--settings", "--set", "--output", "--utf8", "--ansi", "--language",
                               "--counts", "Exit status"})
        EXPECT_TRUE(Has(r.out, option)) << option;
}

// --- Refused input: status 1 and the window's message

TEST_F(CountCommandTest, MissingInputIsRefused) {
    const auto r = run({"none.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "File not found: Input file does not exist.\n");
    EXPECT_EQ(r.out, "");
}

TEST_F(CountCommandTest, EmptyInputIsRefused) {
    const auto r = run({file("empty.txt", "")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Empty file: Input file is zero-length.\n");
}

TEST_F(CountCommandTest, OutputNamingTheInputIsRefusedAndTheInputKept) {
    const std::string in = file("in.txt", "apple banana\r\n");
    const auto r = run({"--output", "./in.txt", in});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "Output file cannot be the same as the input file.")) << r.err;
    EXPECT_EQ(ReadFileBytes(in), "apple banana\r\n");
}

// --- Listing

TEST_F(CountCommandTest, TextFileIsListedOnStandardOutputWithLfLineEnds) {
    const auto r = run({file("in.txt", "apple banana apple\r\ncherry\r\n")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "apple")) << r.out;
    EXPECT_TRUE(Has(r.out, "cherry")) << r.out;
    EXPECT_FALSE(Has(r.out, "\r"));
    EXPECT_EQ(r.err, "");
}

TEST_F(CountCommandTest, ListingIsTheOutputBoxText) {
    const auto r = run({file("in.txt", "apple banana apple\r\ncherry\r\n")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "   Rank    Freq  Word (longest has 6 characters)\n"
                     "      1       2  apple\n"
                     "      2       1  banana\n"
                     "      3       1  cherry\n"
                     "\n");
}

TEST_F(CountCommandTest, SetChoosesOrderAndFormat) {
    const auto r = run({"--set", "WordOrder=1", "--set", "DisplayFormat=7",
                        file("in.txt", "cherry apple banana apple\r\n")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "  Word     Freq\n"
                     "  apple       2\n"
                     "  banana      1\n"
                     "  cherry      1\n"
                     "\n");
}

TEST_F(CountCommandTest, ListingIsNotCutAtTheOutputBoxLimit) {
    std::string text;
    for (int i = 0; i < 5000; ++i) {
        std::string w = "qqw";
        for (int k = i; k; k /= 26)
            w += char('a' + k % 26);
        text += w + "\r\n";
    }
    const auto r = run({file("in.txt", text)});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_GT(r.out.size(), 65000u);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 5002);
    EXPECT_EQ(r.err, "");
}

TEST_F(CountCommandTest, SettingsFileIsAppliedButItsPathsAreNot) {
    ScanSettings settings;
    settings.DisplayFormat = 9;
    settings.OutputFile = FromPath(dir.path() / "remembered.txt");
    ASSERT_EQ(SaveState(settings, FromPath(dir.path() / "words.dvn")), u"");
    const auto r = run({"--settings", "words.dvn", file("in.txt", "apple banana apple\r\n")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "apple, banana\n");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "remembered.txt"));
}

TEST_F(CountCommandTest, StandardInputIsReadAsUtf8) {
    const auto r = run({"-"}, "caf\xC3\xA9 apple\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "caf\xC3\xA9")) << r.out;
    EXPECT_EQ(r.err, "");
}

TEST_F(CountCommandTest, EmptyStandardInputIsRefused) {
    const auto r = run({"-"}, "");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Empty file: Input file is zero-length.\n");
}

TEST_F(CountCommandTest, DetectedUtf8IsAskedAndAnsweredYes) {
    const auto r = run({file("in.txt", "\xEF\xBB\xBF"
                                       "caf\xC3\xA9 apple\r\n")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "caf\xC3\xA9")) << r.out;
    EXPECT_TRUE(Has(r.err, "UTF-8 or ANSI file?: This file seems to be UTF-8 encoded.\n")) << r.err;
}

TEST_F(CountCommandTest, AnsiOverridesTheDetection) {
    const auto r = run({"--ansi", file("in.txt", "\xEF\xBB\xBF"
                                                 "caf\xC3\xA9 apple\r\n")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(Has(r.out, "caf\xC3\xA9 ")) << r.out;
    EXPECT_EQ(r.err, "");
}

TEST_F(CountCommandTest, SetChangesTheCount) {
    const std::string in = file("in.txt", "Apple apple APPLE\r\n");
    const auto folded = run({in});
    const auto cased = run({"--set", "CaseSignificant=1", in});
    EXPECT_EQ(folded.status, 0);
    EXPECT_EQ(cased.status, 0);
    EXPECT_FALSE(Has(folded.out, "APPLE"));
    EXPECT_TRUE(Has(cased.out, "APPLE")) << cased.out;
}

TEST_F(CountCommandTest, CountsGoToStandardError) {
    const auto r = run({"--counts", file("in.txt", "apple banana apple\r\n")});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(Has(r.err, "Number of words in this list:")) << r.err;
}

TEST_F(CountCommandTest, OutputFileIsWindows1252WithCrLfAndItsHeadLines) {
    const auto r = run({"--output", "out.txt",
                        file("in.txt", "\xEF\xBB\xBF"
                                       "caf\xC3\xA9 apple caf\xC3\xA9\r\n")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(dir.path() / "out.txt"),
              "\"To open this file in Excel state that it is delimited by spaces.\r\n"
              "\"Set File Origin: Windows (ANSI) & Text qualifier: double-quote.\r\n"
              "\r\n"
              "   Rank    Freq  Word (longest has 5 characters)\r\n"
              "      1       2  caf\xE9\r\n"
              "      2       1  apple\r\n");
}

TEST_F(CountCommandTest, ExistingOutputFileIsOverwrittenEvenWhenWarned) {
    file("out.txt", "an earlier list that is rather long");
    const auto r =
        run({"--set", "WarnOnOverwrite=1", "--output", "out.txt", file("in.txt", "apple\r\n")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(r.err, "The output file exists.")) << r.err;
    EXPECT_FALSE(Has(ReadFileBytes(dir.path() / "out.txt"), "earlier"));
    EXPECT_TRUE(Has(ReadFileBytes(dir.path() / "out.txt"), "apple"));
}

// --- Common words

TEST_F(CountCommandTest, LanguageIgnoresItsCommonWords) {
    const std::string in = file("in.txt", "the apple and the banana\r\n");
    const auto plain = run({in});
    const auto english = run({"--language", "en", in});
    EXPECT_EQ(english.status, 0) << english.err;
    EXPECT_TRUE(Has(plain.out, "  the\n")) << plain.out;
    EXPECT_FALSE(Has(english.out, "  the\n")) << english.out;
    EXPECT_FALSE(Has(english.out, "  and\n")) << english.out;
    EXPECT_TRUE(Has(english.out, "  apple\n")) << english.out;
    EXPECT_TRUE(Has(english.err, "Common words loaded: ")) << english.err;
    EXPECT_TRUE(Has(english.err, "cwds_en.txt")) << english.err;
}

TEST_F(CountCommandTest, AllLanguagesTogether) {
    const auto r = run({"--language", "all", file("in.txt", "der apple und the\r\n")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "   Rank    Freq  Word (longest has 5 characters)\n"
                     "      1       1  apple\n"
                     "\n");
}

// --- Docx documents

TEST_F(CountCommandTest, DocxDocumentIsListed) {
    WriteDocx(dir.path() / "doc.docx",
              DocumentXml("<w:p><w:r><w:t>Apple caf\xC3\xA9 apple</w:t></w:r></w:p>"));
    const auto r = run({"doc.docx"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "apple")) << r.out;
    EXPECT_TRUE(Has(r.out, "caf\xC3\xA9")) << r.out;
    EXPECT_EQ(r.err, "");
}

TEST_F(CountCommandTest, DocxWithABadChecksumIsRefused) {
    const auto path = dir.path() / "doc.docx";
    WriteDocx(path, DocumentXml("<w:p><w:r><w:t>apple banana</w:t></w:r></w:p>"), true);
    std::string bytes = ReadFileBytes(path);
    const size_t at = EntryDataOffset(bytes, "word/document.xml");
    ASSERT_NE(at, std::string::npos);
    bytes[at + 5] ^= 0x20;
    dir.write("doc.docx", bytes);
    const auto r = run({"doc.docx"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "Invalid checksum found when processing")) << r.err;
    EXPECT_EQ(r.out, "");
}

} // namespace
} // namespace qd::test
