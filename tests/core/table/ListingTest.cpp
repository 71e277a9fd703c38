#include "table/Listing.h"
#include "RunState.h"
#include "support/Folders.h"
#include "support/RunFixtures.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "table/AddWordToList.h"
#include "table/ListingPass.h"
#include "table/PostCountRules.h"
#include "table/WordOrdering.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace qd {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;

// Records what the prompt was asked with and every caption the twirler showed.
class ListingHost : public test::ScriptedHost {
public:
    ustring promptText, promptDefault;
    std::vector<ustring> twirler;

    std::optional<ustring> prompt(ustring_view text, ustring_view title,
                                  ustring_view defaultValue) override {
        promptText = text;
        promptDefault = defaultValue;
        return ScriptedHost::prompt(text, title, defaultValue);
    }
    void setLabel(LabelId label, ustring_view caption) override {
        if (label == LabelId::Twirler) twirler.emplace_back(caption);
        ScriptedHost::setLabel(label, caption);
    }
};

class Listing : public ::testing::Test {
protected:
    ListingHost host;
    RunState run{host};
    test::TempDir dir;

    Listing() {
        run.settings.SuppressWords = true;
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
        SortWordTable(run.table, 1, run.table.size(), 1);
        ApplyPostCountRules(run);
        ComputeListStatistics(run);
        BuildFrequencyOrder(run);
        host.output.clear();
    }
    ustring pathIn(const char* name) const { return FromPath(dir.path() / name); }
    std::string file() const { return ReadFileBytes(ToPath(run.settings.OutputFile)); }
    void stopAfterEvents(int n) {
        run.yield.setEveryCall(true);
        const int from = host.processEventsCalls;
        host.onProcessEvents = [this, n, from] {
            if (host.processEventsCalls - from >= n) run.blnStop = true;
        };
    }
};

const std::string kHead = "\"To open this file in Excel state that it is delimited by spaces.\r\n"
                          "\"Set File Origin: Windows (ANSI) & Text qualifier: double-quote.\r\n"
                          "\r\n";

// --- The output box: format, order, and the box afterwards ---

TEST_F(Listing, OutputBoxInEveryKindOfLayout) {
    const struct {
        int format, order;
        bool commas;
        std::string box;
    } cases[] = {
        {0, 0, false,
         "   Rank    Freq  Word (longest has 5 characters)\r\n      1       3  fig\r\n"
         "      2       2  apple\r\n      3       1  be\r\n\r\n"},
        // Two spaces, the word padded to 6, one space, the rank right-aligned in 6.
        {6, 1, false,
         "  Word     Rank\r\n  apple       2\r\n  be          3\r\n  fig         1\r\n\r\n"},
        {9, 0, false, "fig, apple, be\r\n"},
        {2, 0, true,
         "   Rank    Freq\r\n      1       3\r\n      2       2\r\n      3       1\r\n\r\n"},
        // Unlisted words are left out in both orders.
        {8, 0, false, "Word (longest has 5 characters)\r\nfig\r\napple\r\nbe\r\n\r\n"},
        {8, 1, false, "Word (longest has 5 characters)\r\napple\r\nbe\r\nfig\r\n\r\n"},
    };
    run.settings.IgnoreRomNum40 = true;
    count({{"apple", 2}, {"fig", 3}, {"be", 1}, {"xiv", 5}});
    for (const auto& c : cases) {
        SCOPED_TRACE("format " + std::to_string(c.format));
        run.settings.DisplayFormat = c.format;
        run.settings.WordOrder = c.order;
        run.settings.OutputWithCommas = c.commas; // the box never uses commas
        EXPECT_EQ(ListWords(run), ListWordsResult::Listed);
        EXPECT_EQ(host.outputUtf8(), c.box);
        EXPECT_FALSE(host.caretAtEnd);
        EXPECT_FALSE(run.OutputFileWritten);
        EXPECT_FALSE(run.blnListing);
    }
}

TEST_F(Listing, TwirlerTurnsWithEveryLineAndIsBlankedAfterAFrequencyListing) {
    count({{"a", 1}, {"b", 1}, {"c", 1}, {"d", 1}, {"e", 1}});
    run.settings.WordOrder = 1;
    ListWords(run);
    EXPECT_EQ(host.twirler, (std::vector<ustring>{u"←", u"↑", u"→", u"↓", u"←", u"↑"}));
    host.twirler.clear();
    run.settings.WordOrder = 0;
    ListWords(run);
    ASSERT_EQ(host.twirler.size(), 7u);
    EXPECT_EQ(host.twirler.back(), u" ");
}

