#include "support/ProgramTexts.h"
#include "support/Folders.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace qd {
namespace {

std::string u8(const ustring& s) {
    return ToUtf8(s);
}

class ProgramTextsLoad : public ::testing::Test {
protected:
    int load(std::string_view bytes) { return texts.Load(dir.write("dvn.dat", bytes)); }
    test::TempDir dir;
    ProgramTexts texts;
};

// Loading: the ordinary file and the shape of each text.
TEST_F(ProgramTextsLoad, CountsTheTextsOfEveryLanguage) {
    EXPECT_EQ(load("# comment\n\n[en]\n73=Count words\n74=Stop\n[de]\n73=Wörter zählen\n"), 3);
    EXPECT_EQ(u8(texts.GetText(73)), "Count words");
    EXPECT_EQ(u8(texts.GetText(74)), "Stop");
    EXPECT_EQ(u8(texts.GetText(73, 1)), "Wörter zählen");
    EXPECT_EQ(texts.languageCount(), 2);
}

TEST_F(ProgramTextsLoad, TildeAloneIsTheEmptyString) {
    ASSERT_GT(load("[en]\n5=~\n6=~x\n7= ~\n"), 0);
    EXPECT_EQ(texts.GetText(5), u"");
    EXPECT_EQ(texts.GetText(6), u"~x");
    EXPECT_EQ(texts.GetText(7), u" ~");
}

TEST_F(ProgramTextsLoad, MissingNumbersAndLanguagesGiveTheEmptyString) {
    ASSERT_GT(load("[en]\n1=a\n"), 0);
    EXPECT_EQ(texts.GetText(2), u"");
    EXPECT_EQ(texts.GetText(-1), u"");
    EXPECT_EQ(texts.GetText(1, 1), u"");
    EXPECT_EQ(texts.GetText(1, -1), u"");
}

TEST_F(ProgramTextsLoad, ContinuationLinesJoinWithCrLf) {
    ASSERT_GT(load("[en]\r\n1=first\r\n+second\r\n+\r\n+fourth\r\n2=other\r\n"), 0);
    EXPECT_EQ(u8(texts.GetText(1)), "first\r\nsecond\r\n\r\nfourth");
    EXPECT_EQ(u8(texts.GetText(2)), "other");
}

TEST_F(ProgramTextsLoad, KeepsTheTextExactlyAfterTheEqualsSign) {
    ASSERT_GT(load("\xEF\xBB\xBF[en]\n 12 =  spaced = text  \n"), 0);
    EXPECT_EQ(u8(texts.GetText(12)), "  spaced = text  ");
}

TEST_F(ProgramTextsLoad, LastLineWithoutLineEnd) {
    EXPECT_EQ(load("[en]\n310=Quorvel Dorvane"), 1);
    EXPECT_EQ(u8(texts.GetText(310)), "Quorvel Dorvane");
}

TEST_F(ProgramTextsLoad, IntroJoinsItsParagraphs) {
    ASSERT_GT(load("[en]\n1=One\n3=Three\n+more\n10=not intro\n"), 0);
    EXPECT_EQ(u8(texts.IntroText()), "One\r\n\r\nThree\r\nmore");
}

// Loading: every failure gives its code and leaves no texts behind.
TEST_F(ProgramTextsLoad, MissingFileCannotBeOpened) {
    EXPECT_EQ(texts.Load(dir.path() / "absent.dat"), ProgramTexts::CannotOpen);
    EXPECT_EQ(texts.Load(dir.path()), ProgramTexts::CannotOpen);
}

TEST_F(ProgramTextsLoad, EmptyFile) {
    EXPECT_EQ(load(""), ProgramTexts::FileEmpty);
    EXPECT_EQ(load("\xEF\xBB\xBF"), ProgramTexts::FileEmpty);
}

TEST_F(ProgramTextsLoad, NoTextsAtAll) {
    EXPECT_EQ(load("# only a comment\n\n[en]\n"), ProgramTexts::NoTextRead);
}

TEST_F(ProgramTextsLoad, DuplicateNumberReportsItsLine) {
    EXPECT_EQ(load("[en]\n73=a\n73=b\n"), -1503);
    EXPECT_EQ(load("[en]\n1=a\n[en]\n"), -1503);
    // The same number in another language is no duplicate.
    EXPECT_EQ(load("[en]\n1=a\n[de]\n1=b\n"), 2);
}

TEST_F(ProgramTextsLoad, OverlongTextReportsItsLine) {
    const std::string fits(ProgramTexts::MaxTextLength, 'x');
    EXPECT_EQ(load("[en]\n1=" + fits + "\n"), 1);
    EXPECT_EQ(load("[en]\n1=" + fits + "x\n"), -1002);
    // A continuation that passes the limit is reported at its own line.
    const std::string half(ProgramTexts::MaxTextLength / 2, 'x');
    EXPECT_EQ(load("[en]\n1=" + half + "\n+" + half + "\n"), -1003);
}

TEST_F(ProgramTextsLoad, MissingStringReportsItsLine) {
    EXPECT_EQ(load("[en]\n1=\n"), -502);
    EXPECT_EQ(load("[en]\n1 Count words\n"), -502);
    EXPECT_EQ(load("[en]\nabc=Count words\n"), -502);
    EXPECT_EQ(load("[en]\n40000=too big a number\n"), -502);
    EXPECT_EQ(load("1=before any language\n"), -501);
    EXPECT_EQ(load("[en]\n+continues nothing\n"), -502);
    EXPECT_EQ(load("[en]\n1=a\n\n+after a blank line\n"), -504);
    EXPECT_EQ(load("[en\n1=a\n"), -501);
}

TEST_F(ProgramTextsLoad, FlawsBeyondLine500CannotBePlaced) {
    std::string file = "[en]\n" + std::string(600, '\n') + "1=\n";
    EXPECT_EQ(load(file), ProgramTexts::TextNotRecovered);
    // Duplicates carry any line number.
    EXPECT_EQ(load("[en]\n1=a\n" + std::string(600, '\n') + "1=b\n"), -1500 - 603);
}

TEST_F(ProgramTextsLoad, InvalidUtf8IsNotRecovered) {
    EXPECT_EQ(load("[en]\n1=caf\xE9\n"), ProgramTexts::TextNotRecovered);
}

TEST_F(ProgramTextsLoad, OversizedFileIsTooMuchText) {
    std::string big = "[en]\n1=a\n" + std::string(ProgramTexts::MaxFileSize, '#');
    EXPECT_EQ(load(big), ProgramTexts::TooMuchText);
}

TEST_F(ProgramTextsLoad, FailedLoadDropsEarlierTexts) {
    ASSERT_GT(load("[en]\n73=Count words\n"), 0);
    EXPECT_LT(load("[en]\n73=a\n73=b\n"), 0);
    EXPECT_EQ(texts.GetText(73), u"");
}

// Messages of the load results.
TEST(ProgramTextsMessages, FixedTexts) {
    auto msg = [](int r) { return u8(ProgramTexts::LoadResultMessage(r, u"/opt/dvn.dat")); };
    EXPECT_EQ(msg(5), "");
    EXPECT_EQ(msg(0), "No program text was read.");
    EXPECT_EQ(msg(-1), "Cannot open file containing program text.\r\n/opt/dvn.dat");
    EXPECT_EQ(msg(-2), "Particular memory allocation error.");
    EXPECT_EQ(msg(-3), "Too much program text.");
    EXPECT_EQ(msg(-4), "Text not recovered.");
    EXPECT_EQ(msg(-6), "File is empty.");
    EXPECT_EQ(msg(-7), "Error reading file.");
    EXPECT_EQ(msg(-8), "General memory allocation error.");
}

TEST(ProgramTextsMessages, LineNumbersAndOtherCodes) {
    auto msg = [](int r) { return u8(ProgramTexts::LoadResultMessage(r, u"")); };
    EXPECT_EQ(msg(-1503), "Duplicate in program text at line 3.");
    EXPECT_EQ(msg(-1501), "Duplicate in program text at line 1.");
    EXPECT_EQ(msg(-1500), "String too long at line 500.");
    EXPECT_EQ(msg(-1001), "String too long at line 1.");
    EXPECT_EQ(msg(-1000), "Missing string at line 500.");
    EXPECT_EQ(msg(-501), "Missing string at line 1.");
    EXPECT_EQ(msg(-500), "Error -500");
    EXPECT_EQ(msg(-9), "Error -9");
    EXPECT_EQ(msg(-5), "Error -5");
}

// The start-up load through the run state.
TEST(LoadProgramTexts, FailureShowsTheCriticalMessage) {
    test::TempDir dir;
    SetProgramFolder(dir.path());
    test::ScriptedHost host;
    ProgramTexts texts;
    ustring file;
    EXPECT_EQ(LoadProgramTexts(host, texts, file), ProgramTexts::CannotOpen);
    EXPECT_EQ(file, FromPath(dir.path() / "dvn.dat"));
    SetProgramFolder({});
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(host.messages[0].title, u"");
    EXPECT_EQ(host.lastMessage(),
              "Cannot open file containing program text.\r\n" + (dir.path() / "dvn.dat").string());
}

// The shipped file holds every text the program asks for.
TEST(ShippedProgramTexts, EveryUsedNumberHasEnglishWording) {
    test::ScriptedHost host;
    ProgramTexts texts;
    ustring file;
    ASSERT_GT(LoadProgramTexts(host, texts, file), 0) << host.lastMessage();
    EXPECT_TRUE(host.messages.empty());
    for (int n : {27, 31, 32, 33, 34, 40, 42, 50, 73, 74, 75, 76, 77, 78, 79, 310})
        EXPECT_FALSE(texts.GetText(n).empty()) << "text " << n;
    EXPECT_EQ(u8(texts.GetText(73)), "Count words");
    EXPECT_EQ(u8(texts.GetText(74)), "Stop");
    EXPECT_FALSE(texts.IntroText().empty());
}

} // namespace
} // namespace qd
