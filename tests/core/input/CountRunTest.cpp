// The count run end to end through a scripted host: a text file counted and listed, the
// questions on the way, the stop protocol, and the refusals that must leave everything as
// it was.
#include "input/CountRun.h"
#include "Host.h"
#include "RunState.h"
#include "input/RunStatus.h"
#include "support/DocxWriter.h"
#include "support/Folders.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace qd {
namespace {

// Keeps the history a single final value would hide.
class RunHost : public test::ScriptedHost {
public:
    std::vector<ustring> captions;
    std::vector<ustring> outputs;
    std::vector<bool> controlsEnabled;
    std::vector<ustring> barCaptions;
    std::vector<LabelStyle> barStyles;
    std::vector<ustring> chosenOutputs; // answers of the output-file choice
    int chooseOutputCalls = 0;

    void setCountButtonCaption(ustring_view caption) override { captions.emplace_back(caption); }
    void enableMainControls(bool enabled) override { controlsEnabled.push_back(enabled); }
    void setOutputText(ustring_view text) override {
        ScriptedHost::setOutputText(text);
        outputs.emplace_back(text);
    }
    void setLabel(LabelId label, ustring_view caption) override {
        ScriptedHost::setLabel(label, caption);
        if (label == LabelId::TotalNumOccurrences) barCaptions.emplace_back(caption);
    }
    void setLabelStyle(LabelId label, LabelStyle style) override {
        ScriptedHost::setLabelStyle(label, style);
        if (label == LabelId::TotalNumOccurrences) barStyles.push_back(style);
    }
    ustring chooseOutputFile() override {
        ++chooseOutputCalls;
        if (chosenOutputs.empty()) return {};
        ustring path = chosenOutputs.front();
        chosenOutputs.erase(chosenOutputs.begin());
        return path;
    }

    std::vector<std::string> titles() const {
        std::vector<std::string> t;
        for (const auto& m : messages)
            t.push_back(ToUtf8(m.title));
        return t;
    }
};

class CountRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_GT(run.texts.Load(ProgramFolder() / "dvn.dat"), 0);
        run.blnStartUpCompleted = true;
    }

    ustring write(std::string_view name, std::string_view bytes) {
        return FromPath(dir.write(name, bytes));
    }
    ustring input(std::string_view bytes, std::string_view name = "in.txt") {
        run.settings.InputFile = write(name, bytes);
        return run.settings.InputFile;
    }
    int32_t countOf(ustring_view word) {
        int32_t pos = 0;
        if (!run.table.BinarySearchEntries(word, run.table.size(), pos)) {
            for (int32_t i = 1; i <= run.table.size(); ++i)
                if (run.table[i].Word == word) return run.table[i].Count;
            return 0;
        }
        return run.table[pos].Count;
    }
    // A word left in the table by an earlier count, to show that a refusal keeps the table.
    void earlierCount() {
        run.table.add(u"earlier");
        run.blnWordsGot = true;
    }
    std::string fileText(const ustring& path) { return test::ReadFileBytes(ToPath(path)); }

    test::TempDir dir;
    RunHost host;
    RunState run{host};
};

// Distinct words made of letters only: aaa, aab, ...
std::string DistinctWords(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) {
        std::string w = "qqw";
        for (int k = i; k; k /= 26)
            w += char('a' + k % 26);
        text += w + (i % 10 == 9 ? "\r\n" : " ");
    }
    return text;
}

// --- A text file counted and listed

TEST_F(CountRunTest, CountsEveryLineWhateverItsLineEnd) {
    input("apple banana apple\r\ncherry\rapple\nbanana");
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Listed);
    EXPECT_EQ(countOf(u"apple"), 3);
    EXPECT_EQ(countOf(u"banana"), 2);
    EXPECT_EQ(countOf(u"cherry"), 1);
    EXPECT_EQ(run.lngTotalNumOccurrences, 6);
    EXPECT_TRUE(run.blnWordsGot);
    EXPECT_TRUE(run.ListingShown);
    EXPECT_TRUE(host.messages.empty()) << host.lastMessage();
}

