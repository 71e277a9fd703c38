#include "settings/CommonWords.h"
#include "RunState.h"
#include "ShippedCommonWords.h"
#include "settings/Languages.h"
#include "support/Folders.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace fs = std::filesystem;

namespace qd {
namespace {

class CommonWordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramFolder(dir.path());
        run.blnStartUpCompleted = true;
        run.texts.Load(test::DataFile(u"dvn.dat"));
    }
    void TearDown() override { SetProgramFolder({}); }

    // Writes a common-words file and makes it the one to read.
    ustring use(std::string_view name, std::string_view bytes) {
        ustring path = FromPath(dir.write(name, bytes));
        run.settings.CommonWordsFile = path;
        return path;
    }
    // Reads the words of bytes as a common-words file.
    std::vector<ustring> read(std::string_view bytes) {
        use("words.txt", bytes);
        EXPECT_TRUE(AttemptToReadCommonWords(run)) << host.lastMessage();
        return run.CommonWords;
    }
    static std::vector<ustring> words(std::initializer_list<const char16_t*> list) {
        return std::vector<ustring>(list.begin(), list.end());
    }

    test::TempDir dir;
    test::ScriptedHost host;
    RunState run{host};
};

// --- Reading the shipped files ---

class ShippedFileRead : public CommonWordsTest,
                        public ::testing::WithParamInterface<ustring_view> {};

TEST_P(ShippedFileRead, GivesEveryEntryOnceInCodeUnitOrder) {
    const ustring path = FromPath(test::DataFile(GetParam()));
    run.settings.CommonWordsFile = path;
    ASSERT_TRUE(AttemptToReadCommonWords(run)) << host.lastMessage();

    const auto entries = test::Entries(GetParam());
    const std::set<ustring> expected(entries.begin(), entries.end());
    EXPECT_EQ(run.CommonWords, std::vector<ustring>(expected.begin(), expected.end()));
    EXPECT_TRUE(std::adjacent_find(run.CommonWords.begin(), run.CommonWords.end(),
                                   std::greater_equal<>()) == run.CommonWords.end());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              CommonWordsCountText(expected.size()) + u" loaded from " + path);
    EXPECT_EQ(host.messages[0].title, u"Common words loaded");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Information);
}

INSTANTIATE_TEST_SUITE_P(AllFiles, ShippedFileRead, ::testing::ValuesIn(LanguageChoiceFileNames));

// --- The outcome of a read ---

TEST_F(CommonWordsTest, SuccessSetsTheFlagsAndPutsEverythingBack) {
    run.settings.SuppressWords = false;
    run.settings.AllowCommentMarkers = false;
    run.blnWordsGot = true;
    const ustring path = use("w.txt", "alpha beta\r\n");
    ASSERT_TRUE(AttemptToReadCommonWords(run));
    EXPECT_TRUE(run.blnCommonWordsLoaded);
    EXPECT_TRUE(run.settings.IgnoreCommonWords);
    EXPECT_EQ(run.txbCommonWordsFile, path);
    EXPECT_FALSE(run.blnReadingWords);
    EXPECT_FALSE(run.blnWordsGot);
    EXPECT_FALSE(run.settings.SuppressWords);
    EXPECT_FALSE(run.settings.AllowCommentMarkers);
    EXPECT_TRUE(host.output.empty());
    EXPECT_EQ(run.cmdListWordsCaption, run.texts.GetText(73));
    EXPECT_TRUE(host.labels[LabelId::NumberOfWords].empty());
}

TEST_F(CommonWordsTest, CountIsGivenInWords) {
    const ustring path = use("one.txt", "only\r\nonly\r\n");
    ASSERT_TRUE(AttemptToReadCommonWords(run));
    EXPECT_EQ(host.messages.back().text, u"One common word loaded from " + path);
    std::string many;
    for (char c = 'a'; c < 'a' + 25; ++c)
        many += std::string("w") + c + "\r\n";
    const ustring path25 = use("many.txt", many);
    ASSERT_TRUE(AttemptToReadCommonWords(run));
    EXPECT_EQ(host.messages.back().text, u"Twenty five common words loaded from " + path25);
    EXPECT_EQ(CommonWordsCountText(0), u"No common words");
    EXPECT_EQ(CommonWordsCountText(1234), u"1,234 common words");
}

// --- The file format: the bytes of a file and the sorted words read from it ---

