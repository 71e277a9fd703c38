#include "settings/WordsToIgnore.h"

#include "RunState.h"
#include "scan/ScanSettings.h"
#include "support/ScriptedHost.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

// --- Normal form -------------------------------------------------------------------------

TEST(WordsToIgnoreNormalForm, CommasRunsOfSpacesAndRepeatsGiveSortedDistinctWords) {
    EXPECT_EQ(u"and or the", NormalizedWordsToIgnore(u"  the,or  and,, the   "));
}

TEST(WordsToIgnoreNormalForm, AccentedCapitalsAreLowered) {
    EXPECT_EQ(u"école ñandú škoda", NormalizedWordsToIgnore(u"ŠKODA École ÑANDÚ"));
}

TEST(WordsToIgnoreNormalForm, OrderIsByCodeUnitsNotByLocale) {
    // Hyphen (45) and digit one (49) come before the letter b; accented letters come last.
    EXPECT_EQ(u"a-b a1 ab b é", NormalizedWordsToIgnore(u"é b ab a1 a-b"));
}

TEST(WordsToIgnoreNormalForm, BlankTextIsEmpty) {
    EXPECT_EQ(u"", NormalizedWordsToIgnore(u""));
    EXPECT_EQ(u"", NormalizedWordsToIgnore(u"   "));
    EXPECT_EQ(u"", NormalizedWordsToIgnore(u" , ,, "));
}

TEST(WordsToIgnoreNormalForm, SingleWordIsKept) {
    EXPECT_EQ(u"word", NormalizedWordsToIgnore(u"Word"));
}

// --- Allowed characters ------------------------------------------------------------------

TEST(WordsToIgnoreCharacters, LettersSpacesAndAllowedExtrasPass) {
    EXPECT_EQ(std::nullopt, FirstCharacterNotAllowed(u"straße œuvre ÿ", u""));
    EXPECT_EQ(std::nullopt, FirstCharacterNotAllowed(u"e-mail", u"-"));
}

TEST(WordsToIgnoreCharacters, FirstOffenderIsReported) {
    EXPECT_EQ(u'-', FirstCharacterNotAllowed(u"e-mail x+y", u""));
    EXPECT_EQ(u'+', FirstCharacterNotAllowed(u"e-mail x+y", u"-"));
    EXPECT_EQ(u'1', FirstCharacterNotAllowed(u"abc1", u"-"));
    // Letters outside the program's alphabet do not pass.
    EXPECT_EQ(u'ł', FirstCharacterNotAllowed(u"łódź", u""));
}

TEST(WordsToIgnoreCharacters, MessageSaysCurrentlySetOnlyForCharsASettingCanAdmit) {
    EXPECT_EQ(u"The character - occurs in some word to ignore\r\n"
              u"but is not currently set as a character allowed in a word.",
              CharacterNotAllowedMessage(u'-'));
    EXPECT_EQ(u"The character + occurs in some word to ignore\r\n"
              u"but is not a character allowed in a word.",
              CharacterNotAllowedMessage(u'+'));
}

TEST(WordsToIgnoreCharacters, CommaMessageExplainsTheSeparator) {
    EXPECT_EQ(u"The character , occurs in some word to ignore\r\n"
              u"but is not currently set as a character allowed in a word.\r\n\r\n"
              u"Words-to-ignore must be separated by a space, not by a comma.",
              CharacterNotAllowedMessage(u','));
}

// --- The box and the check as the windows use them ---------------------------------------

class WordsToIgnoreBox : public ::testing::Test {
protected:
    WordsToIgnoreBox() { state.blnStartUpCompleted = true; }
    test::ScriptedHost host;
    RunState state{host};
};

TEST_F(WordsToIgnoreBox, LostFocusNormalisesAndPublishesWithOuterSpaces) {
    state.settings.WordsToIgnore = u"The, a  the";
    txbWordsToIgnore_LostFocus(state);
    EXPECT_EQ(u"a the", state.settings.WordsToIgnore);
    EXPECT_EQ(u" a the ", state.strWordsToIgnore);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(WordsToIgnoreBox, LostFocusOnBlankBoxEmptiesTheList) {
    state.strWordsToIgnore = u" old ";
    state.settings.WordsToIgnore = u"   ";
    txbWordsToIgnore_LostFocus(state);
    EXPECT_EQ(u"", state.settings.WordsToIgnore);
    EXPECT_EQ(u"", state.strWordsToIgnore);
}

TEST_F(WordsToIgnoreBox, HyphenWhileHyphensAreDisallowedWarns) {
    state.settings.AllowWordsWithHyphens = false;
    state.settings.WordsToIgnore = u"e-mail";
    EXPECT_FALSE(CheckAllowedExtraChars(state));
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ(u"Character not allowed", host.messages[0].title);
    EXPECT_EQ(MsgIcon::Exclamation, host.messages[0].icon);
    EXPECT_NE(ustring::npos, host.messages[0].text.find(u"currently set as "));
}

TEST_F(WordsToIgnoreBox, WarningDoesNotRemoveTheCharacter) {
    state.settings.AllowWordsWithHyphens = false;
    state.settings.WordsToIgnore = u"e-mail";
    txbWordsToIgnore_LostFocus(state);
    EXPECT_EQ(u"e-mail", state.settings.WordsToIgnore);
    EXPECT_EQ(1u, host.messages.size());
}

TEST_F(WordsToIgnoreBox, CheckRebuildsTheExtraCharacters) {
    state.settings.AllowWordsWithAtSigns = true;
    state.settings.WordsToIgnore = u"me@home";
    EXPECT_TRUE(CheckAllowedExtraChars(state));
    EXPECT_EQ(u"-@", state.CurrentExtraChars);
}

TEST_F(WordsToIgnoreBox, CheckIsSilentBeforeStartUpWhileMutedAndDuringBulkChanges) {
    state.settings.WordsToIgnore = u"x+y";
    state.blnStartUpCompleted = false;
    EXPECT_TRUE(CheckAllowedExtraChars(state));
    state.blnStartUpCompleted = true;
    state.HandlersMuted = true;
    EXPECT_TRUE(CheckAllowedExtraChars(state));
    state.HandlersMuted = false;
    state.BulkCheckboxChange = true;
    EXPECT_TRUE(CheckAllowedExtraChars(state));
    EXPECT_TRUE(host.messages.empty());
    state.BulkCheckboxChange = false;
    EXPECT_FALSE(CheckAllowedExtraChars(state));
}

} // namespace
} // namespace qd