TEST_F(CountRunTest, ButtonSaysStopWhileRunningAndCountWordsAfter) {
    input("apple banana");
    cmdListWords_Click(run);
    ASSERT_FALSE(host.captions.empty());
    EXPECT_NE(std::find(host.captions.begin(), host.captions.end(), u"Stop"), host.captions.end());
    EXPECT_EQ(host.captions.back(), u"Count words");
    EXPECT_FALSE(CountIsRunning(run));
    ASSERT_FALSE(host.controlsEnabled.empty());
    EXPECT_FALSE(host.controlsEnabled.front());
    EXPECT_TRUE(host.controlsEnabled.back());
}

TEST_F(CountRunTest, PostCountStepsShowTheirStatusLinesInOrder) {
    input("apple banana");
    cmdListWords_Click(run);
    const std::vector<ustring> steps = {u"Applying the listing rules ...",
                                        u"Computing the statistics ...",
                                        u"Ranking the words by frequency ..."};
    auto at = host.outputs.begin();
    for (const auto& step : steps) {
        at = std::find(at, host.outputs.end(), step);
        EXPECT_NE(at, host.outputs.end()) << ToUtf8(step);
    }
}

TEST_F(CountRunTest, CapitalsAreLoweredUnlessCaseIsSignificant) {
    input("Apple APPLE apple");
    cmdListWords_Click(run);
    EXPECT_EQ(countOf(u"apple"), 3);
    run.settings.CaseSignificant = true;
    cmdListWords_Click(run);
    EXPECT_EQ(countOf(u"apple"), 1);
    EXPECT_EQ(countOf(u"Apple"), 1);
}

TEST_F(CountRunTest, BlanksAroundTheInputPathAreTrimmed) {
    const ustring path = input("apple");
    run.settings.InputFile = u"  " + path + u"  ";
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Listed);
    EXPECT_EQ(run.settings.InputFile, path);
    EXPECT_EQ(countOf(u"apple"), 1);
}

TEST_F(CountRunTest, WindowsCharactersAreReadThroughTheCodePage) {
    input("na\xEFve caf\xE9");
    cmdListWords_Click(run);
    EXPECT_EQ(countOf(u"na\u00EFve"), 1);
    EXPECT_EQ(countOf(u"caf\u00E9"), 1);
}

TEST_F(CountRunTest, ElapsedTimeBlankedForAShortRun) {
    input("apple");
    cmdListWords_Click(run);
    EXPECT_FALSE(run.blnElapsedTimeRunning);
    EXPECT_EQ(host.labels[LabelId::TimeElapsed], u"");
}

TEST_F(CountRunTest, LfOnlyFileOfAnySizeIsReadLineByLineWithoutANotice) {
    std::string text;
    while (text.size() <= 600000)
        text += "apple banana\ncherry\n";
    input(text);
    run.settings.OutputFile = FromPath(dir.path() / "out.txt");
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Listed);
    EXPECT_TRUE(host.messages.empty()) << host.lastMessage();
    EXPECT_EQ(run.LineEndingKind, 2);
    EXPECT_EQ(countOf(u"cherry") * 2, countOf(u"apple") + countOf(u"banana"));
    EXPECT_EQ(int64_t(countOf(u"cherry")) * 20, int64_t(text.size()));
}

TEST_F(CountRunTest, CrOnlyFileIsCountedAfterItsNotice) {
    input("apple banana\rcherry apple\r");
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Listed);
    EXPECT_EQ(host.titles(), std::vector<std::string>{"This is a Mac-style text file"});
    EXPECT_EQ(run.LineEndingKind, 3);
    EXPECT_EQ(countOf(u"apple"), 2);
}

// --- The progress bar

