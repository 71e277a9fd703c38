#include "support/Formatting.h"
#include "support/UString.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

std::string u8(const ustring& s) {
    return ToUtf8(s);
}

// --- File sizes: the unit changes at 1024 and 1048576 bytes, in the number format ---

TEST(FormatFileSize, UnitBoundaries) {
    EXPECT_EQ(u8(FormatFileSize(-1, 2)), "");
    EXPECT_EQ(u8(FormatFileSize(0, 2)), "0 bytes");
    EXPECT_EQ(u8(FormatFileSize(1023, 2)), "1023 bytes");
    EXPECT_EQ(u8(FormatFileSize(1024, 2)), "1.00 KB");
    EXPECT_EQ(u8(FormatFileSize(1048576, 0)), "1 MB");
    EXPECT_EQ(u8(FormatFileSize(1048576.0 * 2048, 1)), "2,048.0 MB");
}

TEST(NumberFormat, OtherSeparatorsAreUsed) {
    NumberFormat saved = CurrentNumberFormat();
    CurrentNumberFormat() = {u".", u","};
    EXPECT_EQ(u8(FormatFileSize(1536, 2)), "1,50 KB");
    EXPECT_EQ(u8(GroupDigits(-1234567)), "-1.234.567");
    CurrentNumberFormat() = saved;
}

} // namespace
} // namespace qd
