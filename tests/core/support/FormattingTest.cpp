#include "support/Formatting.h"
#include "support/UString.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

std::string u8(const ustring& s) {
    return ToUtf8(s);
}

// File sizes: the unit changes at 1024 and 1048576 bytes.
TEST(FormatFileSize, UnitBoundaries) {
    EXPECT_EQ(u8(FormatFileSize(-1, 2)), "");
    EXPECT_EQ(u8(FormatFileSize(0, 2)), "0 bytes");
    EXPECT_EQ(u8(FormatFileSize(1023, 2)), "1023 bytes");
    EXPECT_EQ(u8(FormatFileSize(1024, 2)), "1.00 KB");
    EXPECT_EQ(u8(FormatFileSize(1048576, 0)), "1 MB");
    EXPECT_EQ(u8(FormatFileSize(1048576.0 * 2048, 1)), "2,048.0 MB");
}

TEST(FormatByteCount, GroupsDigitsAndCapitalises) {
    EXPECT_EQ(u8(FormatByteCount(0, true)), "0 Bytes");
    EXPECT_EQ(u8(FormatByteCount(123456, false)), "123,456 bytes");
    EXPECT_EQ(u8(FormatByteCount(-5, false)), "");
}

TEST(NumberInWords, WordsUpToNinetyNineThenDigits) {
    EXPECT_EQ(u8(NumberInWords(0)), "No");
    EXPECT_EQ(u8(NumberInWords(1)), "One");
    EXPECT_EQ(u8(NumberInWords(20)), "Twenty");
    EXPECT_EQ(u8(NumberInWords(57)), "Fifty seven");
    EXPECT_EQ(u8(NumberInWords(90)), "Ninety");
    EXPECT_EQ(u8(NumberInWords(100)), "100");
    EXPECT_EQ(u8(NumberInWords(12345)), "12,345");
}

TEST(ElapsedTimeText, CompactForms) {
    EXPECT_EQ(u8(ElapsedTimeText(0)), "0s");
    EXPECT_EQ(u8(ElapsedTimeText(60)), "1m");
    EXPECT_EQ(u8(ElapsedTimeText(75)), "1m 15s");
    EXPECT_EQ(u8(ElapsedTimeText(120)), "2m");
    EXPECT_EQ(u8(ElapsedTimeText(3600)), "1h 0m");
    EXPECT_EQ(u8(ElapsedTimeText(13462)), "3h 44m 22s");
    EXPECT_EQ(u8(ElapsedTimeText(86400)), "1d 0h 0m");
    EXPECT_EQ(u8(ElapsedTimeText(90000)), "1d 1h 0m");
}

TEST(NumberFormat, OtherSeparatorsAreUsed) {
    NumberFormat saved = CurrentNumberFormat();
    CurrentNumberFormat() = {u".", u","};
    EXPECT_EQ(u8(FormatFileSize(1536, 2)), "1,50 KB");
    EXPECT_EQ(u8(GroupDigits(-1234567)), "-1.234.567");
    CurrentNumberFormat() = saved;
}

TEST(Cp1252, RoundTripsAndMapsSpecials) {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes.push_back(char(b));
    ustring text = FromCp1252(bytes);
    EXPECT_EQ(text[0x92], u'\u2019');
    EXPECT_EQ(text[0xE9], u'\u00E9');
    EXPECT_EQ(ToCp1252(text), bytes);
    EXPECT_EQ(ToCp1252(u"\u0100"), "?");
}

TEST(Utf8, InvalidBytesBecomeReplacementCharacters) {
    EXPECT_EQ(FromUtf8("a\xC3\xA9"), u"a\u00E9");
    EXPECT_EQ(FromUtf8("\xC3"), u"\uFFFD");
    EXPECT_EQ(FromUtf8("\xF0\x9F\x98\x80"), u"\U0001F600");
    EXPECT_EQ(ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
}

} // namespace
} // namespace qd
