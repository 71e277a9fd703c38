#include "text/Formatting.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

// --- Numbers follow the number format they are given, not the process's locale ---

TEST(NumberFormatting, UsesTheGivenGroupingAndDecimalCharacters) {
    const NumberFormat german{.thousands = u".", .decimal = u","};
    EXPECT_EQ(GroupDigits(1234567, german), u"1.234.567");
    EXPECT_EQ(GroupDigits(-1234, german), u"-1.234");
    EXPECT_EQ(FormatFileSize(1536, 2, german), u"1,50 KB");
    EXPECT_EQ(FormatByteCount(12345, false, german), u"12.345 bytes");
    EXPECT_EQ(NumberInWords(1234, german), u"1.234");

    const NumberFormat narrowSpace{.thousands = u"\u202f", .decimal = u"."};
    EXPECT_EQ(FormatFileSize(3.5 * 1048576, 1, narrowSpace), u"3.5 MB");
    EXPECT_EQ(GroupDigits(1000, narrowSpace), u"1\u202f000");
    EXPECT_EQ(GroupDigits(999, narrowSpace), u"999");
}

} // namespace
} // namespace qd
