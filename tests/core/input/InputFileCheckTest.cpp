#include "count/InputFileCheck.h"

#include "count/RunState.h"
#include "sources/InputFiles.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "text/Folders.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace qd {
namespace {

class InputFileCheck : public ::testing::Test {
protected:
    InputFileCheck() { state.session.startUpCompleted = true; }
    ustring fileOf(std::string_view name, size_t bytes) {
        return FromPath(dir.write(name, std::string(bytes, 'a')));
    }
    test::TempDir dir;
    test::ScriptedHost host;
    RunState state{host, DefaultEnvironment()};
};

// --- Sizes shown -------------------------------------------------------------------------

TEST_F(InputFileCheck, SmallFileShowsBytes) {
    EXPECT_TRUE(CheckInputFile(state, fileOf("a.txt", 1023)));
    EXPECT_EQ(u"Filesize: 1023 bytes", host.labels[LabelId::Filesize]);
}

TEST_F(InputFileCheck, KilobytesWithTwoDecimals) {
    EXPECT_TRUE(CheckInputFile(state, fileOf("a.txt", 1536)));
    EXPECT_EQ(u"Filesize: 1.50 KB", host.labels[LabelId::Filesize]);
}

TEST_F(InputFileCheck, MegabytesFromOneMebibyte) {
    EXPECT_TRUE(CheckInputFile(state, fileOf("a.txt", 1048576)));
    EXPECT_EQ(u"Filesize: 1.00 MB", host.labels[LabelId::Filesize]);
}

TEST_F(InputFileCheck, FileFolderIsRememberedForDialogsNotMadeCurrent) {
    const auto before = std::filesystem::current_path();
    EXPECT_TRUE(CheckInputFile(state, fileOf("a.txt", 10)));
    EXPECT_EQ(FromPath(dir.path()), host.dialogFolder);
    EXPECT_EQ(before, std::filesystem::current_path());
}

// --- Refusals ----------------------------------------------------------------------------

TEST_F(InputFileCheck, EmptyPathIsRefusedSilently) {
    EXPECT_FALSE(CheckInputFile(state, u""));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(InputFileCheck, EmptyFileIsReportedAndRefused) {
    EXPECT_FALSE(CheckInputFile(state, fileOf("empty.txt", 0)));
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ(u"Input file is zero-length.", host.messages[0].text);
    EXPECT_EQ(u"Empty file", host.messages[0].title);
    EXPECT_EQ(u"Filesize: 0 bytes", host.labels[LabelId::Filesize]);
}

TEST_F(InputFileCheck, MissingFileIsReportedAndClearsUtf8) {
    state.settings.input.UTF8 = true;
    host.labels[LabelId::Filesize] = u"Filesize: 3 bytes";
    EXPECT_FALSE(CheckInputFile(state, FromPath(dir.path() / "nothing.txt")));
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ(u"Input file does not exist.", host.messages[0].text);
    EXPECT_EQ(u"File not found", host.messages[0].title);
    EXPECT_EQ(MsgIcon::Exclamation, host.messages[0].icon);
    EXPECT_FALSE(state.settings.input.UTF8);
    EXPECT_EQ(u"", host.labels[LabelId::Filesize]);
}

TEST_F(InputFileCheck, AFolderIsNotAnInputFile) {
    EXPECT_FALSE(CheckInputFile(state, FromPath(dir.path())));
    EXPECT_EQ(1u, host.messages.size());
}

TEST_F(InputFileCheck, DuringStartUpNothingIsShown) {
    state.session.startUpCompleted = false;
    state.settings.input.UTF8 = true;
    EXPECT_FALSE(CheckInputFile(state, FromPath(dir.path() / "nothing.txt")));
    EXPECT_FALSE(CheckInputFile(state, fileOf("empty.txt", 0)));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(state.settings.input.UTF8);
}

// --- Several inputs: the files of a folder, and several paths in the input box ---

TEST(CountableFilesUnder, ByteOrderOfRelativePathsWithoutLinkedFoldersOrTheOutputFile) {
    test::TempDir dir;
    for (const char* name : {"b.txt", "a/z.md", "B.TXT", "a.txt", "notes", "x.gz", "out.txt"})
        dir.write(name, "words\r\n");
    std::filesystem::create_directory_symlink(dir.path() / "a", dir.path() / "a/loop");
    std::vector<ustring> relative;
    const ustring root = FromPath(dir.path());
    const FolderFiles found = CountableFilesUnder(root, FromPath(dir.path() / "out.txt"));
    for (const ustring& path : found.files)
        relative.push_back(path.substr(root.size() + 1));
    EXPECT_EQ(relative, (std::vector<ustring>{u"B.TXT", u"a.txt", u"a/z.md", u"b.txt"}));
    EXPECT_TRUE(found.unreadable.empty());
}

TEST(InputList, OnePathAsItIsSeveralQuoted) {
    EXPECT_EQ(JoinInputList({u"/a b.txt"}), u"/a b.txt");
    const std::vector<ustring> two{u"/a b.txt", u"/c"};
    EXPECT_EQ(JoinInputList(two), u"\"/a b.txt\" \"/c\"");
    EXPECT_EQ(SplitInputList(JoinInputList(two)), two);
    EXPECT_EQ(SplitInputList(u"  /a b.txt "), std::vector<ustring>{u"/a b.txt"});
    EXPECT_EQ(SplitInputList(u"\"/a\"  \" \" \"/c"), (std::vector<ustring>{u"/a", u"/c"}));
    EXPECT_TRUE(SplitInputList(u"  ").empty());
}

} // namespace
} // namespace qd
