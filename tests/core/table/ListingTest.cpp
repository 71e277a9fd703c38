#include "count/Listing.h"
#include "count/AddWordToList.h"
#include "count/ListingPass.h"
#include "count/RunState.h"
#include "count/RunSteps.h"
#include "support/FileSizeLimit.h"
#include "support/RunFixtures.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "table/PostCountRules.h"
#include "table/WordOrdering.h"
#include "text/Folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace qd {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;

class Listing : public ::testing::Test {
protected:
    test::ScriptedHost host;
    RunState run{host, DefaultEnvironment()};
    test::TempDir dir;

    Listing() {
        run.settings.output.SuppressWords = true;
        test::LoadNumberedTexts(run, dir);
    }
    void count(std::initializer_list<std::pair<const char*, int>> words) {
        test::AddWords(run, words);
        finish();
    }
    // n words of the same length, "1000", "1001", ...
    void numbers(int n, int from = 1000) {
        for (int k = 0; k < n; ++k)
            AddWordToList(run, FromInt(from + k));
        finish();
    }
    // What the count run does once the source is read.
    void finish() {
        SortWordTable(run.result.table, 1, run.result.table.size(), 1);
        RunProgress progress(run);
        RankWords(run.result, run.settings, run.yield, run.session.startUpCompleted, progress);
        host.output.clear();
    }
    ustring pathIn(const char* name) const { return FromPath(dir.path() / name); }
    std::string file() const { return ReadFileBytes(ToPath(run.settings.output.OutputFile)); }
    void stopAfterEvents(int n) {
        run.yield.setEveryCall(true);
        const int from = host.processEventsCalls;
        host.onProcessEvents = [this, n, from] {
            if (host.processEventsCalls - from >= n) run.session.stopRequested = true;
        };
    }
};

const std::string kHead = "\"To open this file in Excel state that it is delimited by spaces.\r\n"
                          "\"Set File Origin: Windows (ANSI) & Text qualifier: double-quote.\r\n"
                          "\r\n";

// --- The 65000-character limit of the output box ---

