#include "scan/WordRules.h"

#include "ScanTestUtil.h"

#include <gtest/gtest.h>

using namespace qd;
using qd::test::CountOf;
using qd::test::ScanTest;

using Strings = std::vector<std::string>;

// --- Dropping a final "s" ---

TEST(ApplyDropFinalS, dropsAPlainFinalS) {
    EXPECT_EQ(ApplyDropFinalS(u"cats"), u"cat");
    EXPECT_EQ(ApplyDropFinalS(u"days"), u"day"); // y is no vowel
    EXPECT_EQ(ApplyDropFinalS(u"AEs"), u"AE");   // only lower-case vowels protect
}

TEST(ApplyDropFinalS, keepsDoubleSApostropheSAndVowelBeforeS) {
    for (const ustring_view w : {u"glass", u"bus", u"it's", u"yes", u"gas", u"cafés", u"naïs"})
        EXPECT_EQ(ApplyDropFinalS(w), w);
}

TEST(ApplyDropFinalS, keepsTheExceptionsInAnyCase) {
    for (const ustring_view w :
         {u"physics", u"STATICS", u"maths", u"stats", u"Dickens", u"always", u"PERHAPS"})
        EXPECT_EQ(ApplyDropFinalS(w), w);
}

TEST(ApplyDropFinalS, keepsCapitalSAndShortWords) {
    for (const ustring_view w : {u"CATS", u"is", u"s", u""})
        EXPECT_EQ(ApplyDropFinalS(w), w);
}

TEST(IsVowel, lowerListCountsOnlyLowerCaseVowels) {
    EXPECT_TRUE(IsVowel(u"e", true));
    EXPECT_TRUE(IsVowel(u"æx", true));
    EXPECT_TRUE(IsVowel(u"ø", true));
    EXPECT_FALSE(IsVowel(u"E", true));
    EXPECT_TRUE(IsVowel(u"E", false));
    for (const ustring_view s : {u"y", u"ý", u"ç", u"b", u""})
        EXPECT_FALSE(IsVowel(s, true)) << ToUtf8(s);
}

// --- Contraction fragments ---

TEST(IsContractionStem, stemsAndEveryEndingOfOne) {
    for (const ustring_view w :
         {u"didn", u"couldn", u"SHOULDN", u"aren", u"n", u"dn", u"sn", u"en", u"ren", u""})
        EXPECT_TRUE(IsContractionStem(w)) << ToUtf8(w);
    for (const ustring_view w : {u"could", u"didnt", u"shouldnn", u"xdidn", u"don"})
        EXPECT_FALSE(IsContractionStem(w)) << ToUtf8(w);
}

TEST_F(ScanTest, contractionFragmentsAreDiscardedWithoutApostrophes) {
    CountEveryWord();
    Scan("don't didn't it's en T");
    EXPECT_EQ(Words(), (Strings{"don", "it"}));
    EXPECT_EQ(run.lngTotalNumOccurrences, 2); // a discarded fragment is no occurrence
}

TEST_F(ScanTest, contractionsStayWholeWithApostrophes) {
    run.settings.AllowWordsWithApostrophes = true;
    Rebuild();
    Scan("didn't en");
    EXPECT_EQ(Words(), Strings{"didn't"}); // "en" is short
}

TEST_F(ScanTest, dropFinalSActsBeforeTheContractionRule) {
    run.settings.DropFinalS = true;
    Scan("cats glass physics");
    EXPECT_EQ(Words(), (Strings{"cat", "glass", "physics"}));
}

// --- Short, long, letterless and repeated words ---

TEST_F(ScanTest, shortWordSizeTwoIgnoresOnlyOneLetterWords) {
    run.settings.ShortWordSize = 0;
    Scan("a an ant");
    EXPECT_EQ(Words(), (Strings{"an", "ant"}));
    EXPECT_EQ(run.lngTotalNumOccurrences, 3);
}

namespace {
// A word of n letters that is no repetition.
ustring LettersWord(size_t n) {
    ustring w;
    for (size_t i = 0; i < n; ++i)
        w.push_back(char16_t(u'a' + i % 26));
    return w;
}
} // namespace

TEST_F(ScanTest, longWordLimitAppliesWhateverTheShortWordSetting) {
    run.settings.IgnoreShortWords = false;
    Scan(LettersWord(51) + u" " + LettersWord(50));
    EXPECT_EQ(Words(), Strings{ToUtf8(LettersWord(50))});
    EXPECT_EQ(run.lngTotalNumOccurrences, 2);
}

TEST(IgnoreRules, longWordLimitIsTheListValue) {
    ScanSettings s;
    s.LongWordSize = 0;
    EXPECT_TRUE(IsExcludedByIgnoreRules(s, LettersWord(16)));
    EXPECT_FALSE(IsExcludedByIgnoreRules(s, LettersWord(15)));
    s.LongWordSize = 15;
    EXPECT_FALSE(IsExcludedByIgnoreRules(s, LettersWord(90)));
    EXPECT_TRUE(IsExcludedByIgnoreRules(s, LettersWord(91)));
}

