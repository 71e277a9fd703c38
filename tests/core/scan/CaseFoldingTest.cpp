#include "scan/CaseFolding.h"

#include "support/ScriptedHost.h"
#include "support/Yielder.h"

#include <gtest/gtest.h>

using namespace qd;

using Pairs = std::initializer_list<std::pair<std::string_view, std::string_view>>;

// --- Lower-casing: accented capitals to their own small letters, others by the usual mapping ---

TEST(LowerCaseAccented, lowersCapitalsAndLeavesEverythingElse) {
    for (const auto& [in, out] : Pairs{
             {"ÑANDÚ Ý", "ñandú ý"},
             {"ŠKODA", "škoda"},
             {"ŸÐÇØ", "ÿðçø"},
             {"ÀÁÂÃÄÅÈÉÊËÌÍÎÏÒÓÔÕÖÙÚÛÜ", "àáâãäåèéêëìíîïòóôõöùúûü"},
             {"ÆŒÞ ABC", "æœþ abc"},
             {"ΑΒΓ ДЖ", "αβγ дж"},
             {"ß×÷ 123 é -_'", "ß×÷ 123 é -_'"},
             {"", ""},
         })
        EXPECT_EQ(ToUtf8(LowerCaseAccented(FromUtf8(in))), out);
}

TEST(LowerCaseAccented, yieldsOnceAfterEachAccentedCapital) {
    test::ScriptedHost host;
    Yielder yield;
    yield.attach(&host);
    yield.setEveryCall(true);
    ustring s = FromUtf8("ÀbÉ Æ Œ ñ");
    LowerCaseAccentedInPlace(s, &yield);
    EXPECT_EQ(ToUtf8(s), "àbé æ œ ñ");
    EXPECT_EQ(host.processEventsCalls, 2); // Æ and Œ are not among the accented capitals
}

TEST(LowerCaseAccented, longLinesMixingAsciiAndOtherCharactersLowerEveryCharacter) {
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
}

// --- Accent folding (umlauts and ligatures to two letters) and the alphabetical key ---

TEST(FoldAccents, foldsToPlainLettersAndKeepsTheRest) {
    for (const auto& [in, out] : Pairs{
             {"Müller", "Mueller"},
             {"Œuvre Ärger Æsir Öl Über äæöü straße",
              "Oeuvre Aerger Aesir Oel Ueber aeaeoeue strasse"},
             {"façade", "facade"},
             {"ŠŸÑÐØÝ šÿñøý", "SYNDOY synoy"},
             {"ð", "ð"}, // the small eth has no fold
             {"þÞœž", "þÞœž"},
         })
        EXPECT_EQ(ToUtf8(FoldAccents(FromUtf8(in))), out);
    EXPECT_EQ(ToUtf8(SortKeyOf(u"Äpfel")), "aepfel");
    EXPECT_EQ(ToUtf8(SortKeyOf(u"Éclair")), "eclair");
    EXPECT_EQ(ToUtf8(SortKeyOf(u"ŒUVRE")), "oeuvre");
}
