#include "scan/CaseFolding.h"

#include "support/UString.h"

#include <gtest/gtest.h>

using namespace qd;

// --- Lower-casing: accented capitals to their own small letters, others by the usual mapping ---

TEST(LowerCaseAccented, LongLinesMixingAsciiAndOtherCharactersLowerEveryCharacter) {
    // Lines are lowered in blocks while they are ASCII; every block boundary must hold.
    const ustring pieces[] = {u"ABCDEFGH", u"@[`{", u"Z", u"a", u"É", u"Ÿ", u"ŠKODA ", u"Ω", u"x"};
    uint32_t seed = 7;
    for (int round = 0; round < 500; ++round) {
        ustring s;
        for (int k = 0; k < 12; ++k) {
            seed = seed * 1103515245u + 12345u;
            s += pieces[(seed >> 16) % std::size(pieces)];
        }
        ustring expected;
        for (const char16_t c : s)
            expected.push_back(LowerChar(c));
        ASSERT_EQ(LowerCaseAccented(s), expected) << ToUtf8(s);
    }
    EXPECT_EQ(ToUtf8(LowerCaseAccented(u"ÑANDÚ ŸÐÇØ ÆŒÞ ß×÷")), "ñandú ÿðçø æœþ ß×÷");
}
