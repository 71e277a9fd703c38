#include "settings/Languages.h"
#include "support/Folders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

// --- The language tables ---

TEST(LanguageTables, EachCodeBelongsToItsTableEntryAndOnlyWholeCodesArePositioned) {
    for (int i = 0; i < 6; ++i) {
        const ustring_view code = LanguageCodes.substr(3 * i, 2);
        EXPECT_EQ(PositionOfCode(LanguageCodes, code), size_t(3 * i));
        EXPECT_NE(CommonWordsFileNames[i].find(code), ustring_view::npos);
    }
    for (const ustring_view code : {u"n_", u"_d", u"nl", u"e"})
        EXPECT_EQ(PositionOfCode(LanguageCodes, code), ustring_view::npos) << ToUtf8(code);
    EXPECT_TRUE(LanguageNames[7].empty());
    EXPECT_TRUE(CommonWordsFileNames[7].empty());
    EXPECT_EQ(LanguageChoiceAcceptCaption(5), u"Load common words file for this language");
    EXPECT_EQ(LanguageChoiceAcceptCaption(6), u"Load common words file for these languages");
    EXPECT_EQ(LanguageChoiceAcceptCaption(7), u"Load common words file for these languages");
}

TEST(LanguageTables, EveryListedFileIsShipped) {
    // The build copies the data files beside the test program.
    SetProgramFolder(std::filesystem::read_symlink("/proc/self/exe").parent_path());
    for (ustring_view name : LanguageChoiceFileNames)
        EXPECT_TRUE(FileExists(CommonWordsFileInProgramFolder(name))) << ToUtf8(name);
    EXPECT_EQ(DefaultCommonWordsFile(), FromPath(ProgramFolder() / "cwds_en.txt"));
    SetProgramFolder({});
}

// --- The language a file head declares: lang, else content, else the default ---

TEST(DeclaredLanguage, FoundInTheHeadOrTheDefault) {
    const std::pair<ustring_view, ustring_view> cases[] = {
        {u"<html lang=\"de\">", u"de"},
        {u"<HTML LANG=\"FR\">", u"fr"},
        {u"<html xml:lang=\"it\" lang=\"it\">", u"it"},
        {u"<html lang=\"pt-BR\">", u"pt"}, // regional code: the two letters
        {u"<html lang='es'>", u"es"},
        {u"<head>\r\n<meta http-equiv=\"content-language\" content=\"es\">", u"es"},
        {u"<meta content=\"text/html\">", u"en"},
        {u"<html lang=\"nl\">", u"en"},
        {u"plain text without markup", u"en"},
        {u"", u"en"},
        {u"lang=\"d", u"en"}, // cut off right after the marker: too little left for a code
        {u"lang=", u"en"},
        {u"lang=xn_", u"en"}, // a fragment that straddles two codes is no language
    };
    for (const auto& [head, language] : cases)
        EXPECT_EQ(DeclaredLanguageInHead(head, LanguageCodes, u"en"), language) << ToUtf8(head);
    // Without codes any two characters are returned.
    EXPECT_EQ(DeclaredLanguageInHead(u"lang=\"nl\"", u"", u"en"), u"nl");
    EXPECT_EQ(DeclaredLanguageInHead(u"nothing declared", u"", u"xx"), u"xx");
}

// --- The language of an input file ---

class InputLanguage : public ::testing::Test {
protected:
    void SetUp() override { SetProgramFolder(dir.path()); }
    void TearDown() override { SetProgramFolder({}); }
    ustring file(std::string_view name, std::string_view bytes) {
        return FromPath(dir.write(name, bytes));
    }
    ustring inProgramFolder(const char* name) { return FromPath(dir.path() / name); }
    test::TempDir dir;
};

TEST_F(InputLanguage, HeadIsTheFirstTenNonEmptyLines) {
    std::string page = "<!DOCTYPE html>\r\n\r\n\r\n";
    for (int i = 0; i < 8; ++i)
        page += "<!-- line -->\r\n";
    const ustring tenth = file("tenth.html", page + "<html lang=\"es\">\r\n");
    EXPECT_EQ(DeclaredLanguage(tenth, LanguageCodes, u"en"), u"es");
    const ustring eleventh = file("eleventh.html", page + "<p>\r\n<html lang=\"es\">\r\n");
    EXPECT_EQ(DeclaredLanguage(eleventh, LanguageCodes, u"en"), u"en");
    // An unreadable file gives the default.
    EXPECT_EQ(DeclaredLanguage(inProgramFolder("missing.html"), LanguageCodes, u"en"), u"en");
    EXPECT_EQ(DeclaredLanguage(u"", LanguageCodes, u"en"), u"en");
}

TEST_F(InputLanguage, DeclaredLanguageChoosesItsFile) {
    EXPECT_EQ(CommonWordsFileForInput(file("de.html", "<html lang=\"de\">\n")),
              inProgramFolder("cwds_de.txt"));
    EXPECT_EQ(CommonWordsFileForInput(file("fr.xml", "<doc xml:lang=\"fr\"/>\r\n")),
              inProgramFolder("cwds_fr.txt"));
    EXPECT_EQ(CommonWordsFileForInput(file("nl.html", "<html lang=\"nl\">\r\n")),
              inProgramFolder("cwds_en.txt"));
    EXPECT_EQ(CommonWordsFileForInput(file("plain.txt", "Just text.\r\n")),
              inProgramFolder("cwds_en.txt"));
}

} // namespace
} // namespace qd