TEST_F(CountRunTest, NoProgressBarUpTo10240Bytes) {
    std::string text(10240, 'a');
    for (size_t i = 9; i < text.size(); i += 10)
        text[i] = '\n';
    input(text);
    cmdListWords_Click(run);
    EXPECT_EQ(std::count(host.barStyles.begin(), host.barStyles.end(), LabelStyle::ProgressBar), 0);
}

TEST_F(CountRunTest, ProgressBarFillsAbove10240BytesAndIsResetAfter) {
    std::string text(10241, 'a');
    for (size_t i = 9; i < text.size(); i += 10)
        text[i] = '\n';
    input(text);
    cmdListWords_Click(run);
    ASSERT_FALSE(host.barStyles.empty());
    EXPECT_EQ(host.barStyles.front(), LabelStyle::ProgressBar);
    EXPECT_EQ(host.barStyles.back(), LabelStyle::RightAligned);
    const ustring empty = u"[" + ustring(37, u' ') + u"]";
    const ustring full = u"[" + ustring(36, u'-') + u">]";
    EXPECT_EQ(host.barCaptions.front(), empty);
    EXPECT_NE(std::find(host.barCaptions.begin(), host.barCaptions.end(), full),
              host.barCaptions.end());
}

// --- The encoding question

TEST_F(CountRunTest, Utf8FileAnsweredYesIsDecoded) {
    input("\xEF\xBB\xBF"
          "caf\xC3\xA9 apple");
    host.answers = {Answer::Yes};
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Listed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, u"UTF-8 or ANSI file?");
    EXPECT_EQ(host.messages[0].text,
              u"This file seems to be UTF-8 encoded.\r\n"
              u"Click 'Yes' to scan it as UTF-8 encoded or 'No' to scan it as ANSI.");
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_TRUE(run.settings.UTF8);
    EXPECT_EQ(countOf(u"caf\u00E9"), 1);
}

TEST_F(CountRunTest, Utf8FileAnsweredNoIsReadAsAnsi) {
    input("\xEF\xBB\xBF"
          "caf\xC3\xA9 apple");
    host.answers = {Answer::No};
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Listed);
    EXPECT_FALSE(run.settings.UTF8);
    EXPECT_EQ(countOf(u"caf\u00E9"), 0);
    EXPECT_EQ(countOf(u"apple"), 1);
}

TEST_F(CountRunTest, PlainFileWithUtf8SetAsksTheOtherQuestion) {
    input("apple");
    run.settings.UTF8 = true;
    run.settings.Only7bitASCII = false;
    host.answers = {Answer::No};
    cmdListWords_Click(run);
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages[0].text, u"This file does not seem to be UTF-8 encoded.\r\n"
                                     u"Click 'Yes' to scan it as UTF-8 encoded (not advisable)\r\n"
                                     u"or 'No' to scan it as ANSI.");
    EXPECT_FALSE(run.settings.UTF8);
}

TEST_F(CountRunTest, CancelledEncodingQuestionKeepsTableAndOutputFile) {
    input("\xEF\xBB\xBF"
          "apple");
    const ustring out = write("out.txt", "earlier list");
    run.settings.OutputFile = out;
    earlierCount();
    host.answers = {Answer::Cancel};
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Refused);
    EXPECT_EQ(fileText(out), "earlier list");
    EXPECT_EQ(countOf(u"earlier"), 1);
    EXPECT_EQ(host.output, u"");
}

TEST_F(CountRunTest, Utf8WithSevenBitAsciiIsIncompatible) {
    input("apple");
    run.settings.UTF8 = true;
    run.settings.Only7bitASCII = true;
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Refused);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, u"Incompatible setting");
    EXPECT_EQ(host.messages[0].text, u"Scanning as UTF-8 is not compatible with\r\n"
                                     u"allowing only 7-bit ASCII characters.");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
}

