#include "settings/Defaults.h"
#include "SettingsTestUtil.h"
#include "settings/SavedState.h"
#include "support/Folders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

using test::Unusual;

// The fields of the settings window that Restore defaults resets.
constexpr std::string_view kSettingsWindowFields =
    "CaseSignificant AllowWordsWithHyphens AllowWordsWithApostrophes AllowWordsWithUnderscores "
    "AllowWordsWithColons AllowWordsWithBackslashes AllowWordsWithForwardslashes "
    "AllowWordsWithPeriods AllowWordsWithAtSigns AllowWordsWithNumerals Only7bitASCII DropFinalS "
    "AllowCommentMarkers IgnoreRepetitions IgnoreRomNum40 IgnoreNoLetter IgnoreInfrequentWords "
    "ThresholdFrequency IgnoreShortWords ShortWordSize LongWordSize OutputWithCommas "
    "WarnOnOverwrite SaveStateOnQuit";

// --- Restore defaults: the settings window's flags and lists, nothing else ---

TEST(SetDefaultValues, ResetsOnlyTheSettingsWindowToTheRecordsInitialValues) {
    ScanSettings s;
    SetDefaultValues(s);
    EXPECT_EQ(s, ScanSettings{});
    s = Unusual();
    SetDefaultValues(s);
    // Untouched: the words to ignore, the common-words file and its flag, the marker texts
    // and everything on the main window.
    ScanSettings expected = Unusual();
    test::ResetFields(expected, kSettingsWindowFields);
    EXPECT_EQ(s, expected);
    EXPECT_NE(s.WordsToIgnore, u"");
    EXPECT_TRUE(s.IgnoreCommonWords);
}

// --- Reinitialise: the files and words emptied as well ---

TEST(Initialize, EmptiesTheFilesAndWordsAndRestoresDefaults) {
    ScanSettings s = Unusual();
    Initialize(s);
    ScanSettings expected = Unusual();
    test::ResetFields(expected, kSettingsWindowFields);
    // Left to the caller or to other commands: the common-words flag, the order and format,
    // the output switch, the source and the marker texts.
    test::ResetFields(expected, "InputFile OutputFile WordsToIgnore CommonWordsFile UTF8 "
                                "SuppressWords");
    EXPECT_EQ(s, expected);
}

// --- A first start: no state file restores, everything is reinitialised ---

TEST(FreshStart, WithoutAStateFileEverySettingIsItsDefault) {
    test::TempDir dir;
    ScanSettings s = Unusual();
    SelectListDefaults(s);
    s.Source = SourceKind::InFile;
    s.CommonWordsFile = DefaultCommonWordsFile(dir.path());
    EXPECT_EQ(s.CommonWordsFile, FromPath(dir.path() / "cwds_en.txt"));
    const ustring error = RestoreSavedState(s, StateFilePath(FromPath(dir.path()), u"QD"));
    ASSERT_FALSE(error.empty());
    Initialize(s);
    SelectListDefaults(s);

    EXPECT_TRUE(s.AllowWordsWithHyphens);
    for (bool allowed :
         {s.AllowWordsWithApostrophes, s.AllowWordsWithUnderscores, s.AllowWordsWithColons,
          s.AllowWordsWithBackslashes, s.AllowWordsWithForwardslashes, s.AllowWordsWithPeriods,
          s.AllowWordsWithAtSigns, s.AllowWordsWithNumerals, s.CaseSignificant,
          s.IgnoreInfrequentWords})
        EXPECT_FALSE(allowed);
    for (bool ignored :
         {s.IgnoreShortWords, s.IgnoreRepetitions, s.IgnoreRomNum40, s.IgnoreNoLetter})
        EXPECT_TRUE(ignored);
    EXPECT_EQ(s.shortWordSizeValue(), 3);
    EXPECT_EQ(s.thresholdFrequencyValue(), 2);
    EXPECT_EQ(s.longWordSizeValue(), 50);
    EXPECT_EQ(s.WordOrder, 0);
    EXPECT_EQ(s.DisplayFormat, 0);
    EXPECT_EQ(s.Source, SourceKind::InFile);
}

} // namespace
} // namespace qd
