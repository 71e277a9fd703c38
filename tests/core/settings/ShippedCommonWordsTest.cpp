// The shipped common-words files, checked as text: every entry must come through the reader
// as the one word it is written as, and the files of several languages must hold exactly the
// words of their single-language files.

#include "ShippedCommonWords.h"
#include "scan/CaseFolding.h"
#include "settings/Languages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace qd {
namespace {

bool IsLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7);
}

class ShippedFile : public ::testing::TestWithParam<ustring_view> {};

TEST_P(ShippedFile, EveryEntryIsOneLowerCaseWordThatReadsAsWritten) {
    const auto entries = test::Entries(GetParam());
    EXPECT_GE(entries.size(), 250u);
    for (const ustring& word : entries) {
        // Letters of Latin-1 only: the reader decodes no other UTF-8. A word begins and ends
        // with a letter, since the reader strips a final apostrophe; inside it, apostrophes
        // and hyphens keep it whole.
        bool ok = IsLetter(word.front()) && IsLetter(word.back());
        for (char16_t c : word)
            ok = ok && (IsLetter(c) || c == u'\'' || c == u'-');
        EXPECT_TRUE(ok) << ToUtf8(word);
        EXPECT_EQ(LowerCaseAccented(word), word);
    }
}

TEST_P(ShippedFile, NoWordIsListedTwice) {
    const auto entries = test::Entries(GetParam());
    const std::set<ustring> distinct(entries.begin(), entries.end());
    EXPECT_EQ(distinct.size(), entries.size());
}

TEST_P(ShippedFile, DeclaresItsEncodingInItsHead) {
    // The vetting recognises UTF-8 from a charset declaration in the first ten lines.
    const std::string bytes = test::ReadFileBytes(test::DataFile(GetParam()));
    size_t lineEnd = 0;
    for (int line = 0; line < 10 && lineEnd != std::string::npos; ++line)
        lineEnd = bytes.find('\n', lineEnd + 1);
    EXPECT_NE(bytes.substr(0, lineEnd).find("charset=UTF-8"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(AllFiles, ShippedFile, ::testing::ValuesIn(LanguageChoiceFileNames));

std::set<ustring> UnionOf(std::initializer_list<ustring_view> names) {
    std::set<ustring> words;
    for (ustring_view name : names)
        for (const ustring& word : test::Entries(name))
            words.insert(word);
    return words;
}

TEST(ShippedFiles, FilesOfSeveralLanguagesHoldTheUnionOfTheirLanguages) {
    const auto six = test::Entries(u"cwds_en_de_es_pt_it_fr.txt");
    EXPECT_EQ(std::set<ustring>(six.begin(), six.end()),
              UnionOf({u"cwds_en.txt", u"cwds_de.txt", u"cwds_es.txt", u"cwds_pt.txt",
                       u"cwds_it.txt", u"cwds_fr.txt"}));
    const auto two = test::Entries(u"cwds_en_de.txt");
    EXPECT_EQ(std::set<ustring>(two.begin(), two.end()), UnionOf({u"cwds_en.txt", u"cwds_de.txt"}));
}

TEST(ShippedFiles, ContractionsAndElidedFormsAreThere) {
    const std::pair<ustring_view, std::vector<ustring>> cases[] = {
        {u"cwds_en.txt", {u"don't", u"it's", u"we'll"}},
        {u"cwds_de.txt", {u"zum", u"zur", u"im", u"\u00fcber"}},
        {u"cwds_it.txt", {u"della", u"nel", u"dell", u"un"}},
        {u"cwds_pt.txt", {u"do", u"na", u"pelo", u"\u00e0quele"}},
        {u"cwds_fr.txt", {u"du", u"au", u"l", u"qu", u"c'est"}},
    };
    for (const auto& [file, words] : cases) {
        const auto entries = UnionOf({file});
        for (const ustring& word : words)
            EXPECT_EQ(entries.count(word), 1u) << ToUtf8(file) << ": " << ToUtf8(word);
    }
}

} // namespace
} // namespace qd