TEST_F(CommonWordsTest, FileFormat) {
    const struct {
        std::string bytes;
        std::vector<ustring> words;
    } cases[] = {
        // Commas and spaces separate words like line ends.
        {"the\r\nof\r\nand\r\n", {u"and", u"of", u"the"}},
        {"the, of,and\r\n", {u"and", u"of", u"the"}},
        {"  the of  and  \r\n", {u"and", u"of", u"the"}},
        {"// the head\r\n/* a block\r\n   over lines */ kept\r\nword // trailing note\r\n"
         "x /*inline*/ y\r\n",
         {u"kept", u"word", u"x", u"y"}},
        // Apostrophes and hyphens keep a word whole; no per-word rule applies.
        {"don't\r\npeut-\xeatre\r\nl'\r\n'tis\r\nend.\r\n",
         {u"don't", u"end", u"l", u"peut-\u00eatre", u"tis"}},
        {"a t s isn cats zzz\r\n", {u"a", u"cats", u"isn", u"s", u"t", u"zzz"}},
        // Declared UTF-8 is decoded and its capitals lowered; ANSI keeps its Latin-1 letters.
        {"// charset=UTF-8\r\ncaf\xc3\xa9 \xc3\x9c"
         "ber \xc3\x89T\xc3\x89\r\n",
         {u"caf\u00e9", u"\u00e9t\u00e9", u"\u00fcber"}},
        {"\xef\xbb\xbf"
         "alpha\r\nbeta\r\n",
         {u"alpha", u"beta"}},
        {"caf\xe9 \xdc"
         "ber\r\n",
         {u"caf\u00e9", u"\u00fcber"}},
        // Unix and Mac line ends: a comment on one line must not hide the lines after it.
        {"// head\nalpha\nbeta // note\ngamma\n", {u"alpha", u"beta", u"gamma"}},
        {"// head\ralpha\rbeta\r", {u"alpha", u"beta"}},
    };
    run.settings.DropFinalS = true;
    for (const auto& c : cases)
        EXPECT_EQ(read(c.bytes), c.words) << c.bytes;
}

TEST_F(CommonWordsTest, PathKeepsItsCase) {
    fs::create_directory(dir.path() / "Mixed");
    const ustring path = use("Mixed/Words.TXT", "alpha\r\n");
    ASSERT_TRUE(AttemptToReadCommonWords(run));
    EXPECT_EQ(run.settings.CommonWordsFile, path);
    EXPECT_EQ(run.txbCommonWordsFile, path);
}

// --- Failed reads ---

TEST_F(CommonWordsTest, MissingFileAfterStartIsReported) {
    run.CommonWords = words({u"kept"});
    run.settings.IgnoreCommonWords = true;
    run.settings.CommonWordsFile = FromPath(dir.path() / "gone.txt");
    EXPECT_FALSE(AttemptToReadCommonWords(run));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, u"File for common words not found.");
    EXPECT_EQ(host.messages[0].title, u"File not found");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(run.settings.IgnoreCommonWords);
    EXPECT_FALSE(run.blnCommonWordsLoaded);
    EXPECT_EQ(run.CommonWords, words({u"kept"}));
}

TEST_F(CommonWordsTest, MissingFileAtStartFallsBackToEnglishSilently) {
    run.blnStartUpCompleted = false;
    run.settings.IgnoreCommonWords = true;
    run.settings.CommonWordsFile = FromPath(dir.path() / "gone.txt");
    EXPECT_FALSE(AttemptToReadCommonWords(run));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(run.settings.CommonWordsFile, FromPath(dir.path() / "cwds_en.txt"));
    EXPECT_EQ(run.txbCommonWordsFile, run.settings.CommonWordsFile);
    EXPECT_FALSE(run.settings.IgnoreCommonWords);
}

TEST_F(CommonWordsTest, EmptyNameReadsNothingAndSaysNothing) {
    run.settings.CommonWordsFile = u"   ";
    EXPECT_FALSE(AttemptToReadCommonWords(run));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(CommonWordsTest, RefusedFileIsReportedByTheVettingAlone) {
    run.CommonWords = words({u"kept"});
    use("binary.txt", std::string("abc\0def ghi", 11));
    EXPECT_FALSE(AttemptToReadCommonWords(run));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, u"Not a text file");
    EXPECT_EQ(run.CommonWords, words({u"kept"}));
    EXPECT_FALSE(run.blnReadingWords);
}

TEST_F(CommonWordsTest, StoppedReadKeepsThePreviousListAndReportsFailure) {
    run.CommonWords = words({u"kept"});
    run.settings.IgnoreCommonWords = true;
    std::string many;
    for (int i = 0; i < 200; ++i)
        many += "word" + std::to_string(i) + "x\r\n";
    use("many.txt", many);
    run.yield.setEveryCall(true);
    host.onProcessEvents = [&] { run.blnStop = true; };
    EXPECT_FALSE(AttemptToReadCommonWords(run));
    EXPECT_EQ(run.CommonWords, words({u"kept"}));
    EXPECT_FALSE(run.blnStop);
    EXPECT_FALSE(run.blnCommonWordsLoaded);
    EXPECT_FALSE(run.settings.IgnoreCommonWords);
    EXPECT_TRUE(host.messages.empty());
}

// --- Choosing the file for the input file's language ---

class AutomaticChoice : public CommonWordsTest {
protected:
    void SetUp() override {
        CommonWordsTest::SetUp();
        for (auto name : {"cwds_en.txt", "cwds_de.txt", "cwds_en_de_es_pt_it_fr.txt"})
            dir.write(name, std::string("word_of_") + name + "\r\n");
    }
    ustring file(std::string_view name) { return FromPath(dir.path() / name); }
    void input(std::string_view name, std::string_view bytes) {
        run.settings.InputFile = u"  " + FromPath(dir.write(name, bytes)) + u" ";
    }
};

