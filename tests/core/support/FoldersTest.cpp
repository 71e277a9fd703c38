#include "support/Folders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace qd {
namespace {

class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override { SetTempRootForTesting(dir.path()); }
    void TearDown() override { SetTempRootForTesting({}); }
    test::TempDir dir;
};

TEST_F(TempFolderTest, SkipsNamesTakenByFoldersAndFiles) {
    fs::create_directory(dir.path() / "DVN001");
    dir.write("DVN002", "a plain file");
    ustring made = CreateTempFolder(u"DVN", false);
    EXPECT_EQ(FromPath(dir.path() / "DVN003"), made);
    EXPECT_TRUE(IsDirectory(made));
}

TEST_F(TempFolderTest, TrailingSeparatorOnRequest) {
    ustring made = CreateTempFolder(u"DVN", true);
    ASSERT_FALSE(made.empty());
    EXPECT_EQ(made.back(), u'/');
}

TEST_F(TempFolderTest, DeleteFolderRemovesReadOnlyContents) {
    ustring made = CreateTempFolder(u"DVN", false);
    fs::path inner = ToPath(made) / "word";
    fs::create_directory(inner);
    dir.write(fs::path(ToUtf8(made)).filename().string() + "/word/document.xml", "<x/>");
    fs::permissions(inner, fs::perms::owner_read | fs::perms::owner_exec);
    DeleteFolder(made, true);
    EXPECT_FALSE(fs::exists(ToPath(made)));
}

TEST(FileTests, ExistenceAndDirectories) {
    test::TempDir dir;
    auto file = dir.write("a.txt", "abc");
    EXPECT_TRUE(FileExists(FromPath(file)));
    EXPECT_FALSE(FileExists(u""));
    EXPECT_FALSE(FileExists(FromPath(dir.path())));
    EXPECT_TRUE(IsDirectory(u"  " + FromPath(dir.path()) + u"  "));
    EXPECT_FALSE(IsDirectory(FromPath(file)));
    EXPECT_EQ(FileLength(FromPath(file)), 3);
}

} // namespace
} // namespace qd
