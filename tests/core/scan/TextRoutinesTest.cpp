#include "scan/TextRoutines.h"

#include "ScanTestUtil.h"

#include <gtest/gtest.h>

using namespace qd;
using qd::test::Bytes;

namespace {
struct Case {
    ustring in, out;
};
} // namespace

// --- CleanLine: tabs and line breaks become single spaces, a backspace joins its neighbours ---

TEST(CleanLine, ReplacesControlCharactersAsTheLineNeeds) {
    const Case cases[] = {
        {u"a\tb\r\nc", u"a b c"},
        {u"a\rb\nc\fd", u"a b c d"},
        {u"ab\bc", u"abc"},
        {u"\b\b", u""},
        {u"\r\r\n\n", u"   "}, // CR, CR LF, LF: merged only as pairs
        {u"a\r\b\nb", u"a b"}, // the backspace goes first
        {u"\n\r", u"  "},
        {Bytes({'a', 160, 'b'}), u"a b"}, // no-break space
        {u"\t\b\r\n\f\x01\x1f", u"   \x01\x1f"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CleanLine(c.in), c.out) << ToUtf8(c.in);
}

// --- DecodeUtf8Pairs: the two-byte forms of Latin-1, C1 controls dropped, the rest left ---

TEST(DecodeUtf8Pairs, DecodesPairsAndLeavesEverythingElse) {
    const Case cases[] = {
        {Bytes({'c', 'a', 'f', 195, 169}), u"café"},
        {Bytes({194, 160}), ustring(1, char16_t(0xA0))},
        {Bytes({194, 191, 195, 128, 195, 191}), u"¿Àÿ"},
        {Bytes({'a', 194, 133, 'b'}), u"ab"},
        {Bytes({194, 128, 194, 159}), u""},
        {Bytes({195, 'A', 195, 169}), Bytes({195, 'A', 233})},
        {Bytes({'x', 195}), Bytes({'x', 195})},
        {Bytes({194, 'a', 194}), Bytes({194, 'a', 194})},
        {Bytes({226, 128, 153}), Bytes({226, 128, 153})}, // three-byte forms stay
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeUtf8Pairs(c.in), c.out) << ToUtf8(c.in);
    EXPECT_EQ(CleanLine(DecodeUtf8Pairs(Bytes({'a', 194, 160, 'b'}))), u"a b");
    ustring s = Bytes({'n', 'a', 195, 175, 'v', 'e', 194, 133});
    DecodeUtf8PairsInPlace(s);
    EXPECT_EQ(s, u"naïve");
}

// Replacing every occurrence of a pair at once, as text editors do, used to skip the byte after
// a dropped pair and to let a replacement join a stray lead byte to a new partner; decoding
// pair by pair has neither fault.
TEST(DecodeUtf8Pairs, PairAfterADroppedControlIsDecodedAndAStrayLeadByteStays) {
    const Case cases[] = {
        {Bytes({'a', 194, 133, 194, 169, 'b'}), u"a©b"},
        {Bytes({194, 133, 195, 169}), u"é"},
        {Bytes({'x', 194, 194, 161}), Bytes({'x', 194, 161})},
        {Bytes({194, 161, 'x', 194, 194, 161}), Bytes({161, 'x', 194, 161})},
        {Bytes({195, 131, 169}), Bytes({195, 169})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeUtf8Pairs(c.in), c.out) << ToUtf8(c.in);
}

TEST(DecodeUtf8Pairs, LineOfLeadBytesOnly) {
    const ustring s(100000, char16_t(195));
    EXPECT_EQ(DecodeUtf8Pairs(s), s);
    ustring pairs;
    for (int i = 0; i < 200000; ++i)
        pairs += Bytes({195, 169});
    EXPECT_EQ(DecodeUtf8Pairs(pairs), ustring(200000, u'é'));
}

// --- ReplaceTypographicUtf8 ---

TEST(ReplaceTypographicUtf8, ReplacesEveryFormAndLeavesOtherOrIncompleteSequences) {
    const ustring s =
        Bytes({226, 128, 152, 226, 128, 153, 226, 128, 156, 226, 128, 157, 226, 128, 144, 226, 128,
               147, 226, 128, 148, 226, 148, 128, 226, 128, 166, 226, 128, 162, 226, 128, 134});
    EXPECT_EQ(ReplaceTypographicUtf8(s), u"''\"\"-- --  -- ... .  ... ");
    const ustring other = Bytes({226, 128, 'x', 226, 128, 154, 226, 128});
    EXPECT_EQ(ReplaceTypographicUtf8(other), other);
    ustring t = other;
    ReplaceTypographicUtf8InPlace(t);
    EXPECT_EQ(t, other);
}
