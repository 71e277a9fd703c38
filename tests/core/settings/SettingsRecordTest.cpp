#include "SettingsTestUtil.h"
#include "count/WordsToIgnore.h"
#include "settings/Defaults.h"
#include "settings/SettingsFields.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

using test::Unusual;

// --- The table of fields: each name reaches only its own field ---

TEST(SettingFields, EachNameReachesOnlyItsOwnField) {
    for (const SettingField& f : AllSettingFields()) {
        SCOPED_TRACE(f.name);
        Settings s;
        const ustring name = FromUtf8(f.name);
        const ustring before = GetSetting(s, name).value;
        const ustring other = test::OtherValue(s, f);
        ASSERT_EQ(SetSetting(s, name, other), u"");
        EXPECT_EQ(GetSetting(s, name).value, other);
        EXPECT_NE(s, Settings{});
        ASSERT_EQ(SetSetting(s, name, before), u"");
        EXPECT_EQ(s, Settings{}) << "another field was touched";
    }
}

// The fields of the settings window that Restore defaults resets.
constexpr std::string_view kSettingsWindowFields =
    "CaseSignificant AllowWordsWithHyphens AllowWordsWithApostrophes AllowWordsWithUnderscores "
    "AllowWordsWithColons AllowWordsWithBackslashes AllowWordsWithForwardslashes "
    "AllowWordsWithPeriods AllowWordsWithAtSigns AllowWordsWithNumerals Only7bitASCII DropFinalS "
    "AllowCommentMarkers IgnoreRepetitions IgnoreRomNum40 IgnoreNoLetter IgnoreInfrequentWords "
    "ThresholdFrequency IgnoreShortWords ShortWordSize LongWordSize OutputWithCommas "
    "OutputEncoding WarnOnOverwrite SaveStateOnQuit ShowFilesColumn";

// --- Restore defaults resets the settings window alone; reinitialise empties files too ---

TEST(SetDefaultValues, ResetsOnlyTheSettingsWindowToTheRecordsInitialValues) {
    Settings s = Unusual();
    SetDefaultValues(s);
    Settings expected = Unusual();
    test::ResetFields(expected, kSettingsWindowFields);
    EXPECT_EQ(s, expected);
}

TEST(Initialize, EmptiesTheFilesAndWordsAndRestoresDefaults) {
    Settings s = Unusual();
    Initialize(s);
    Settings expected = Unusual();
    test::ResetFields(expected, kSettingsWindowFields);
    test::ResetFields(expected, "InputFile OutputFile WordsToIgnore CommonWordsFile UTF8 "
                                "SuppressWords");
    EXPECT_EQ(s, expected);
}

// --- Normal form: sorted distinct words, lowered, in code-unit order ---

TEST(WordsToIgnore, NormalFormIsSortedDistinctLoweredWordsInCodeUnitOrder) {
    const std::pair<ustring_view, ustring_view> cases[] = {
        {u"  the,or  and,, the   ", u"and or the"},
        {u"ŠKODA École ÑANDÚ", u"école ñandú škoda"},
        // Hyphen (45) and digit one (49) come before the letter b; accented letters come last.
        {u"é b ab a1 a-b", u"a-b a1 ab b é"},
        {u" , ,, ", u""},
    };
    for (const auto& [text, normal] : cases)
        EXPECT_EQ(NormalizedWordsToIgnore(text), normal) << ToUtf8(text);
}

} // namespace
} // namespace qd