TEST_F(Listing, ManyLinesGoInBatchesAndAllArrive) {
    numbers(45);
    run.settings.DisplayFormat = 8;
    run.settings.WordOrder = 1;
    ListWords(run);
    std::string expected = "Word (longest has 4 characters)\r\n";
    for (int k = 0; k < 45; ++k)
        expected += std::to_string(1000 + k) + "\r\n";
    EXPECT_EQ(host.outputUtf8(), expected + "\r\n");
    EXPECT_TRUE(host.messages.empty());
}

// --- Nothing to list ---

TEST_F(Listing, NothingToListExplainsWhy) {
    finish();
    EXPECT_EQ(ListWords(run), ListWordsResult::Listed);
    EXPECT_EQ(host.outputUtf8(), "No words satisfying the conditions were found.\r\n");

    run.settings.IgnoreInfrequentWords = true;
    run.settings.ShortWordSize = 1; // value 3
    run.intThresholdFrequency = 4;
    count({{"cat", 3}});
    ListWords(run);
    EXPECT_EQ(host.outputUtf8(),
              "No words with more than 2 letters\r\noccur at least 4 times.\r\n");
    run.intThresholdFrequency = 2;
    run.table[1].Count = 1;
    ShowNoWordsMessage(run);
    EXPECT_EQ(host.outputUtf8(), "No words with more than 2 letters\r\noccur at least twice.");
    run.settings.IgnoreInfrequentWords = false;
    run.settings.ShortWordSize = 0;
    ShowNoWordsMessage(run);
    EXPECT_EQ(host.outputUtf8(), "No words with more than 1 letter\r\noccur at least once.");
}

// --- The output file: Windows-1252 with CR LF, after a head naming the delimiter ---

TEST_F(Listing, FileGetsTheHeadThenTheListing) {
    const struct {
        int format, order;
        bool commas;
        std::string file;
    } cases[] = {
        {0, 0, false,
         kHead +
             "   Rank    Freq  Word (longest has 5 characters)\r\n      1       3  fig\r\n"
             "      2       2  caf\xE9\r\n      3       1  \x9Cuvre\r\n      4       1  ?mega\r\n"},
        {1, 0, true,
         "\"To open this file in Excel state that it is delimited by commas.\r\n"
         "\"Set File Origin: Windows (ANSI) & Text qualifier: double-quote.\r\n\r\n"
         "    Rank,  Word,   Freq\r\n       1,  fig,      3\r\n       2,  caf\xE9,      2\r\n"
         "       3,  \x9Cuvre,      1\r\n       4,  ?mega,      1\r\n"},
        {9, 0, false, kHead + "fig, caf\xE9, \x9Cuvre, ?mega"}, // one line without a line end
    };
    count({{"café", 2}, {"fig", 3}, {"œuvre", 1}, {"ωmega", 1}});
    run.settings.OutputFile = pathIn("out.txt");
    for (const auto& c : cases) {
        SCOPED_TRACE("format " + std::to_string(c.format));
        run.settings.DisplayFormat = c.format;
        run.settings.WordOrder = c.order;
        run.settings.OutputWithCommas = c.commas;
        EXPECT_EQ(ListWords(run), ListWordsResult::Listed);
        EXPECT_EQ(file(), c.file);
        EXPECT_TRUE(run.OutputFileWritten);
        EXPECT_FALSE(run.WritingToFile);
        EXPECT_FALSE(host.output.empty()); // the box is filled as well
    }
}

TEST_F(Listing, DisabledOutputFileIsLeftAlone) {
    count({{"apple", 2}});
    const fs::path out = dir.write("out.txt", "keep me");
    run.settings.OutputFile = FromPath(out);
    run.settings.DisableOutputToFile = true;
    ListWords(run);
    EXPECT_EQ(ReadFileBytes(out), "keep me");
    EXPECT_FALSE(run.OutputFileWritten);
}

// --- Overwriting an existing file ---

class Overwrite : public Listing {
protected:
    fs::path existing;
    Overwrite() {
        count({{"apple", 2}, {"fig", 3}});
        existing = dir.write("Out.TXT", "old");
        run.settings.OutputFile = FromPath(existing);
        run.settings.WarnOnOverwrite = true;
    }
};

TEST_F(Overwrite, PromptAsksWithTheExactTextsEveryTime) {
    ListWords(run);
    ASSERT_EQ(host.prompts.size(), 1u);
    EXPECT_EQ(host.prompts[0], u"The output file exists.");
    EXPECT_EQ(ToUtf8(host.promptText), "To overwrite the current output file click on 'OK'.\r\n"
                                       "To write to a different file edit the filepath below.\r\n"
                                       "To disable output to file click on 'Cancel'.\r\n"
                                       "\r\n"
                                       "(This 'warn on overwrite' can be disabled\r\n"
                                       "in the 'Settings' window.)");
    EXPECT_EQ(host.promptDefault, FromPath(existing));
    // OK keeps the path, letter case included, and overwrites.
    EXPECT_EQ(run.settings.OutputFile, FromPath(existing));
    EXPECT_EQ(ReadFileBytes(existing).substr(0, kHead.size()), kHead);
    ListWords(run);
    EXPECT_EQ(host.prompts.size(), 2u);
}

