// The count run through a scripted host: the stop protocol, the output path that names the
// input file, the refusals that must leave the output file and the table as they were, and
// the output file of a count that lists no word.
#include "session/CountRun.h"
#include "count/RunState.h"
#include "count/RunStatus.h"
#include "count/TextFileLines.h"
#include "sources/ClipboardText.h"
#include "sources/TextFileReader.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "text/Folders.h"
#include "text/Host.h"
#include "text/ReplaceFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace qd {
namespace {

// Keeps the captions of the count button and answers the output-file choice.
class RunHost : public test::ScriptedHost {
public:
    std::vector<ustring> captions;
    ustring chosenOutput;

    void setCountButtonCaption(ustring_view caption) override { captions.emplace_back(caption); }
    ustring chooseOutputFile() override { return chosenOutput; }
};

class CountRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_GT(run.texts.Load(run.env.programFolder / "dvn.dat"), 0);
        run.session.startUpCompleted = true;
    }

    ustring write(std::string_view name, std::string_view bytes) {
        return FromPath(dir.write(name, bytes));
    }
    ustring input(std::string_view bytes) {
        return run.settings.input.InputFile = write("in.txt", bytes);
    }
    int32_t countOf(ustring_view word) {
        for (int32_t i = 1; i <= run.result.table.size(); ++i)
            if (run.result.table[i].word() == word) return run.result.table[i].Count;
        return 0;
    }
    // A word left in the table by an earlier count, to show that a refusal keeps the table.
    void earlierCount() {
        run.result.table.add(u"earlier");
        run.session.wordsGot = true;
    }
    std::string fileText(const ustring& path) { return test::ReadFileBytes(ToPath(path)); }
    // Clicks the count button during reading whenever when(visit) holds.
    void clickWhen(std::function<bool(int)> when) {
        run.yield.setEveryCall(true);
        host.onProcessEvents = [this, when, n = 0]() mutable {
            if (when(++n)) {
                ASSERT_TRUE(CountIsRunning(run));
                clickOutcomes.push_back(CountWords(run));
            }
        };
    }

    test::TempDir dir;
    RunHost host;
    RunState run{host, DefaultEnvironment()};
    std::vector<RunOutcome> clickOutcomes;
};

std::string Lines(const std::string& line, int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += line;
    return text;
}

// --- The count as a function ---

// The function and the program's run read, scan and rank alike: same entries, counts,
// listed flags and frequency order, here for an HTML file read as UTF-8 with ignore rules.
TEST_F(CountRunTest, CountTextRanksAFileAsTheProgramsRunDoes) {
    const ustring path = write("notes.htm", "<p class=x>Été &eacute;t&eacute; ÉTÉ café</p>\r\n"
                                            "cafés x x x -- don’t <!-- skipped\r\n"
                                            "words --> Zebra zebra apple MMXX 12 over-long\n");
    run.settings.input.InputFile = path;
    run.settings.input.UTF8 = true;
    run.settings.words.DropFinalS = true;
    run.settings.ignore.IgnoreInfrequentWords = true;
    run.lists.wordsToIgnore.assign(u" apple ");
    ASSERT_EQ(CountWords(run), RunOutcome::Listed);

    TextFileReader reader;
    ASSERT_TRUE(reader.open(ToPath(path)));
    TextFileLines lines(reader, run.settings, run.yield);
    const CountResult result = CountText(run.settings, run.lists, lines, u"htm");
    const WordTable& expected = run.result.table;
    ASSERT_EQ(result.table.size(), expected.size());
    ASSERT_GT(expected.size(), 4);
    for (int32_t i = 1; i <= expected.size(); ++i) {
        EXPECT_EQ(result.table[i].word(), expected[i].word());
        EXPECT_EQ(result.table[i].Count, expected[i].Count);
        EXPECT_EQ(result.table[i].Listed, expected[i].Listed);
        EXPECT_EQ(result.table[i].Rank, expected[i].Rank);
        EXPECT_EQ(result.table[i].NextByFrequency, expected[i].NextByFrequency);
    }
    EXPECT_EQ(result.stats.wordsIncluded, run.result.stats.wordsIncluded);
    EXPECT_EQ(result.stats.maxFrequency, run.result.stats.maxFrequency);
}

