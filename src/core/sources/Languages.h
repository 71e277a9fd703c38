#pragma once
// The languages whose common words the program ships, the files that hold them, and the
// language an input file declares in its head.

#include "text/UString.h"

#include <array>
#include <cstddef>
#include <filesystem>

namespace qd {

// Two parallel tables of the shipped languages; the eighth place stays empty.
inline constexpr int kNumLanguages = 7;
inline constexpr std::array<ustring_view, 8> LanguageNames = {
    u"English", u"German", u"Spanish",           u"Portuguese",
    u"Italian", u"French", u"all six languages", u""};
inline constexpr std::array<ustring_view, 8> CommonWordsFileNames = {u"cwds_en.txt",
                                                                     u"cwds_de.txt",
                                                                     u"cwds_es.txt",
                                                                     u"cwds_pt.txt",
                                                                     u"cwds_it.txt",
                                                                     u"cwds_fr.txt",
                                                                     u"cwds_en_de_es_pt_it_fr.txt",
                                                                     u""};

// The two-letter code of table entry i stands at position 3 * i (counted from 0).
inline constexpr ustring_view LanguageCodes = u"en_de_es_pt_it_fr";

// The entries of the language-selection window: the six languages, then the two choices of
// several languages. Each loads one file.
inline constexpr int kNumLanguageChoices = 8;
inline constexpr std::array<ustring_view, kNumLanguageChoices> LanguageChoiceNames = {
    u"English",
    u"German",
    u"Spanish",
    u"Portuguese",
    u"Italian",
    u"French",
    u"English and German",
    u"All six languages"};
inline constexpr std::array<ustring_view, kNumLanguageChoices> LanguageChoiceFileNames = {
    u"cwds_en.txt", u"cwds_de.txt", u"cwds_es.txt",    u"cwds_pt.txt",
    u"cwds_it.txt", u"cwds_fr.txt", u"cwds_en_de.txt", u"cwds_en_de_es_pt_it_fr.txt"};

// The caption of the window's accept command once entry index is chosen.
ustring_view LanguageChoiceAcceptCaption(int index);

// The common-words file of the given name in the program folder.
ustring CommonWordsFileInProgramFolder(const std::filesystem::path& programFolder,
                                       ustring_view fileName);

// Where code stands in codes (counted from 0) as one of its whole two-letter codes, which
// begin every third character; npos when it is not one of them.
size_t PositionOfCode(ustring_view codes, ustring_view code);

// The language that a file head declares: the value of lang="xx", else the two characters
// after lang= and one quote character, else the value of content="xx". The result is
// lower case; it is def unless it is one of the codes (any non-empty result when codes is
// empty).
ustring DeclaredLanguageInHead(ustring_view head, ustring_view codes, ustring_view def);

// The same for the file at path, whose head is its first ten non-empty lines; def when the
// file cannot be read.
ustring DeclaredLanguage(ustring_view path, ustring_view codes, ustring_view def);

// The common-words file, in the program folder, for the language that inputFile declares:
// the English file when it declares none of the program's languages.
ustring CommonWordsFileForInput(const std::filesystem::path& programFolder, ustring_view inputFile);

} // namespace qd
