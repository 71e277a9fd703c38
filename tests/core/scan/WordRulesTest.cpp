#include "scan/WordRules.h"

#include "ScanTestUtil.h"

#include <gtest/gtest.h>

using namespace qd;
using namespace qd::test;

namespace {
// A word of n letters that is no repetition.
ustring LettersWord(size_t n) {
    ustring w;
    for (size_t i = 0; i < n; ++i)
        w.push_back(char16_t(u'a' + i % 26));
    return w;
}

template <typename Predicate>
void ExpectEach(Predicate p, std::initializer_list<ustring_view> yes,
                std::initializer_list<ustring_view> no) {
    for (const ustring_view w : yes)
        EXPECT_TRUE(p(w)) << ToUtf8(w);
    for (const ustring_view w : no)
        EXPECT_FALSE(p(w)) << ToUtf8(w);
}
} // namespace

// --- The word tests one by one ---

TEST(ApplyDropFinalS, dropsOnlyAPlainFinalS) {
    EXPECT_EQ(ApplyDropFinalS(u"cats"), u"cat");
    EXPECT_EQ(ApplyDropFinalS(u"days"), u"day"); // y is no vowel
    EXPECT_EQ(ApplyDropFinalS(u"AEs"), u"AE");   // only lower-case vowels protect
    // Double s, apostrophe s, vowel before s, the exceptions in any case, capital S, short words.
    for (const ustring_view w :
         {u"glass", u"bus", u"it's", u"yes", u"gas", u"cafés", u"naïs", u"physics", u"STATICS",
          u"maths", u"stats", u"Dickens", u"always", u"PERHAPS", u"CATS", u"is", u"s", u""})
        EXPECT_EQ(ApplyDropFinalS(w), w) << ToUtf8(w);
}

TEST(IsVowel, lowerListCountsOnlyLowerCaseVowels) {
    ExpectEach([](ustring_view s) { return IsVowel(s, true); }, {u"e", u"æx", u"ø"},
               {u"E", u"y", u"ý", u"ç", u"b", u""});
    EXPECT_TRUE(IsVowel(u"E", false));
}

TEST(IsContractionStem, stemsAndEveryEndingOfOne) {
    ExpectEach(IsContractionStem,
               {u"didn", u"couldn", u"SHOULDN", u"aren", u"n", u"dn", u"sn", u"en", u"ren", u""},
               {u"could", u"didnt", u"shouldnn", u"xdidn", u"don"});
}

TEST(HasNoLetter, usesTheAlphabetSetByExactCharacter) {
    ExpectEach(HasNoLetter, {u"", u"123-_", u"ž", u"×÷ª"}, {u"š", u"9Œ"});
}

TEST(IsRepetition, oneCharacterRepeatedAfterTrimmingSpaces) {
    ExpectEach(IsRepetition, {u"aaa", u"  éé ", u"x"}, {u"aab", u"a a", u"   ", u""});
}

TEST(IsInWordsToIgnore, matchesWholeWordsBetweenSpaces) {
    ExpectEach([](ustring_view w) { return IsInWordsToIgnore(u" the cat ", w); }, {u"the", u"cat"},
               {u"he", u"cats"});
    EXPECT_FALSE(IsInWordsToIgnore(u"", u"the"));
}

TEST(IsCommonWord, searchesTheSortedList) {
    const std::vector<ustring> common = {u"and", u"der", u"the", u"été"};
    ExpectEach([&](ustring_view w) { return IsCommonWord(common, w); }, {u"and", u"été"}, {u"cat"});
    EXPECT_FALSE(IsCommonWord({}, u"and"));
}

TEST(IgnoreRules, longWordLimitIsTheListValueAndAnExcludedWordIsEmptied) {
    ScanSettings s;
    s.LongWordSize = 0;
    EXPECT_TRUE(IsExcludedByIgnoreRules(s, LettersWord(16)));
    EXPECT_FALSE(IsExcludedByIgnoreRules(s, LettersWord(15)));
    s.LongWordSize = 15;
    EXPECT_FALSE(IsExcludedByIgnoreRules(s, LettersWord(90)));
    EXPECT_TRUE(IsExcludedByIgnoreRules(s, LettersWord(91)));
    ScanSettings defaults;
    ustring w = u"ab";
    ApplyIgnoreRules(defaults, w);
    EXPECT_EQ(w, u"");
    w = u"abc";
    ApplyIgnoreRules(defaults, w);
    EXPECT_EQ(w, u"abc");
}

// --- The rules applied while scanning: settings, line, words stored, occurrences ---

TEST(WordRules, scanningAppliesTheRulesOfTheSettings) {
    CheckScans({
        // A discarded contraction fragment is no occurrence.
        {"IgnoreShortWords=0 IgnoreNoLetter=0 IgnoreRepetitions=0",
         "don't didn't it's en T",
         {"don", "it"},
         2},
        {"AllowWordsWithApostrophes=1", "didn't en", {"didn't"}},            // "en" is short
        {"DropFinalS=1", "cats glass physics", {"cat", "glass", "physics"}}, // before contractions
        {"ShortWordSize=0", "a an ant", {"an", "ant"}, 3},
        {"AllowWordsWithNumerals=1 ShortWordSize=0", "2024 a1 1st", {"1st", "a1"}, 3},
        // Repetitions of a letter are ignored, of a digit not.
        {"AllowWordsWithNumerals=1 IgnoreNoLetter=0 CaseSignificant=1",
         "aaa ZZZ éé 000 1111 aab",
         {"000", "1111", "aab"}},
        {"IgnoreNoLetter=0", "x ---- y", {}},
        {"IgnoreCommonWords=1", "the cat", {"cat", "the"}}, // an empty list drops nothing
        {"Only7bitASCII=1", "café cafe", {"cafe"}, 2},
    });
}

TEST_F(ScanTest, longWordLimitAppliesWhateverTheShortWordSetting) {
    Set("IgnoreShortWords=0");
    Scan(LettersWord(51) + u" " + LettersWord(50));
    EXPECT_EQ(Words(), Strings{ToUtf8(LettersWord(50))});
    EXPECT_EQ(run.lngTotalNumOccurrences, 2);
}

TEST_F(ScanTest, wordsToIgnoreAreMatchedLowerCased) {
    Set("CaseSignificant=1");
    run.strWordsToIgnore = u" the été ";
    Scan("The THE été ÉTÉ cat Cat");
    EXPECT_EQ(Words(), (Strings{"Cat", "cat"}));
    EXPECT_EQ(run.lngTotalNumOccurrences, 6); // dropped words stay counted here
}

TEST_F(ScanTest, commonWordsAreDroppedOnlyWhenTheSettingIsOn) {
    run.CommonWords = {u"and", u"the"};
    Scan("the cat and the dog");
    EXPECT_EQ(Count("the"), 2);
    run.table.clear();
    Set("IgnoreCommonWords=1");
    Scan("the cat and the dog");
    EXPECT_EQ(Words(), (Strings{"cat", "dog"}));
}