// --- Stopping a run: asked, declined, resumed where it stopped ---

TEST_F(CountRunTest, StopDeclinedLetsReadingGoOnAndStopConfirmedAsksToList) {
    input(Lines("apple banana cherry\r\n", 50));
    clickWhen([](int n) { return n == 3 || n == 6; });
    host.answers = {{Question::Stop, {Answer::No, Answer::Yes}},
                    {Question::ListAfterStop, {Answer::Yes}}};
    EXPECT_EQ(CountWords(run), RunOutcome::Listed);
    EXPECT_EQ(clickOutcomes,
              (std::vector<RunOutcome>{RunOutcome::StopDeclined, RunOutcome::StopRequested}));
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[0].defaultButton, Answer::No);
    EXPECT_EQ(host.messages[2].question, Question::ListAfterStop);
    EXPECT_GT(run.scanner.totalOccurrences(), 0);
    EXPECT_LT(run.scanner.totalOccurrences(), 150);
    EXPECT_TRUE(run.current.ListAfterStop);
    EXPECT_FALSE(run.session.wordsGot);
    EXPECT_FALSE(run.session.stopRequested);
    EXPECT_TRUE(run.session.ListingShown);
}

TEST_F(CountRunTest, StoppedCountNotListedSaysWhatWasFoundAndGivesTheWindowBack) {
    input(Lines("apple apple\r\n", 50));
    clickWhen([](int n) { return n == 2; });
    host.answers = {{Question::Stop, {Answer::Yes}}, {Question::ListAfterStop, {Answer::No}}};
    EXPECT_EQ(CountWords(run), RunOutcome::NotListed);
    const std::string out = host.outputUtf8();
    EXPECT_EQ(out.substr(out.rfind("Stopped")), "Stopped with 1 word found.");
    EXPECT_EQ(host.captions.back(), u"Count words");
    EXPECT_FALSE(run.session.ListingShown);
    EXPECT_FALSE(CountIsRunning(run));
}

TEST_F(CountRunTest, FromTwoThousandWordsAStopIsConfirmedAndNoCountsToTheEnd) {
    std::string text; // 3000 distinct words
    for (int i = 0; i < 3000; ++i) {
        text += "qqw";
        for (int k = i; k; k /= 26)
            text += char('a' + k % 26);
        text += i % 10 == 9 ? "\r\n" : " ";
    }
    input(text);
    run.settings.output.SuppressWords = true;
    for (bool confirmed : {false, true}) {
        SCOPED_TRACE(confirmed);
        run.result.table.clear();
        host.messages.clear();
        bool clicked = false;
        clickWhen(
            [&](int) { return !clicked && run.result.table.size() >= 2000 && (clicked = true); });
        host.answers = {{Question::Stop, {Answer::Yes}},
                        {Question::ConfirmStop, {confirmed ? Answer::Yes : Answer::No}},
                        {Question::ListAfterStop, {Answer::No}}};
        run.settings.output.DisplayFormat = ListFormat::Word; // the whole list fits the output box
        EXPECT_EQ(CountWords(run), confirmed ? RunOutcome::NotListed : RunOutcome::Listed);
        ASSERT_GE(host.messages.size(), 2u);
        EXPECT_EQ(host.messages[1].question, Question::ConfirmStop);
        EXPECT_EQ(run.result.table.size() == 3000, !confirmed);
    }
}

