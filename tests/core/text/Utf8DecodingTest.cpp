#include "text/Utf8Decoding.h"
#include "text/Nfc.h"

#include <gtest/gtest.h>

#include <string>

using namespace qd;

// --- DecodeUtf8: every well-formed sequence, ill-formed bytes as Windows-1252 ---

TEST(DecodeUtf8, DecodesEverySequenceLength) {
    EXPECT_EQ(DecodeUtf8("caf\xC3\xA9 \xE2\x82\xAC \xD0\x96"), u"café € Ж");
    EXPECT_EQ(DecodeUtf8("x\xF0\x9D\x94\xB8y"), u"x\xD835\xDD38y");
    EXPECT_EQ(DecodeUtf8("a\xC2\xA0"
                         "b"),
              u"a\u00A0b");
}

TEST(DecodeUtf8, DropsC1ControlsAndReplacesTypographicPunctuation) {
    EXPECT_EQ(DecodeUtf8("a\xC2\x85"
                         "b\xC2\x9F"),
              u"ab");
    EXPECT_EQ(DecodeUtf8("don\xE2\x80\x99t \xE2\x80\x9Cq\xE2\x80\x9D"), u"don't \"q\"");
    EXPECT_EQ(DecodeUtf8("a\xE2\x80\x94"
                         "b\xE2\x94\x80"
                         "c"),
              u"a -- b -- c");
    EXPECT_EQ(DecodeUtf8("\xE2\x80\x90\xE2\x80\x93\xE2\x80\xA6\xE2\x80\xA2\xE2\x80\x86"),
              u"--... .  ... ");
}

TEST(DecodeUtf8, IllFormedBytesStayTheirWindows1252Characters) {
    EXPECT_EQ(DecodeUtf8("\xC3"
                         "A"),
              u"ÃA");                                        // lead without its continuation
    EXPECT_EQ(DecodeUtf8("\x92s"), u"\u2019s");              // lone continuation, not replaced
    EXPECT_EQ(DecodeUtf8("\xC0\xAF"), u"À¯");                // overlong
    EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), u"í\u00A0€");      // surrogate
    EXPECT_EQ(DecodeUtf8("\xE2\x82"), u"â‚");                // cut short at the end
    EXPECT_EQ(DecodeUtf8("\xF4\x90\x80\x80"), u"ô\u0090€€"); // beyond U+10FFFF
}

TEST(DecodeUtf8, NormalisesToComposedForm) {
    EXPECT_EQ(DecodeUtf8("e\xCC\x81t\xC3\xA9"), u"été");
    EXPECT_EQ(ToNfc(u"A\u030A\u0323"), u"\u1EA0\u030A");
    EXPECT_EQ(ToNfc(u"plain ascii"), u"plain ascii");
    const ustring longText = ustring(100000, u'e') + u"\u0301";
    EXPECT_EQ(ToNfc(longText), ustring(99999, u'e') + u"é");
}

// --- LooksUtf8: well-formed with a byte above 127; a sequence cut off by the end ---

TEST(LooksUtf8, NeedsWellFormedBytesBeyondAscii) {
    EXPECT_TRUE(LooksUtf8("caf\xC3\xA9", false));
    EXPECT_FALSE(LooksUtf8("plain", false));
    EXPECT_FALSE(LooksUtf8("caf\xE9", false));
    EXPECT_FALSE(LooksUtf8("\xC3\xA9\xED\xA0\x80", false));
    EXPECT_FALSE(LooksUtf8("\xC3\xA9\xC3", false));
    EXPECT_TRUE(LooksUtf8("\xC3\xA9\xC3", true));
    EXPECT_TRUE(LooksUtf8("a\xF0\x9D\x94", true));
    EXPECT_FALSE(LooksUtf8("a\xC3\xA9\x80", true)); // a lone continuation is no cut
    EXPECT_FALSE(LooksUtf8("a\xE0\x80", true));     // overlong from its second byte
}

TEST(LooksUtf8, FindsTheOneByteBeyondAsciiWhereverItStands) {
    // ASCII is passed over in blocks: a sequence or a bad byte at any place in a block counts.
    for (size_t at = 0; at < 40; ++at) {
        std::string text(40, 'a');
        std::string good = text;
        good.replace(at, 2, "\xC3\xA9");
        EXPECT_TRUE(LooksUtf8(good, false)) << at;
        text[at] = '\xE9';
        EXPECT_FALSE(LooksUtf8(text, false)) << at;
    }
}