// Counts beyond 32 bits, set through the table: ranked, totalled, shown and listed whole, in
// the output box and in the file.
TEST_F(Listing, CountsBeyondThirtyTwoBitsAreRankedTotalledAndListed) {
    test::AddWords(run, {{"big", 1}, {"bigger", 1}, {"small", 5}});
    run.result.table[1].Count = (int64_t(1) << 31) + 1;
    run.result.table[2].Count = 5'000'000'000;
    run.settings.output.OutputFile = pathIn("out.txt");
    finish();
    EXPECT_EQ(run.result.stats.occurrences, 7'147'483'654);
    ShowCounts(run);
    std::string digits;
    for (char16_t c : host.labels[LabelId::NumOccurrences])
        if (c >= u'0' && c <= u'9') digits += char(c);
    EXPECT_EQ(digits, "7147483654");
    ListWords(run);
    const std::string lines = "      1  5000000000  bigger\r\n      2  2147483649  big\r\n"
                              "      3           5  small\r\n";
    EXPECT_NE(host.outputUtf8().find(lines), std::string::npos);
    EXPECT_NE(file().find(lines), std::string::npos);
}

TEST_F(Listing, OutputBoxStopsAtTheLastBatchOfTwentyThatFits) {
    // Words of 12 characters in format 0: header 49 + 2, every line 29 + 2 characters.
    constexpr size_t kHeader = 51, kLine = 31;
    constexpr size_t kFit = (OutputTextLimit - kHeader) / kLine, kBatches = kFit / 20;
    const struct {
        size_t words, linesShown;
        bool advice;
    } cases[] = {
        {kBatches * 20 + 19, kBatches * 20, true}, // the 19 left over no longer fit
        {kFit, kFit, false},                       // exactly the limit still fits
        {3000, kBatches * 20, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        run.result.table.clear();
        host.messages.clear();
        for (size_t k = 0; k < c.words; ++k)
            AddWordToList(run, u"word" + FromInt(int(10000000 + k)));
        finish();
        EXPECT_EQ(ListWords(run), ListWordsResult::Listed);
        // Header, the lines that fit, and the final line end.
        EXPECT_EQ(host.output.size(), kHeader + c.linesShown * kLine + 2);
        EXPECT_LE(host.output.size() - 2, size_t(OutputTextLimit));
        if (c.advice) {
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.lastMessage(), "<27>  <31>");
            EXPECT_EQ(host.messages[0].title, u"<27>");
        } else {
            EXPECT_TRUE(host.messages.empty());
        }
    }
    // The advice mentions the file that holds the whole list.
    run.settings.output.OutputFile = pathIn("all.txt");
    ListWords(run);
    EXPECT_EQ(host.lastMessage(), "<27>  \r\n<33>");
    EXPECT_EQ(file().size(), kHead.size() + kHeader + 3000 * kLine);
}

// --- The output file's encoding ---

// Letters Windows-1252 lacks reach the table from the clipboard (a text file brings only the
// code page's own): the UTF-8 file keeps them, a letter beyond 16 bits included, where
// Windows-1252 writes '?'. A lone surrogate half is no character: '?' or U+FFFD.
TEST_F(Listing, Utf8FileKeepsTheLettersWindows1252TurnsIntoQuestionMarks) {
    test::AddWords(run, {{"łódź", 4}, {"győr", 3}, {"şehir", 2}, {"\U0001D400z", 1}});
    AddWordToList(run, ustring(u"a") + char16_t(0xD800));
    run.settings.output.OutputFile = pathIn("out.txt");
    run.settings.output.DisplayFormat = ListFormat::Word;
    finish();
    const std::string header = "Word (longest has 5 characters)\r\n";
    ASSERT_EQ(ListWords(run), ListWordsResult::Listed);
    EXPECT_EQ(file(), kHead + header +
                          "?\xF3"
                          "d?\r\ngy?r\r\n?ehir\r\na?\r\n??z\r\n");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              u"5 words in the output file\r\n" + run.settings.output.OutputFile +
                  u"\r\nhold characters that Windows-1252 lacks, written as \"?\" (the first "
                  u"is \"łódź\").\r\nThe UTF-8 output encoding keeps them.");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Information);
    host.messages.clear();
    run.settings.output.OutputEncoding = FileEncoding::Utf8;
    ASSERT_EQ(ListWords(run), ListWordsResult::Listed);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(file(),
              "\xEF\xBB\xBF\"To open this file in Excel state that it is delimited by spaces.\"\r\n"
              "\"Set File Origin: UTF-8 & Text qualifier: double-quote.\"\r\n\r\n" +
                  header + "łódź\r\ngyőr\r\nşehir\r\na\uFFFD\r\n\U0001D400z\r\n");
}

// The notice names the word as the file lists it, whatever the layout; a file that lists
// no words, or that was not completed, tells of none.
TEST_F(Listing, UnencodableWordsAreToldOnceForACompleteFileThatListsThem) {
    test::AddWords(run, {{"zürich", 3}, {"łódź", 2}, {"kraków", 2}, {"żubr", 1}});
    run.settings.output.OutputFile = pathIn("out.txt");
    run.settings.output.OutputWithCommas = true;
    run.settings.output.WordOrder = ListOrder::Alphabetical;
    finish();
    auto notice = [this](ListFormat format) {
        run.settings.output.DisplayFormat = format;
        host.messages.clear();
        EXPECT_EQ(ListWords(run), ListWordsResult::Listed);
        return host.messages.empty() ? ustring() : host.messages.back().text;
    };
    for (ListFormat format :
         {ListFormat::RankWordFrequency, ListFormat::WordRank, ListFormat::WordsWithCommas}) {
        const ustring text = notice(format);
        EXPECT_TRUE(text.starts_with(u"2 words in the output file\r\n")) << int(format);
        EXPECT_NE(text.find(u"(the first is \"łódź\")"), ustring::npos) << int(format);
        EXPECT_EQ(host.messages.size(), 1u);
    }
    EXPECT_EQ(notice(ListFormat::RankFrequency), u"");

    // Stopped after "łódź", before the last word.
    run.settings.output.DisplayFormat = ListFormat::Word;
    host.messages.clear();
    stopAfterEvents(3);
    EXPECT_EQ(ListWords(run), ListWordsResult::Stopped);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Listing, OneUnencodableWordIsToldInTheSingular) {
    test::AddWords(run, {{"żubr", 2}, {"bison", 1}});
    run.settings.output.OutputFile = pathIn("out.txt");
    finish();
    ASSERT_EQ(ListWords(run), ListWordsResult::Listed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              u"1 word in the output file\r\n" + run.settings.output.OutputFile +
                  u"\r\nholds characters that Windows-1252 lacks, written as \"?\" (it is "
                  u"\"żubr\").\r\nThe UTF-8 output encoding keeps them.");
}