TEST_F(CountRunTest, DocxWithSevenBitAsciiNamesTheDocx) {
    input(std::string("PK\x03\x04", 4) + std::string(60, '\0'), "doc.docx");
    run.settings.UTF8 = true;
    run.settings.Only7bitASCII = true;
    cmdListWords_Click(run);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, u"Scanning a 'docx' file is not compatible with\r\n"
                                     u"allowing only 7-bit ASCII characters.");
}

// --- The advice to name an output file for a large input

std::string TextOfSize(size_t size) {
    std::string text;
    while (text.size() < size)
        text += "apple banana cherry\r\n";
    text.resize(size, ' ');
    return text;
}

TEST_F(CountRunTest, InputOf204800BytesIsNotLarge) {
    input(TextOfSize(204800));
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Listed);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(CountRunTest, LargeInputAdviceAnsweredNoCounts) {
    input(TextOfSize(204801));
    host.answers = {Answer::No};
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Listed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, u"Large input file");
    EXPECT_EQ(host.messages[0].text,
              u"The input file is quite large.  It is advisable to specify an output file "
              u"before continuing, in case the text window will not hold the result. "
              u"Do you wish to specify an output file?");
    EXPECT_EQ(host.chooseOutputCalls, 0);
}

TEST_F(CountRunTest, LargeInputAdviceAnsweredYesTakesTheChosenFile) {
    input(TextOfSize(204801));
    const ustring out = FromPath(dir.path() / "chosen.txt");
    host.answers = {Answer::Yes};
    host.chosenOutputs = {out};
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Listed);
    EXPECT_EQ(run.settings.OutputFile, out);
    EXPECT_TRUE(FileExists(out));
}

TEST_F(CountRunTest, LargeInputAdviceCancelledKeepsTheTable) {
    input(TextOfSize(204801));
    earlierCount();
    host.answers = {Answer::Cancel};
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Refused);
    EXPECT_EQ(countOf(u"earlier"), 1);
}

TEST_F(CountRunTest, LargeInputOutputChoiceMayNotBeTheInput) {
    const std::string text = TextOfSize(204801);
    const ustring in = input(text);
    host.answers = {Answer::Yes};
    host.chosenOutputs = {in};
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Refused);
    EXPECT_EQ(host.lastMessage(), "Output file cannot be the same as the input file.");
    EXPECT_EQ(fileText(in), text);
    EXPECT_TRUE(run.settings.OutputFile.empty());
}

// --- Stopping a run

class StopTest : public CountRunTest {
protected:
    // Clicks the count button at the given event-loop visits during reading.
    void clickAt(std::vector<int> visits) {
        run.yield.setEveryCall(true);
        host.onProcessEvents = [this, visits, n = 0]() mutable {
            ++n;
            if (std::find(visits.begin(), visits.end(), n) != visits.end()) {
                ASSERT_TRUE(CountIsRunning(run));
                clickOutcomes.push_back(cmdListWords_Click(run));
            }
        };
    }
    std::vector<RunOutcome> clickOutcomes;
};

TEST_F(StopTest, StopAnsweredNoThenYesEndsReadingAndAsksToList) {
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += "apple banana cherry\r\n";
    input(text);
    clickAt({3, 6});
    host.answers = {Answer::No, Answer::Yes, Answer::Yes};
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Listed);
    EXPECT_EQ(clickOutcomes,
              (std::vector<RunOutcome>{RunOutcome::StopDeclined, RunOutcome::StopRequested}));
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[0].title, u"Stop");
    EXPECT_EQ(host.messages[0].text, u"Do you wish to stop?");
    EXPECT_EQ(host.messages[0].defaultButton, Answer::No);
    EXPECT_EQ(host.messages[2].title, u"Counting interrupted");
    EXPECT_EQ(host.messages[2].text, u"The operation was stopped before all words were "
                                     u"counted.\r\nDo you wish to list the words which were "
                                     u"found?");
    EXPECT_LT(run.lngTotalNumOccurrences, 150);
    EXPECT_TRUE(run.ListAfterStop);
    EXPECT_FALSE(run.blnWordsGot);
    EXPECT_FALSE(run.blnStop);
}

