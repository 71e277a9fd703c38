#include "text/ProgramTexts.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "text/Folders.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace qd {
namespace {

class ProgramTextsLoad : public ::testing::Test {
protected:
    int load(std::string_view bytes) { return texts.Load(dir.write("dvn.dat", bytes)); }
    test::TempDir dir;
    ProgramTexts texts;
};

// --- Loading: a flawed file gives its code (negative ones carry the line) and no texts ---

TEST_F(ProgramTextsLoad, FlawedFilesGiveTheirCode) {
    const std::string fits(ProgramTexts::MaxTextLength, 'x');
    const std::string half(ProgramTexts::MaxTextLength / 2, 'x');
    const std::pair<std::string, int> cases[] = {
        {"", ProgramTexts::FileEmpty},
        {"# only a comment\n\n[en]\n", ProgramTexts::NoTextRead},
        {"[en]\n73=a\n73=b\n", -1503},
        {"[en]\n1=a\n[de]\n1=b\n", 2}, // the same number in another language is no duplicate
        {"[en]\n1=" + fits + "\n", 1},
        {"[en]\n1=" + fits + "x\n", -1002},
        {"[en]\n1=" + half + "\n+" + half + "\n", -1003}, // reported at the continuation
        {"[en]\n1=\n", -502},
        {"[en]\nabc=Count words\n", -502},
        {"[en]\n40000=too big a number\n", -502},
        {"1=before any language\n", -501},
        {"[en]\n1=a\n\n+after a blank line\n", -504},
        {"[en\n1=a\n", -501},
        // Flaws beyond line 500 cannot be placed; duplicates carry any line number.
        {"[en]\n" + std::string(600, '\n') + "1=\n", ProgramTexts::TextNotRecovered},
        {"[en]\n1=a\n" + std::string(600, '\n') + "1=b\n", -1500 - 603},
        {"[en]\n1=caf\xE9\n", ProgramTexts::TextNotRecovered}, // invalid UTF-8
        {"[en]\n1=a\n" + std::string(ProgramTexts::MaxFileSize, '#'), ProgramTexts::TooMuchText},
    };
    for (const auto& [bytes, result] : cases) {
        ASSERT_GT(load("[en]\n1=earlier\n"), 0);
        EXPECT_EQ(load(bytes), result) << bytes.substr(0, 40);
        if (result < 0) {
            EXPECT_EQ(texts.GetText(1), u"") << bytes.substr(0, 40);
        }
    }
    EXPECT_EQ(texts.Load(dir.path() / "absent.dat"), ProgramTexts::CannotOpen);
    EXPECT_EQ(texts.Load(dir.path()), ProgramTexts::CannotOpen);
}

// --- The shipped file holds every text the program asks for ---

TEST(ShippedProgramTexts, EveryUsedNumberHasEnglishWording) {
    test::ScriptedHost host;
    ProgramTexts texts;
    ustring file;
    ASSERT_GT(LoadProgramTexts(host, DefaultProgramFolder(), texts, file), 0) << host.lastMessage();
    EXPECT_TRUE(host.messages.empty());
    for (int n : {27, 31, 32, 33, 34, 40, 42, 50, 73, 74, 75, 76, 77, 78, 79, 310})
        EXPECT_FALSE(texts.GetText(n).empty()) << "text " << n;
    EXPECT_FALSE(texts.IntroText().empty());
}

} // namespace
} // namespace qd