// --- Stopping ---

TEST_F(Listing, StopDuringTheFilePassEndsTheListing) {
    numbers(200);
    run.settings.output.OutputFile = pathIn("out.txt");
    run.settings.output.DisplayFormat = ListFormat::Word;
    stopAfterEvents(10);
    EXPECT_EQ(ListWords(run), ListWordsResult::Stopped);
    EXPECT_EQ(host.outputUtf8(), "Output to file was terminated.\r\n");
    // Part of a list never takes the place of a file.
    EXPECT_FALSE(fs::exists(dir.path() / "out.txt"));
    EXPECT_FALSE(run.current.OutputFileWritten);
    EXPECT_TRUE(run.session.stopRequested); // the next count clears it
}

TEST_F(Listing, StopDuringTheOutputBoxPassSaysSo) {
    numbers(200);
    run.settings.output.DisplayFormat = ListFormat::Word;
    run.settings.output.WordOrder = ListOrder::Alphabetical;
    stopAfterEvents(30);
    EXPECT_EQ(ListWords(run), ListWordsResult::Stopped);
    const std::string box = host.outputUtf8();
    EXPECT_EQ(box.substr(0, 33), "Word (longest has 4 characters)\r\n");
    EXPECT_TRUE(box.ends_with("\r\n\r\nListing stopped.\r\n"));
    // The entries passed before the stop were flushed into the box.
    EXPECT_NE(box.find("1020\r\n"), std::string::npos);
    EXPECT_EQ(box.find("1199"), std::string::npos);
    EXPECT_TRUE(host.caretAtEnd);
}

// --- Failures ---

TEST_F(Listing, OutputFileThatCannotBeOpenedIsReported) {
    count({{"apple", 2}});
    const std::pair<ustring, std::string> cases[] = {
        {pathIn("missing") + u"/out.txt",
         "At ListWords error #76.\r\nDescription: Path not found: there is no folder " +
             ToUtf8(pathIn("missing"))},
        {FromPath(dir.path()), "At ListWords error #75.\r\nDescription: Path/File access error: it "
                               "is a folder, not a file"},
        {pathIn("pipe"), // no reader: opening it must not wait for one
         "At ListWords error #75.\r\nDescription: Path/File access error: it is a named pipe, not "
         "a "
         "file"},
    };
    ASSERT_EQ(::mkfifo(ToUtf8(pathIn("pipe")).c_str(), 0600), 0);
    for (const auto& [path, message] : cases) {
        run.settings.output.OutputFile = path;
        EXPECT_EQ(ListWords(run), ListWordsResult::NothingListed);
        EXPECT_EQ(host.lastMessage(),
                  message + "\r\nThe output file was not written:\r\n" + ToUtf8(path));
        EXPECT_FALSE(run.current.WritingToFile);
        EXPECT_FALSE(run.current.listingUnderWay);
    }
}

