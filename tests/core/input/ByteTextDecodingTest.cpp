#include "input/ByteTextDecoding.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

using input_text::DecodeUtf8Pairs;
using input_text::ReplaceTypographicUtf8;

// Bytes as the readers hold them: one Windows-1252 character per byte.
ustring Bytes(std::string_view bytes) {
    return FromCp1252(bytes);
}

TEST(DecodeUtf8Pairs, TwoByteSequencesOfLatin1) {
    EXPECT_EQ(DecodeUtf8Pairs(Bytes("caf\xC3\xA9")), u"caf\u00E9");
    EXPECT_EQ(DecodeUtf8Pairs(Bytes("a\xC2\xA0z")), u"a\u00A0z");
    EXPECT_EQ(DecodeUtf8Pairs(Bytes("a\xC2\x85z")), u"az"); // C1 controls vanish
    EXPECT_EQ(DecodeUtf8Pairs(Bytes("\xC3\x41\xC3\xBF")), u"\u00C3A\u00FF");
    EXPECT_EQ(DecodeUtf8Pairs(Bytes("end\xC3")), u"end\u00C3");
}

TEST(ReplaceTypographicUtf8, PunctuationBecomesAscii) {
    EXPECT_EQ(ReplaceTypographicUtf8(Bytes("don\xE2\x80\x99t")), u"don't");
    EXPECT_EQ(ReplaceTypographicUtf8(Bytes("\xE2\x80\x9Cq\xE2\x80\x9D")), u"\"q\"");
    EXPECT_EQ(ReplaceTypographicUtf8(Bytes("a\xE2\x80\x94"
                                           "b\xE2\x94\x80"
                                           "c")),
              u"a -- b -- c");
    EXPECT_EQ(ReplaceTypographicUtf8(Bytes("x\xE2\x80\xA6 \xE2\x80\xA2 \xE2\x80\x86")),
              u"x...  .   ... ");
    EXPECT_EQ(ReplaceTypographicUtf8(Bytes("\xE2\x80")), Bytes("\xE2\x80"));
}

} // namespace
} // namespace qd