// A stopped count the person chooses not to list says how many words were found, in the
// singular for one, and gives the window back.
TEST_F(StopTest, StoppedCountNotListedShowsWhatWasFound) {
    struct Case {
        const char* line;
        int stopAtWord;
        const char* expected; // empty: "Stopped with N words found." for the table's N
    };
    for (const Case& c : {Case{"apple banana cherry\r\n", 5, ""},
                          Case{"apple apple\r\n", 2, "Stopped with 1 word found."}}) {
        SCOPED_TRACE(c.line);
        std::string text;
        for (int i = 0; i < 50; ++i)
            text += c.line;
        input(text);
        clickAt({c.stopAtWord});
        host.answers = {Answer::Yes, Answer::No};
        EXPECT_EQ(cmdListWords_Click(run), RunOutcome::NotListed);
        const std::string out = host.outputUtf8();
        const std::string expected =
            *c.expected ? c.expected
                        : "Stopped with " + std::to_string(run.table.size()) + " words found.";
        EXPECT_EQ(out.substr(out.rfind("Stopped")), expected);
        EXPECT_EQ(host.captions.back(), u"Count words");
        EXPECT_TRUE(host.controlsEnabled.back());
        EXPECT_FALSE(run.ListingShown);
    }
}

TEST_F(StopTest, FromTwoThousandWordsAStopIsConfirmed) {
    input(DistinctWords(3000));
    run.yield.setEveryCall(true);
    bool clicked = false;
    host.onProcessEvents = [&] {
        if (!clicked && run.table.size() >= 2000) {
            clicked = true;
            cmdListWords_Click(run);
        }
    };
    host.answers = {Answer::Yes, Answer::No};
    run.settings.SuppressWords = true;
    run.settings.DisplayFormat = 8; // the whole list fits the output box
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Listed);
    ASSERT_EQ(host.messages.size(), 2u);
    const std::string question = ToUtf8(host.messages[1].text);
    EXPECT_EQ(question.substr(0, 2), " 2");
    EXPECT_NE(question.find(" different words have been found.\r\nDo you really wish to stop?"),
              std::string::npos)
        << question;
    EXPECT_EQ(run.table.size(), 3000) << "No lets the count go on to the end";
    EXPECT_TRUE(run.blnWordsGot);
}

TEST_F(StopTest, ConfirmedStopFromTwoThousandWordsEndsReading) {
    input(DistinctWords(3000));
    run.yield.setEveryCall(true);
    bool clicked = false;
    host.onProcessEvents = [&] {
        if (!clicked && run.table.size() >= 2000) {
            clicked = true;
            cmdListWords_Click(run);
        }
    };
    host.answers = {Answer::Yes, Answer::Yes, Answer::No};
    run.settings.SuppressWords = true;
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::NotListed);
    EXPECT_LT(run.table.size(), 3000);
}

// --- An output path that names the input file

class SameFileTest : public CountRunTest {
protected:
    void expectRefusedAndUntouched(const std::string& text) {
        EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Refused);
        ASSERT_FALSE(host.messages.empty());
        EXPECT_EQ(host.messages.back().text, u"Output file cannot be the same as the input file.");
        EXPECT_EQ(host.messages.back().title, u"Error");
        EXPECT_EQ(fileText(run.settings.InputFile), text);
        EXPECT_EQ(countOf(u"earlier"), 1);
    }
    const std::string text = "apple banana\r\n";
};

TEST_F(SameFileTest, SamePathIsRefusedBeforeAnythingIsEmptied) {
    run.settings.OutputFile = input(text);
    earlierCount();
    expectRefusedAndUntouched(text);
}