TEST_F(Overwrite, CancelOrAClearedAnswerTicksDisableAndListsToTheBoxOnly) {
    for (const std::optional<ustring>& answer :
         {std::optional<ustring>(), std::optional(ustring())}) {
        run.settings.DisableOutputToFile = false;
        host.promptAnswers.push_back(answer);
        EXPECT_EQ(ListWords(run), ListWordsResult::Listed);
        EXPECT_TRUE(run.settings.DisableOutputToFile);
        EXPECT_GE(host.settingsChangedCalls, 1);
        EXPECT_EQ(ReadFileBytes(existing), "old");
        EXPECT_EQ(host.outputUtf8().substr(0, 8), "   Rank ");
        EXPECT_FALSE(run.OutputFileWritten);
    }
}

TEST_F(Overwrite, PathIntoNoFolderShowsFolderDoesNotExistAndListsNothing) {
    for (const ustring& answer :
         {ustring(u"elsewhere.txt"), pathIn("no-such-folder") + u"/o.txt"}) {
        SCOPED_TRACE(ToUtf8(answer));
        host.messages.clear();
        host.promptAnswers.push_back(answer);
        EXPECT_EQ(ListWords(run), ListWordsResult::NothingListed);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.lastMessage(), "Folder does not exist.");
        EXPECT_EQ(host.messages[0].title, u"<34>");
        EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(host.output, u"");
        EXPECT_EQ(ReadFileBytes(existing), "old");
        EXPECT_EQ(run.settings.OutputFile, FromPath(existing));
        EXPECT_FALSE(run.blnListing);
    }
}

TEST_F(Overwrite, NewPathIsTrimmedKeepsItsCaseAndIsWrittenWithoutAskingAgain) {
    const ustring renamed = pathIn("New.Listing.TXT");
    host.promptAnswers.push_back(u"  " + renamed + u"  ");
    ListWords(run);
    EXPECT_EQ(run.settings.OutputFile, renamed);
    EXPECT_EQ(ReadFileBytes(existing), "old");
    EXPECT_EQ(file().substr(0, kHead.size()), kHead);
    EXPECT_EQ(host.prompts.size(), 1u);
}

// --- The 65000-character limit of the output box ---

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
        run.table.clear();
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
            EXPECT_EQ(host.twirler.back(), u" ");
        } else {
            EXPECT_TRUE(host.messages.empty());
        }
    }
    // The advice mentions the file that holds the whole list.
    run.settings.OutputFile = pathIn("all.txt");
    ListWords(run);
    EXPECT_EQ(host.lastMessage(), "<27>  \r\n<33>");
    EXPECT_EQ(file().size(), kHead.size() + kHeader + 3000 * kLine);
}

// --- Stopping ---

TEST_F(Listing, StopDuringTheFilePassEndsTheListing) {
    numbers(200);
    run.settings.OutputFile = pathIn("out.txt");
    run.settings.DisplayFormat = 8;
    stopAfterEvents(10);
    EXPECT_EQ(ListWords(run), ListWordsResult::Stopped);
    EXPECT_EQ(host.outputUtf8(), "Output to file was terminated.\r\n");
    const std::string written = file();
    EXPECT_EQ(written.substr(0, kHead.size()), kHead);
    EXPECT_LT(written.size(), kHead.size() + 200 * 6);
    EXPECT_FALSE(run.OutputFileWritten);
    EXPECT_TRUE(run.blnStop); // the next count clears it
}

TEST_F(Listing, StopDuringTheOutputBoxPassSaysSo) {
    numbers(200);
    run.settings.DisplayFormat = 8;
    run.settings.WordOrder = 1;
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
        {pathIn("missing") + u"/out.txt", "At ListWords error #76.\r\nDescription: Path not found"},
        {FromPath(dir.path()), "At ListWords error #75.\r\nDescription: Path/File access error"},
    };
    for (const auto& [path, message] : cases) {
        run.settings.OutputFile = path;
        EXPECT_EQ(ListWords(run), ListWordsResult::NothingListed);
        EXPECT_EQ(host.lastMessage(), message);
        EXPECT_FALSE(run.WritingToFile);
        EXPECT_FALSE(run.blnListing);
    }
}

