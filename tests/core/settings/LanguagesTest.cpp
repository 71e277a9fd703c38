#include "settings/Languages.h"
#include "support/Folders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

// --- The language tables ---

TEST(LanguageTables, EachCodeBelongsToItsTableEntry) {
    for (int i = 0; i < 6; ++i) {
        const ustring_view code = LanguageCodes.substr(3 * i, 2);
        EXPECT_EQ(PositionOfCode(LanguageCodes, code), size_t(3 * i));
        EXPECT_NE(CommonWordsFileNames[i].find(code), ustring_view::npos);
    }
    EXPECT_EQ(CommonWordsFileNames[6], u"cwds_en_de_es_pt_it_fr.txt");
    EXPECT_TRUE(LanguageNames[7].empty());
    EXPECT_TRUE(CommonWordsFileNames[7].empty());
}

TEST(LanguageTables, ChoicesOfSeveralLanguagesHaveFilesOfTheirOwn) {
    EXPECT_EQ(LanguageChoiceNames[6], u"English and German");
    EXPECT_EQ(LanguageChoiceFileNames[6], u"cwds_en_de.txt");
    EXPECT_EQ(LanguageChoiceFileNames[7], u"cwds_en_de_es_pt_it_fr.txt");
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

TEST(LanguageTables, OnlyWholeCodesArePositioned) {
    EXPECT_EQ(PositionOfCode(LanguageCodes, u"fr"), 15u);
    EXPECT_EQ(PositionOfCode(LanguageCodes, u"n_"), ustring_view::npos);
    EXPECT_EQ(PositionOfCode(LanguageCodes, u"_d"), ustring_view::npos);
    EXPECT_EQ(PositionOfCode(LanguageCodes, u"nl"), ustring_view::npos);
    EXPECT_EQ(PositionOfCode(LanguageCodes, u"e"), ustring_view::npos);
}

// --- The language a file head declares ---

TEST(DeclaredLanguage, QuotedLangValue) {
    EXPECT_EQ(DeclaredLanguageInHead(u"<html lang=\"de\">", LanguageCodes, u"en"), u"de");
    EXPECT_EQ(DeclaredLanguageInHead(u"<HTML LANG=\"FR\">", LanguageCodes, u"en"), u"fr");
    EXPECT_EQ(DeclaredLanguageInHead(u"<html xml:lang=\"it\" lang=\"it\">", LanguageCodes, u"en"),
              u"it");
}

TEST(DeclaredLanguage, RegionalCodeAndSingleQuotesFallBackToTheTwoLetters) {
    EXPECT_EQ(DeclaredLanguageInHead(u"<html lang=\"pt-BR\">", LanguageCodes, u"en"), u"pt");
    EXPECT_EQ(DeclaredLanguageInHead(u"<html lang='es'>", LanguageCodes, u"en"), u"es");
}

TEST(DeclaredLanguage, ContentValueWhenNoLangIsGiven) {
    const ustring head = u"<head>\r\n<meta http-equiv=\"content-language\" content=\"es\">";
    EXPECT_EQ(DeclaredLanguageInHead(head, LanguageCodes, u"en"), u"es");
    EXPECT_EQ(DeclaredLanguageInHead(u"<meta content=\"text/html\">", LanguageCodes, u"en"), u"en");
}

TEST(DeclaredLanguage, UnknownOrMissingLanguageGivesTheDefault) {
    EXPECT_EQ(DeclaredLanguageInHead(u"<html lang=\"nl\">", LanguageCodes, u"en"), u"en");
    EXPECT_EQ(DeclaredLanguageInHead(u"plain text without markup", LanguageCodes, u"en"), u"en");
    EXPECT_EQ(DeclaredLanguageInHead(u"", LanguageCodes, u"en"), u"en");
    // Cut off right after the marker: too little left for a code.
    EXPECT_EQ(DeclaredLanguageInHead(u"lang=\"d", LanguageCodes, u"en"), u"en");
    EXPECT_EQ(DeclaredLanguageInHead(u"lang=", LanguageCodes, u"en"), u"en");
    // A fragment that straddles two codes is no language.
    EXPECT_EQ(DeclaredLanguageInHead(u"lang=xn_", LanguageCodes, u"en"), u"en");
}

TEST(DeclaredLanguage, WithoutCodesAnyTwoCharactersAreReturned) {
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
}

TEST_F(InputLanguage, UnreadableFileGivesTheDefault) {
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