TEST_F(SameFileTest, ALinkToTheInputIsTheInput) {
    const ustring in = input(text);
    fs::create_symlink(ToPath(in), dir.path() / "link.txt");
    run.settings.OutputFile = FromPath(dir.path() / "link.txt");
    earlierCount();
    expectRefusedAndUntouched(text);
}

TEST_F(SameFileTest, DotDotPartsAreResolved) {
    input(text);
    fs::create_directory(dir.path() / "sub");
    run.settings.OutputFile = FromPath(dir.path() / "sub" / ".." / "." / "in.txt");
    earlierCount();
    expectRefusedAndUntouched(text);
}

TEST_F(SameFileTest, ADocxInputIsProtectedToo) {
    const std::string docx = std::string("PK\x03\x04", 4) + std::string(60, 'x');
    run.settings.OutputFile = input(docx, "doc.docx");
    earlierCount();
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Refused);
    EXPECT_EQ(fileText(run.settings.InputFile), docx);
}

TEST_F(SameFileTest, PathsDifferingInCaseAreDifferentFiles) {
    input(text, "in.txt");
    const ustring other = write("IN.txt", "keep");
    run.settings.OutputFile = other;
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Listed);
    EXPECT_NE(fileText(other), "keep");
}

// --- Refusals leave the output file and the table as they were

class RefusalTest : public CountRunTest {
protected:
    void SetUp() override {
        CountRunTest::SetUp();
        out = write("out.txt", "earlier list");
        run.settings.OutputFile = out;
        earlierCount();
    }
    void expectRefused(const std::string& message, const std::string& title) {
        EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Refused);
        EXPECT_EQ(host.lastMessage(), message);
        ASSERT_FALSE(host.messages.empty());
        EXPECT_EQ(ToUtf8(host.messages.back().title), title);
        EXPECT_EQ(fileText(out), "earlier list");
        EXPECT_EQ(countOf(u"earlier"), 1);
        EXPECT_EQ(host.output, u"");
        EXPECT_EQ(host.captions, std::vector<ustring>{}) << "the button never said Stop";
    }
    ustring out;
};

TEST_F(RefusalTest, NoInputPath) {
    run.settings.InputFile = u"   ";
    expectRefused("Input file not specified.", "Error");
}

TEST_F(RefusalTest, MissingInputFile) {
    run.settings.InputFile = FromPath(dir.path() / "none.txt");
    run.settings.UTF8 = true;
    expectRefused("Input file does not exist.", "File not found");
    EXPECT_FALSE(run.settings.UTF8);
}

TEST_F(RefusalTest, EmptyInputFile) {
    input("");
    expectRefused("Input file is zero-length.", "Empty file");
    EXPECT_EQ(host.labels[LabelId::Filesize], u"Filesize: 0 bytes");
}

TEST_F(RefusalTest, OutputFileIsEmptiedOnlyOnceTheRunGoesAhead) {
    input("apple");
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Listed);
    EXPECT_NE(fileText(out), "earlier list");
}

TEST_F(RefusalTest, DisabledOutputFileIsNeverTouched) {
    input("apple");
    run.settings.DisableOutputToFile = true;
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Listed);
    EXPECT_EQ(fileText(out), "earlier list");
}

// --- An output file that cannot be written

TEST_F(CountRunTest, OutputInAMissingFolderIsReportedAndNothingCounted) {
    input("apple");
    earlierCount();
    run.settings.OutputFile = FromPath(dir.path() / "no" / "out.txt");
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Failed);
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.lastMessage(), "At DoIt error #53.\r\nDescription: File not found");
    EXPECT_EQ(countOf(u"earlier"), 1);
    EXPECT_EQ(host.captions.back(), u"Count words");
}

// --- A docx document