// A stream read ahead on a second thread stops at the word where reading on one thread
// stops, and the count ends although the worker waits for bytes that never come.
TEST_F(CountRunTest, StreamStoppedPartWayEndsAtTheSameWordOnEitherPath) {
    const std::string text = Lines("apple banana cherry\r\n", 15000); // more than a head
    run.settings.input.UTF8 = true;                                   // what is read ahead
    std::vector<int64_t> found;
    for (const bool oneThread : {true, false}) {
        int fds[2]; // the writer stays till the count is over
        ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
        ASSERT_GE(::fcntl(fds[1], F_SETPIPE_SZ, 1 << 20), int(text.size()));
        ASSERT_EQ(::write(fds[1], text.data(), text.size()), ssize_t(text.size()));
        TextFileReader stream;
        stream.attach(fds[0]);
        run.current.inputStream = &stream;
        run.settings.input.InputFile = u"(standard input)";
        run.oneThread = oneThread;
        clickWhen([](int n) { return n == 3000; });
        host.answers = {{Question::LargeInput, {Answer::No}},
                        {Question::Stop, {Answer::Yes}},
                        {Question::ListAfterStop, {Answer::No}}};
        EXPECT_EQ(CountWords(run), RunOutcome::NotListed);
        found.push_back(run.scanner.totalOccurrences());
        run.current.inputStream = nullptr;
        ::close(fds[0]);
        ::close(fds[1]);
    }
    EXPECT_EQ(found[0], found[1]);
    EXPECT_GT(found[0], 0);
    EXPECT_LT(found[0], 45000);
}

// --- An output path that names the input file is refused before anything is emptied ---

TEST_F(CountRunTest, OutputPathNamingTheInputThroughALinkOrDotsIsRefused) {
    const std::string text = "apple banana\r\n";
    const ustring in = input(text);
    fs::create_symlink(ToPath(in), dir.path() / "link.txt");
    fs::create_directory(dir.path() / "sub");
    earlierCount();
    for (const ustring& out : {in, FromPath(dir.path() / "link.txt"),
                               FromPath(dir.path() / "sub" / ".." / "." / "in.txt")}) {
        SCOPED_TRACE(ToUtf8(out));
        host.messages.clear();
        run.settings.output.OutputFile = out;
        EXPECT_EQ(CountWords(run), RunOutcome::Refused);
        EXPECT_EQ(host.lastMessage(), "Output file cannot be the same as the input file.");
        EXPECT_EQ(fileText(in), text);
        EXPECT_EQ(countOf(u"earlier"), 1);
    }
}

TEST_F(CountRunTest, OutputFileChosenForALargeInputMayNotBeTheInput) {
    std::string text = Lines("apple banana cherry\r\n", 10000);
    text.resize(204801, ' ');
    const ustring in = input(text);
    host.answers = {{Question::LargeInput, {Answer::Yes}}};
    host.chosenOutput = in;
    EXPECT_EQ(CountWords(run), RunOutcome::Refused);
    EXPECT_EQ(host.lastMessage(), "Output file cannot be the same as the input file.");
    EXPECT_EQ(fileText(in), text);
    EXPECT_TRUE(run.settings.output.OutputFile.empty());
}

// --- Refusals leave the output file, the table and the output box as they were ---