// A device is written directly, and a failed write is a failed listing; a regular file is
// replaced only by a complete list, so a full disk leaves the earlier one as it was.
TEST_F(Listing, FullDiskIsReportedAndLeavesAnEarlierFileAsItWas) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    count({{"apple", 2}});
    run.settings.output.OutputFile = u"/dev/full";
    EXPECT_EQ(ListWords(run), ListWordsResult::FileFailed);
    EXPECT_EQ(host.lastMessage(), "At ListWords error #61.\r\nDescription: Disk full\r\n"
                                  "The output file was not written:\r\n/dev/full");
    EXPECT_FALSE(run.current.OutputFileWritten);
    EXPECT_EQ(host.outputUtf8().substr(0, 6), "   Ran"); // the box is still filled

    host.messages.clear();
    run.result.table.clear();
    numbers(20000, 100000);
    run.settings.output.DisplayFormat = ListFormat::Word;
    const fs::path out = dir.write("out.txt", "earlier list");
    {
        const test::FileSizeLimit limit(50000);
        run.settings.output.OutputFile = FromPath(out);
        EXPECT_EQ(ListWords(run), ListWordsResult::FileFailed);
    }
    ASSERT_GE(host.messages.size(), 1u);
    EXPECT_EQ(
        ToUtf8(host.messages[0].text),
        "At ListWordsByFrequency C error #57.\r\nDescription: Device I/O error: File too large\r\n"
        "The output file was not written:\r\n" +
            out.string());
    EXPECT_FALSE(run.current.OutputFileWritten);
    EXPECT_EQ(ReadFileBytes(out), "earlier list");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
    EXPECT_EQ(host.outputUtf8().substr(0, 33), "Word (longest has 6 characters)\r\n");
}

// The file a link names is replaced, and keeps its permissions; the link stays.
TEST_F(Listing, OutputThroughALinkKeepsTheLinkAndThePermissions) {
    count({{"apple", 2}});
    const fs::path real = dir.write("real.txt", "earlier list");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real.txt", dir.path() / "link.txt");
    run.settings.output.OutputFile = pathIn("link.txt");
    EXPECT_EQ(ListWords(run), ListWordsResult::Listed);
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.txt"));
    EXPECT_EQ(ReadFileBytes(real).substr(0, kHead.size()), kHead);
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

// --- One listing at a time ---

TEST_F(Listing, ASecondListingDuringAPassIsRefused) {
    numbers(50);
    run.yield.setEveryCall(true);
    std::vector<ListWordsResult> nested;
    host.onProcessEvents = [&] {
        if (nested.empty()) nested.push_back(ListWords(run));
    };
    EXPECT_EQ(ListWords(run), ListWordsResult::Listed);
    EXPECT_EQ(nested, std::vector<ListWordsResult>{ListWordsResult::Busy});
    EXPECT_FALSE(run.current.listingUnderWay);
}

// --- A pass on its own, into any sink ---

struct CollectingSink : ListingSink {
    std::vector<std::string> lines;
    void header(ustring_view line) override { lines.push_back("H:" + ToUtf8(line)); }
    void entry(ustring_view line, int32_t) override { lines.push_back(ToUtf8(line)); }
};

TEST_F(Listing, PassFollowsTheFrequencyChainAndStopsAtABrokenOne) {
    count({{"pear", 5}, {"apple", 3}, {"fig", 3}, {"kiwi", 1}});
    run.settings.output.DisplayFormat = ListFormat::RankWord;
    CollectingSink sink;
    EXPECT_EQ(RunListingPass(run, sink, false), ListingPassEnd::Completed);
    EXPECT_EQ(sink.lines, (std::vector<std::string>{"H:   Rank  Word (longest has 5 characters)",
                                                    "      1  pear", "      2  apple",
                                                    "      3  fig", "      4  kiwi"}));
    EXPECT_EQ(run.result.stats.rankWidth, 6);
    EXPECT_EQ(run.result.stats.freqWidth, 6);
    run.result.stats.wordsIncluded = 9; // out of step with the chain
    CollectingSink broken;
    RunListingPass(run, broken, false);
    EXPECT_EQ(broken.lines.size(), 5u);
}

} // namespace
} // namespace qd