TEST_F(ScanTest, numbersAreIgnoredAsLetterless) {
    run.settings.AllowWordsWithNumerals = true;
    run.settings.ShortWordSize = 0;
    Rebuild();
    Scan("2024 a1 1st");
    EXPECT_EQ(Words(), (Strings{"1st", "a1"}));
    EXPECT_EQ(run.lngTotalNumOccurrences, 3);
}

TEST(HasNoLetter, usesTheAlphabetSetByExactCharacter) {
    EXPECT_TRUE(HasNoLetter(u""));
    EXPECT_TRUE(HasNoLetter(u"123-_"));
    EXPECT_FALSE(HasNoLetter(u"š"));
    EXPECT_TRUE(HasNoLetter(u"ž"));
    EXPECT_FALSE(HasNoLetter(u"9Œ"));
    EXPECT_TRUE(HasNoLetter(u"×÷ª"));
}

TEST(IsRepetition, oneCharacterRepeatedAfterTrimmingSpaces) {
    EXPECT_TRUE(IsRepetition(u"aaa"));
    EXPECT_TRUE(IsRepetition(u"  éé "));
    EXPECT_TRUE(IsRepetition(u"x"));
    EXPECT_FALSE(IsRepetition(u"aab"));
    EXPECT_FALSE(IsRepetition(u"a a"));
    EXPECT_FALSE(IsRepetition(u"   "));
    EXPECT_FALSE(IsRepetition(u""));
}

TEST_F(ScanTest, repetitionsOfALetterAreIgnoredButNotOfADigit) {
    run.settings.AllowWordsWithNumerals = true;
    run.settings.IgnoreNoLetter = false;
    run.settings.CaseSignificant = true;
    Rebuild();
    Scan("aaa ZZZ éé 000 1111 aab");
    EXPECT_EQ(Words(), (Strings{"000", "1111", "aab"}));
}

TEST_F(ScanTest, repetitionOfAHyphenIsIgnored) {
    run.settings.IgnoreNoLetter = false;
    Scan("x ---- y");
    EXPECT_EQ(Words(), Strings{});
}

TEST(ApplyIgnoreRules, emptiesAnExcludedWord) {
    ScanSettings s;
    ustring w = u"ab";
    ApplyIgnoreRules(s, w);
    EXPECT_EQ(w, u"");
    w = u"abc";
    ApplyIgnoreRules(s, w);
    EXPECT_EQ(w, u"abc");
}

// --- Words to ignore and common words ---

TEST(IsInWordsToIgnore, matchesWholeWordsBetweenSpaces) {
    EXPECT_TRUE(IsInWordsToIgnore(u" the cat ", u"the"));
    EXPECT_TRUE(IsInWordsToIgnore(u" the cat ", u"cat"));
    EXPECT_FALSE(IsInWordsToIgnore(u" the cat ", u"he"));
    EXPECT_FALSE(IsInWordsToIgnore(u" the cat ", u"cats"));
    EXPECT_FALSE(IsInWordsToIgnore(u"", u"the"));
}

TEST_F(ScanTest, wordsToIgnoreAreMatchedLowerCased) {
    run.settings.CaseSignificant = true;
    run.strWordsToIgnore = u" the été ";
    Scan("The THE été ÉTÉ cat Cat");
    EXPECT_EQ(Words(), (Strings{"Cat", "cat"}));
    EXPECT_EQ(run.lngTotalNumOccurrences, 6); // dropped words stay counted here
}

TEST_F(ScanTest, commonWordsAreDroppedOnlyWhenTheSettingIsOn) {
    run.CommonWords = {u"and", u"the"};
    Scan("the cat and the dog");
    EXPECT_EQ(CountOf(run, "the"), 2);
    run.table.clear();
    run.settings.IgnoreCommonWords = true;
    Scan("the cat and the dog");
    EXPECT_EQ(Words(), (Strings{"cat", "dog"}));
}

TEST_F(ScanTest, emptyCommonWordsListDropsNothing) {
    run.settings.IgnoreCommonWords = true;
    Scan("the cat");
    EXPECT_EQ(Words(), (Strings{"cat", "the"}));
}

TEST(IsCommonWord, searchesTheSortedList) {
    const std::vector<ustring> common = {u"and", u"der", u"the", u"été"};
    EXPECT_TRUE(IsCommonWord(common, u"and"));
    EXPECT_TRUE(IsCommonWord(common, u"été"));
    EXPECT_FALSE(IsCommonWord(common, u"cat"));
    EXPECT_FALSE(IsCommonWord({}, u"and"));
}

TEST_F(ScanTest, only7bitDropsWordsWithHighCharacters) {
    run.settings.Only7bitASCII = true;
    Scan("café cafe");
    EXPECT_EQ(Words(), Strings{"cafe"});
    EXPECT_EQ(run.lngTotalNumOccurrences, 2);
}