TEST_F(CountRunTest, RefusalsLeaveTheOutputFileAndTheTable) {
    const ustring out = write("out.txt", "earlier list");
    earlierCount();
    const struct {
        const char* name;
        std::function<void()> prepare;
    } cases[] = {
        {"no input path", [&] { run.settings.input.InputFile = u"   "; }},
        {"missing input",
         [&] { run.settings.input.InputFile = FromPath(dir.path() / "none.txt"); }},
        {"empty input", [&] { input(""); }},
        {"encoding question cancelled",
         [&] {
             input("\xEF\xBB\xBF"
                   "apple");
             host.answers = {{Question::EncodingSeemsUtf8, {Answer::Cancel}}};
         }},
        {"UTF-8 with 7-bit ASCII",
         [&] {
             input("apple");
             run.settings.input.UTF8 = true;
             run.settings.words.Only7bitASCII = true;
         }},
        {"empty clipboard", [&] { run.settings.input.Source = SourceKind::OnClipboard; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        run.settings = Settings{};
        run.settings.output.OutputFile = out;
        host.messages.clear();
        host.captions.clear();
        host.output.clear();
        c.prepare();
        EXPECT_EQ(CountWords(run, u""), RunOutcome::Refused);
        EXPECT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(fileText(out), "earlier list");
        EXPECT_EQ(countOf(u"earlier"), 1);
        EXPECT_EQ(host.output, u"");
        EXPECT_EQ(host.captions, std::vector<ustring>{}) << "the button never said Stop";
    }
    // The refused clipboard switches the source back to the file.
    EXPECT_EQ(run.settings.input.Source, SourceKind::InFile);
}

TEST_F(CountRunTest, ClipboardTextOfUpTo100000CharactersIsCountedAsOneLine) {
    auto click = [&](ustring_view text) {
        run.settings.input.Source = SourceKind::OnClipboard;
        return CountWords(run, text);
    };
    EXPECT_EQ(click(u"Apple banana\r\napple"), RunOutcome::Listed);
    EXPECT_EQ(countOf(u"apple"), 2);
    ustring text(MaxClipboardChars - 5, u' ');
    text += u"apple";
    EXPECT_EQ(click(text), RunOutcome::Listed);
    EXPECT_EQ(click(text + u" "), RunOutcome::Refused);
    EXPECT_EQ(countOf(u"apple"), 1);
    // A control character among the first 3000 characters is no natural-language text.
    text[2999] = u'\x1b';
    EXPECT_EQ(click(text), RunOutcome::Refused);
    text[2999] = u' ';
    text[3000] = u'\x1b';
    EXPECT_EQ(click(text), RunOutcome::Listed);
}

TEST_F(CountRunTest, OutputFileIsEmptiedOnlyWhenTheRunGoesAheadAndNeverWhenDisabled) {
    const ustring out = write("out.txt", "earlier list");
    run.settings.output.OutputFile = out;
    input("apple");
    run.settings.output.DisableOutputToFile = true;
    EXPECT_EQ(CountWords(run), RunOutcome::Listed);
    EXPECT_EQ(fileText(out), "earlier list");
    run.settings.output.DisableOutputToFile = false;
    EXPECT_EQ(CountWords(run), RunOutcome::Listed);
    EXPECT_NE(fileText(out), "earlier list");
}

// A count that lists no word leaves an empty output file, so that no earlier list passes for
// its own; the overwrite prompt guards it as it guards a list, and a read that failed before
// finding any word leaves the file alone.
TEST_F(CountRunTest, CountListingNoWordEmptiesTheOutputFileUnlessTheReadFailed) {
    const ustring out = write("out.txt", "earlier list");
    run.settings.output.OutputFile = out;
    input("a I 12 ==\r\n");
    EXPECT_EQ(CountWords(run), RunOutcome::Listed);
    EXPECT_EQ(host.output, u"No words satisfying the conditions were found.\r\n");
    EXPECT_TRUE(fs::exists(ToPath(out)));
    EXPECT_EQ(fileText(out), "");

    write("out.txt", "earlier list");
    run.settings.output.WarnOnOverwrite = true;
    host.promptAnswers[Question::OverwriteOutput] = {std::nullopt};
    EXPECT_EQ(CountWords(run), RunOutcome::Listed);
    EXPECT_EQ(host.prompts, std::vector<Question>{Question::OverwriteOutput});
    EXPECT_TRUE(run.settings.output.DisableOutputToFile);
    EXPECT_EQ(fileText(out), "earlier list");
    run.settings.output.DisableOutputToFile = false;
    run.settings.output.WarnOnOverwrite = false;

    // A stream that does not wait fails once its bytes are read while its writer is still
    // there: after a first block of single letters, which are too short to list.
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC | O_NONBLOCK), 0);
    const std::string letters = "a b c d e f g\r\n";
    ASSERT_EQ(::write(fds[1], letters.data(), letters.size()), ssize_t(letters.size()));
    TextFileReader stream(8);
    stream.attach(fds[0]);
    run.current.inputStream = &stream;
    run.settings.input.InputFile = u"(standard input)";
    EXPECT_EQ(CountWords(run), RunOutcome::Failed);
    run.current.inputStream = nullptr;
    ::close(fds[0]);
    ::close(fds[1]);
    EXPECT_EQ(run.result.stats.wordsIncluded, 0);
    EXPECT_EQ(fileText(out), "earlier list");
}

