#include "text/Leftovers.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qd {
namespace {

namespace fs = std::filesystem;

// What a signal handler removes: marked files, and marked folders with everything in them
// however deep; nothing unmarked, and nothing whose mark was cleared.
TEST(Leftovers, MarkedFilesAndFoldersGoOnRequestAndNothingElse) {
    const test::TempDir dir;
    fs::create_directories(dir.path() / "DVN001" / "word" / "deeper");
    for (const char* name : {"DVN001/word/document.xml", "DVN001/word/deeper/x", "DVN001/y",
                             "DVN001.lock", "out.tmp", "kept.tmp", "unmarked"})
        dir.write(name, "bytes");
    fs::create_symlink(dir.path() / "unmarked", dir.path() / "DVN001" / "link");
    LeftoverMark folder, lock, temp, kept;
    ASSERT_TRUE(folder.mark(dir.path() / "DVN001", true));
    ASSERT_TRUE(lock.mark(dir.path() / "DVN001.lock", false));
    ASSERT_TRUE(temp.mark(dir.path() / "out.tmp", false));
    ASSERT_TRUE(kept.mark(dir.path() / "kept.tmp", false));
    kept.clear();

    RemoveMarkedLeftovers();
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir.path() / "DVN001")));
    EXPECT_FALSE(fs::exists(dir.path() / "DVN001.lock"));
    EXPECT_FALSE(fs::exists(dir.path() / "out.tmp"));
    EXPECT_TRUE(fs::exists(dir.path() / "kept.tmp"));
    EXPECT_TRUE(fs::exists(dir.path() / "unmarked")); // a link inside goes, not what it names
}

} // namespace
} // namespace qd