TEST_F(AutomaticChoice, DeclaredLanguageChoosesTheFileUnlessAllSixAreLoaded) {
    run.settings.IgnoreCommonWords = true;
    input("page.html", "<!DOCTYPE html>\r\n<html lang=\"de\">\r\n<body>Text</body>\r\n");
    ChooseCommonWordsForInputFile(run);
    EXPECT_EQ(run.settings.InputFile, FromPath(dir.path() / "page.html"));
    EXPECT_EQ(run.settings.CommonWordsFile, file("cwds_de.txt"));
    EXPECT_TRUE(run.blnCommonWordsLoaded);
    EXPECT_EQ(run.CommonWords, words({u"word_of_cwds_de.txt"}));
    // Another language or none loads English, and only once.
    input("dutch.html", "<html lang=\"nl\">\r\n");
    ChooseCommonWordsForInputFile(run);
    EXPECT_EQ(run.settings.CommonWordsFile, file("cwds_en.txt"));
    input("plain.txt", "no declaration at all\r\n");
    host.messages.clear();
    ChooseCommonWordsForInputFile(run);
    EXPECT_EQ(run.settings.CommonWordsFile, file("cwds_en.txt"));
    EXPECT_TRUE(host.messages.empty());
    // The six-language list stays whatever the input.
    run.settings.CommonWordsFile = file("cwds_en_de_es_pt_it_fr.txt");
    ASSERT_TRUE(AttemptToReadCommonWords(run));
    host.messages.clear();
    input("page.html", "<html lang=\"de\">\r\n");
    ChooseCommonWordsForInputFile(run);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(run.settings.CommonWordsFile, file("cwds_en_de_es_pt_it_fr.txt"));
    EXPECT_EQ(run.CommonWords, words({u"word_of_cwds_en_de_es_pt_it_fr.txt"}));
}

TEST_F(AutomaticChoice, AsksBeforeReadingWhenCommonWordsAreNotIgnored) {
    input("page.html", "<html lang=\"de\">\r\n");
    host.answers = {Answer::Yes};
    ChooseCommonWordsForInputFile(run);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, run.texts.GetText(40) + u"\r\n" + file("cwds_de.txt"));
    EXPECT_EQ(host.messages[0].title, run.texts.GetText(42));
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_FALSE(run.texts.GetText(40).empty());
    EXPECT_TRUE(run.blnCommonWordsLoaded);
    EXPECT_TRUE(run.settings.IgnoreCommonWords);
}

TEST_F(AutomaticChoice, NoToTheQuestionLeavesTheOtherListUnloaded) {
    run.settings.CommonWordsFile = file("cwds_en.txt");
    ASSERT_TRUE(AttemptToReadCommonWords(run));
    run.settings.IgnoreCommonWords = false; // the user unticked the box
    input("page.html", "<html lang=\"de\">\r\n");
    host.answers = {Answer::No};
    ChooseCommonWordsForInputFile(run);
    EXPECT_EQ(run.settings.CommonWordsFile, file("cwds_de.txt"));
    EXPECT_FALSE(run.blnCommonWordsLoaded); // the English words are not the German file's
    EXPECT_FALSE(run.settings.IgnoreCommonWords);
}

TEST_F(AutomaticChoice, MissingLanguageFileClearsTheChoice) {
    run.settings.IgnoreCommonWords = true;
    run.txbCommonWordsFile = file("cwds_en.txt");
    input("page.html", "<html lang=\"fr\">\r\n");
    ChooseCommonWordsForInputFile(run);
    EXPECT_TRUE(run.settings.CommonWordsFile.empty());
    EXPECT_TRUE(run.txbCommonWordsFile.empty());
    EXPECT_FALSE(run.settings.IgnoreCommonWords);
    EXPECT_TRUE(host.messages.empty());
}

// --- The language window and browsing ---

TEST_F(AutomaticChoice, LanguageWindowAndBrowsingLoadTheFileOfTheChoice) {
    EXPECT_FALSE(LoadCommonWordsForLanguage(run, -1));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(run.settings.CommonWordsFile.empty());

    EXPECT_TRUE(LoadCommonWordsForLanguage(run, 7));
    EXPECT_EQ(run.txbCommonWordsFile, file("cwds_en_de_es_pt_it_fr.txt"));
    EXPECT_TRUE(run.settings.IgnoreCommonWords);

    dir.write("cwds_en_de.txt", "two\r\n");
    EXPECT_TRUE(LoadCommonWordsForLanguage(run, 6));
    EXPECT_EQ(run.CommonWords, words({u"two"}));

    // A browsed file is read under its own name.
    host.messages.clear();
    EXPECT_FALSE(LoadCommonWordsFromFile(run, u""));
    EXPECT_TRUE(host.messages.empty());
    const ustring path = FromPath(dir.write("My Words.TXT", "Mine\r\n"));
    EXPECT_TRUE(LoadCommonWordsFromFile(run, path));
    EXPECT_EQ(run.settings.CommonWordsFile, path);
    EXPECT_EQ(run.CommonWords, words({u"mine"}));
}

} // namespace
} // namespace qd