// A write-protected output file stays as it is, root or not: the run fails before it counts,
// naming the file, with the advice about a file held open elsewhere. A read-only file system
// is told as what it is, without that advice.
TEST_F(CountRunTest, WriteProtectedOutputIsReportedAndLeftAsItWas) {
    const ustring out = write("out.txt", "earlier list");
    run.settings.output.OutputFile = out;
    input("apple");
    const auto system = WritePermission;
    WritePermission = [](const std::filesystem::path&) { return EACCES; };
    const RunOutcome outcome = CountWords(run);
    WritePermission = [](const std::filesystem::path&) { return EROFS; };
    host.setOutputText(u"");
    const RunOutcome readOnly = CountWords(run);
    WritePermission = system;
    EXPECT_EQ(outcome, RunOutcome::Failed);
    ASSERT_GE(host.messages.size(), 2u);
    EXPECT_EQ(ToUtf8(host.messages[host.messages.size() - 2].text),
              "At DoIt error #70.\r\nDescription: Permission denied\r\n"
              "The output file cannot be written:\r\n" +
                  ToUtf8(out));
    EXPECT_EQ(readOnly, RunOutcome::Failed);
    EXPECT_EQ(host.lastMessage(),
              "At DoIt error #75.\r\nDescription: Path/File access error: "
              "Read-only file system\r\nThe output file cannot be written:\r\n" +
                  ToUtf8(out));
    EXPECT_EQ(host.outputUtf8(), "");
    EXPECT_EQ(fileText(out), "earlier list");
}

TEST_F(CountRunTest, PermissionDeniedOnTheOutputFileAdvisesClosingItElsewhere) {
    const ustring out = write("out.txt", "earlier list");
    run.settings.output.OutputFile = out;
    input("apple");
    const auto system = WritePermission;
    WritePermission = [](const std::filesystem::path&) { return EACCES; };
    CountWords(run);
    WritePermission = system;
    EXPECT_TRUE(host.outputUtf8().starts_with("Error: Permission denied\r\n\r\nIf the output"));
}

// Whatever stands in the way, the report names the output file and the real cause, and
// nothing is counted.
TEST_F(CountRunTest, OutputThatCannotBeWrittenIsReportedByNameAndNothingCounted) {
    input("apple");
    earlierCount();
    ASSERT_EQ(::mkfifo((dir.path() / "pipe").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.path() / "folder");
    const std::pair<ustring, std::string> cases[] = {
        {FromPath(dir.path() / "no" / "out.txt"),
         "#76.\r\nDescription: Path not found: there is no folder " + (dir.path() / "no").string()},
        {FromPath(dir.path() / "pipe"),
         "#75.\r\nDescription: Path/File access error: it is a named pipe, not a file"},
        {FromPath(dir.path() / "folder"),
         "#75.\r\nDescription: Path/File access error: it is a folder, not a file"},
    };
    for (const auto& [out, cause] : cases) {
        run.settings.output.OutputFile = out;
        EXPECT_EQ(CountWords(run), RunOutcome::Failed);
        EXPECT_EQ(host.lastMessage(), "At DoIt error " + cause +
                                          "\r\nThe output file cannot be written:\r\n" +
                                          ToUtf8(out));
        EXPECT_EQ(countOf(u"earlier"), 1);
        EXPECT_EQ(host.captions.back(), u"Count words");
    }
}

} // namespace
} // namespace qd