TEST_F(Listing, FullDiskIsReportedDuringThePassAndAtTheClose) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    count({{"apple", 2}});
    run.settings.OutputFile = u"/dev/full";
    EXPECT_EQ(ListWords(run), ListWordsResult::NothingListed);
    EXPECT_EQ(host.lastMessage(), "At ListWords error #61.\r\nDescription: Disk full");
    EXPECT_FALSE(run.OutputFileWritten);

    host.messages.clear();
    run.table.clear();
    numbers(5000, 100000);
    run.settings.DisplayFormat = 8;
    EXPECT_EQ(ListWords(run), ListWordsResult::Listed); // the box is still filled
    ASSERT_GE(host.messages.size(), 1u);
    EXPECT_EQ(ToUtf8(host.messages[0].text),
              "At ListWordsByFrequency C error #61.\r\nDescription: Disk full");
    EXPECT_FALSE(run.OutputFileWritten);
    EXPECT_EQ(host.outputUtf8().substr(0, 33), "Word (longest has 6 characters)\r\n");
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
    EXPECT_FALSE(run.blnListing);
}

// --- A pass on its own, into any sink ---

struct CollectingSink : ListingSink {
    std::vector<std::string> lines;
    void header(ustring_view line) override { lines.push_back("H:" + ToUtf8(line)); }
    void entry(ustring_view line, int32_t) override { lines.push_back(ToUtf8(line)); }
};

TEST_F(Listing, PassFollowsTheFrequencyChainAndStopsAtABrokenOne) {
    count({{"pear", 5}, {"apple", 3}, {"fig", 3}, {"kiwi", 1}});
    run.settings.DisplayFormat = 3;
    CollectingSink sink;
    EXPECT_EQ(RunListingPass(run, sink, false), ListingPassEnd::Completed);
    EXPECT_EQ(sink.lines, (std::vector<std::string>{"H:   Rank  Word (longest has 5 characters)",
                                                    "      1  pear", "      2  apple",
                                                    "      3  fig", "      4  kiwi"}));
    EXPECT_EQ(run.intRankWidth, 6);
    EXPECT_EQ(run.intFreqWidth, 6);
    run.lngNumWordsIncluded = 9; // out of step with the chain
    CollectingSink broken;
    RunListingPass(run, broken, false);
    EXPECT_EQ(broken.lines.size(), 5u);
}

// --- Count labels ---

TEST_F(Listing, ShowCountsAlignsGroupedNumbersToTheTotal) {
    run.lngTotalNumOccurrences = 1234567;
    run.lngNumWordsIncluded = 1234;
    run.lngNumWordsExcluded = 56;
    run.lngNumOccurrences = 1200000;
    run.blnElapsedTimeRunning = true;
    ShowCounts(run);
    EXPECT_EQ(ToUtf8(host.labels[LabelId::NumberOfWords]),
              "Number of words in this list:     1,234");
    EXPECT_EQ(ToUtf8(host.labels[LabelId::NumWordsExcluded]), "Number of words ignored:        56");
    EXPECT_EQ(ToUtf8(host.labels[LabelId::NumOccurrences]),
              "Number of instances of words in this list: 1,200,000");
    EXPECT_EQ(ToUtf8(host.labels[LabelId::TotalNumOccurrences]),
              "Total number of instances of words: 1,234,567");
    EXPECT_EQ(host.labelStyle[LabelId::TotalNumOccurrences], LabelStyle::RightAligned);
    for (LabelId id : {LabelId::NumberOfWords, LabelId::NumWordsExcluded, LabelId::NumOccurrences,
                       LabelId::TotalNumOccurrences})
        EXPECT_TRUE(host.labelVisible[id]);
    EXPECT_FALSE(run.blnElapsedTimeRunning);
}

TEST_F(Listing, ShowCountsNamesCommonWordsAndLeavesOutOccurrencesAfterAStop) {
    run.lngTotalNumOccurrences = 10;
    run.lngNumOccurrences = 8;
    run.settings.IgnoreCommonWords = true;
    run.ListAfterStop = true;
    host.labels[LabelId::NumOccurrences] = u"old";
    ShowCounts(run);
    EXPECT_EQ(ToUtf8(host.labels[LabelId::NumWordsExcluded]),
              "No. of words ignored (other than common words):  0");
    EXPECT_EQ(host.labels[LabelId::NumOccurrences], u"");
    EXPECT_EQ(host.labels[LabelId::TotalNumOccurrences], u"");

    run.ListAfterStop = false;
    run.settings.IgnoreCommonWords = false;
    run.strWordsToIgnore = u" the ";
    run.lngNumOccurrences = 0;
    ShowCounts(run);
    EXPECT_EQ(ToUtf8(host.labels[LabelId::NumWordsExcluded]).substr(0, 7), "No. of ");
    EXPECT_EQ(host.labels[LabelId::NumOccurrences], u"");
}

} // namespace
} // namespace qd
