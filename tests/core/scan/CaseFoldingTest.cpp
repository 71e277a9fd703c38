#include "scan/CaseFolding.h"

#include "support/ScriptedHost.h"
#include "support/Yielder.h"

#include <gtest/gtest.h>

using namespace qd;

namespace {
std::string Lower(std::string_view utf8) {
    return ToUtf8(LowerCaseAccented(FromUtf8(utf8)));
}
std::string Fold(std::string_view utf8) {
    return ToUtf8(FoldAccents(FromUtf8(utf8)));
}
} // namespace

// --- Lower-casing with the accented capitals ---

TEST(LowerCaseAccented, lowersTheAccentedCapitalsToTheirOwnSmallLetters) {
    EXPECT_EQ(Lower("ÑANDÚ Ý"), "ñandú ý");
    EXPECT_EQ(Lower("ŠKODA"), "škoda");
    EXPECT_EQ(Lower("ŸÐÇØ"), "ÿðçø");
    EXPECT_EQ(Lower("ÀÁÂÃÄÅÈÉÊËÌÍÎÏÒÓÔÕÖÙÚÛÜ"), "àáâãäåèéêëìíîïòóôõöùúûü");
}

TEST(LowerCaseAccented, lowersOtherCapitalsByTheOrdinaryMapping) {
    EXPECT_EQ(Lower("ÆŒÞ ABC"), "æœþ abc");
    EXPECT_EQ(Lower("ΑΒΓ ДЖ"), "αβγ дж");
}

TEST(LowerCaseAccented, leavesSmallLettersSignsAndDigitsAlone) {
    EXPECT_EQ(Lower("ß×÷ 123 é -_'"), "ß×÷ 123 é -_'");
    EXPECT_EQ(Lower(""), "");
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

// --- Accent folding and the alphabetical key ---

TEST(FoldAccents, replacesUmlautsAndLigaturesByTwoLetters) {
    EXPECT_EQ(Fold("Müller"), "Mueller");
    EXPECT_EQ(Fold("Œuvre Ärger Æsir Öl Über äæöü straße"),
              "Oeuvre Aerger Aesir Oel Ueber aeaeoeue strasse");
}

TEST(FoldAccents, replacesOtherAccentedLettersByThePlainLetter) {
    EXPECT_EQ(Fold("façade"), "facade");
    EXPECT_EQ(Fold("ŠŸÑÐØÝ šÿñøý"), "SYNDOY synoy");
}

TEST(FoldAccents, keepsTheSmallEthAndLettersWithoutFold) {
    EXPECT_EQ(Fold("ð"), "ð");
    EXPECT_EQ(Fold("þÞœž"), "þÞœž");
}

TEST(SortKeyOf, isTheLowerCasedFold) {
    EXPECT_EQ(ToUtf8(SortKeyOf(u"Äpfel")), "aepfel");
    EXPECT_EQ(ToUtf8(SortKeyOf(u"Éclair")), "eclair");
    EXPECT_EQ(ToUtf8(SortKeyOf(u"ŒUVRE")), "oeuvre");
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