class DocxRunTest : public CountRunTest {
protected:
    void SetUp() override {
        CountRunTest::SetUp();
        fs::create_directory(dir.path() / "tmp");
        SetTempRootForTesting(dir.path() / "tmp");
    }
    void TearDown() override { SetTempRootForTesting({}); }
    ustring docx(std::string_view body, bool stored = false) {
        const fs::path file = dir.path() / "doc.docx";
        test::WriteDocx(file, test::DocumentXml(body), stored);
        run.settings.InputFile = FromPath(file);
        return run.settings.InputFile;
    }
    bool tempFoldersLeft() const { return !fs::is_empty(dir.path() / "tmp"); }
};

TEST_F(DocxRunTest, DocumentTextIsCountedAsUtf8) {
    docx("<w:p><w:r><w:t>Apple caf\xC3\xA9</w:t></w:r></w:p>"
         "<w:p><w:r><w:t>ap</w:t></w:r><w:r><w:t>ple</w:t></w:r></w:p>");
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Listed);
    EXPECT_EQ(countOf(u"apple"), 2);
    EXPECT_EQ(countOf(u"caf\u00E9"), 1);
    EXPECT_TRUE(run.settings.UTF8);
    EXPECT_TRUE(host.messages.empty()) << host.lastMessage();
    EXPECT_FALSE(tempFoldersLeft());
}

TEST_F(DocxRunTest, ArchiveWithoutDocumentIsRefused) {
    test::WriteZip(dir.path() / "doc.docx", {{"other.xml", "<x/>"}});
    run.settings.InputFile = FromPath(dir.path() / "doc.docx");
    const ustring out = write("out.txt", "earlier list");
    run.settings.OutputFile = out;
    earlierCount();
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Refused);
    EXPECT_NE(host.lastMessage().find("does not appear to be an MS Word 'docx' file"),
              std::string::npos)
        << host.lastMessage();
    EXPECT_EQ(fileText(out), "earlier list");
    EXPECT_EQ(countOf(u"earlier"), 1);
    EXPECT_FALSE(tempFoldersLeft());
}

TEST_F(DocxRunTest, BadChecksumAnsweredNoIsRefused) {
    const ustring path = docx("<w:p><w:r><w:t>apple banana</w:t></w:r></w:p>", true);
    std::string bytes = fileText(path);
    const size_t at = test::EntryDataOffset(bytes, "word/document.xml");
    ASSERT_NE(at, std::string::npos);
    bytes[at + 5] ^= 0x20;
    dir.write("doc.docx", bytes);
    host.answers = {Answer::No};
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Refused);
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(ToUtf8(host.messages[0].text).rfind("Invalid checksum found when processing", 0), 0u);
    EXPECT_FALSE(tempFoldersLeft());
}

TEST_F(DocxRunTest, CancelledLargeInputLeavesNoTemporaryFiles) {
    std::string body;
    while (body.size() < 210000)
        body += "<w:p><w:r><w:t>apple banana cherry</w:t></w:r></w:p>";
    docx(body);
    host.answers = {Answer::Cancel};
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Refused);
    EXPECT_EQ(host.messages.back().title, u"Large input file");
    EXPECT_FALSE(tempFoldersLeft());
}

// --- The clipboard as the source

TEST_F(CountRunTest, ClipboardTextIsCountedAsOneLine) {
    run.settings.Source = SourceKind::OnClipboard;
    EXPECT_EQ(cmdListWords_Click(run, u"Apple banana\r\napple"), RunOutcome::Listed);
    EXPECT_EQ(countOf(u"apple"), 2);
    EXPECT_EQ(countOf(u"banana"), 1);
}

TEST_F(CountRunTest, EmptyClipboardSwitchesTheSourceToTheFile) {
    run.settings.Source = SourceKind::OnClipboard;
    earlierCount();
    EXPECT_EQ(cmdListWords_Click(run, u""), RunOutcome::Refused);
    EXPECT_EQ(host.lastMessage(), "Clipboard is empty.");
    EXPECT_EQ(run.settings.Source, SourceKind::InFile);
    EXPECT_EQ(countOf(u"earlier"), 1);
}

} // namespace
} // namespace qd
