#include "session/CommonWords.h"
#include "count/RunState.h"
#include "sources/Languages.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "text/Folders.h"

#include <gtest/gtest.h>

#include <set>

namespace fs = std::filesystem;

namespace qd {
namespace {

// The data files are copied beside the test program by the build.
fs::path DataFile(ustring_view name) {
    return fs::read_symlink("/proc/self/exe").parent_path() / ToPath(name);
}

// The entries of a shipped file read without the program's scanner: comments removed, then
// every run of characters other than spaces, commas and line ends.
std::vector<ustring> Entries(ustring_view name) {
    const ustring text = FromUtf8(test::ReadFileBytes(DataFile(name)));
    std::vector<ustring> entries;
    ustring current;
    auto flush = [&] {
        if (!current.empty()) entries.push_back(current);
        current.clear();
    };
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, u"/*") == 0 || text.compare(i, 2, u"//") == 0) {
            flush();
            const size_t end = text.find(text[i + 1] == u'*' ? u"*/" : u"\n", i + 2);
            i = end == ustring::npos ? text.size() : end + (text[i + 1] == u'*' ? 1 : 0);
        } else if (text[i] == u' ' || text[i] == u',' || text[i] == u'\r' || text[i] == u'\n') {
            flush();
        } else {
            current += text[i];
        }
    }
    flush();
    return entries;
}

std::set<ustring> UnionOf(std::initializer_list<ustring_view> names) {
    std::set<ustring> words;
    for (ustring_view name : names)
        for (const ustring& word : Entries(name))
            words.insert(word);
    return words;
}

class CommonWordsTest : public ::testing::Test {
protected:
    void SetUp() override { run.session.startUpCompleted = true; }

    // Writes a common-words file and makes it the one to read.
    ustring use(std::string_view name, std::string_view bytes) {
        ustring path = FromPath(dir.write(name, bytes));
        run.settings.ignore.CommonWordsFile = path;
        return path;
    }

    test::TempDir dir;
    test::ScriptedHost host;
    RunState run{host, {.tempRoot = dir.path(), .programFolder = dir.path()}};
};

// --- The shipped files: every entry reads as the one word it is written as ---

// The file names as UTF-8, so that test listings show them as text.
std::vector<std::string> ShippedFileNames() {
    std::vector<std::string> names;
    for (ustring_view name : LanguageChoiceFileNames)
        names.push_back(ToUtf8(name));
    return names;
}

class ShippedFile : public CommonWordsTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(ShippedFile, EveryEntryIsReadOnceAsWritten) {
    const ustring name = FromUtf8(GetParam());
    run.settings.ignore.CommonWordsFile = FromPath(DataFile(name));
    ASSERT_TRUE(AttemptToReadCommonWords(run)) << host.lastMessage();
    const auto entries = Entries(name);
    const std::set<ustring> distinct(entries.begin(), entries.end());
    EXPECT_EQ(distinct.size(), entries.size()) << "a word is listed twice";
    EXPECT_GE(entries.size(), 250u);
    EXPECT_EQ(run.lists.commonWords, std::vector<ustring>(distinct.begin(), distinct.end()));
}

// Named for the languages: "cwds_en_de.txt" is en_de.
INSTANTIATE_TEST_SUITE_P(Shipped, ShippedFile, ::testing::ValuesIn(ShippedFileNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return info.param.substr(5, info.param.size() - 9);
                         });

TEST(ShippedFiles, FilesOfSeveralLanguagesHoldTheUnionOfTheirLanguages) {
    const auto six = Entries(u"cwds_en_de_es_pt_it_fr.txt");
    EXPECT_EQ(std::set<ustring>(six.begin(), six.end()),
              UnionOf({u"cwds_en.txt", u"cwds_de.txt", u"cwds_es.txt", u"cwds_pt.txt",
                       u"cwds_it.txt", u"cwds_fr.txt"}));
    const auto two = Entries(u"cwds_en_de.txt");
    EXPECT_EQ(std::set<ustring>(two.begin(), two.end()), UnionOf({u"cwds_en.txt", u"cwds_de.txt"}));
}

// --- Failed reads keep the list read before ---

TEST_F(CommonWordsTest, RefusedOrStoppedReadKeepsThePreviousList) {
    run.lists.commonWords = {u"kept"};
    use("binary.txt", std::string("abc\0def ghi", 11));
    EXPECT_FALSE(AttemptToReadCommonWords(run));
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(run.lists.commonWords, std::vector<ustring>{u"kept"});
    EXPECT_FALSE(run.scanner.readingWords());

    run.settings.ignore.IgnoreCommonWords = true;
    std::string many;
    for (int i = 0; i < 200; ++i)
        many += "word" + std::to_string(i) + "x\r\n";
    use("many.txt", many);
    run.yield.setEveryCall(true);
    host.onProcessEvents = [&] { run.session.stopRequested = true; };
    EXPECT_FALSE(AttemptToReadCommonWords(run));
    EXPECT_EQ(run.lists.commonWords, std::vector<ustring>{u"kept"});
    EXPECT_FALSE(run.session.stopRequested);
    EXPECT_FALSE(run.session.commonWordsLoaded);
    EXPECT_FALSE(run.settings.ignore.IgnoreCommonWords);
}

} // namespace
} // namespace qd
