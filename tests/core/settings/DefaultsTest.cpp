#include "settings/Defaults.h"
#include "settings/SavedState.h"
#include "support/Folders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

// Every field away from its default.
ScanSettings Changed() {
    ScanSettings s;
    s.CaseSignificant = true;
    s.AllowWordsWithHyphens = false;
    s.AllowWordsWithApostrophes = s.AllowWordsWithUnderscores = s.AllowWordsWithColons = true;
    s.AllowWordsWithBackslashes = s.AllowWordsWithForwardslashes = true;
    s.AllowWordsWithPeriods = s.AllowWordsWithAtSigns = s.AllowWordsWithNumerals = true;
    s.Only7bitASCII = s.DropFinalS = s.AllowCommentMarkers = true;
    s.StartComment = {u"{", u"(*"};
    s.EndComment = {u"}", u"*)"};
    s.IgnoreCommonWords = true;
    s.CommonWordsFile = u"/opt/qd/cwds_de.txt";
    s.WordsToIgnore = u"der die das";
    s.IgnoreRepetitions = s.IgnoreRomNum40 = s.IgnoreNoLetter = false;
    s.IgnoreInfrequentWords = true;
    s.ThresholdFrequency = 5;
    s.IgnoreShortWords = false;
    s.ShortWordSize = 9;
    s.LongWordSize = 2;
    s.OutputWithCommas = s.WarnOnOverwrite = s.SaveStateOnQuit = true;
    s.Source = SourceKind::OnClipboard;
    s.InputFile = u"/tmp/in.txt";
    s.OutputFile = u"/tmp/out.txt";
    s.UTF8 = s.SuppressWords = s.DisableOutputToFile = true;
    s.WordOrder = 1;
    s.DisplayFormat = 6;
    return s;
}

// Restore defaults.
TEST(SetDefaultValues, AgreesWithTheRecordsInitialValues) {
    ScanSettings s;
    SetDefaultValues(s);
    EXPECT_EQ(s, ScanSettings{});
}

TEST(SetDefaultValues, KeepsWordsToIgnoreAndTheCommonWordsFile) {
    ScanSettings s = Changed();
    SetDefaultValues(s);
    // Untouched: the words to ignore, the common-words file and its flag, the marker texts
    // and everything on the main window.
    ScanSettings expected = Changed();
    // Reset: every settings-window flag and list.
    ScanSettings defaults;
    expected.CaseSignificant = defaults.CaseSignificant;
    expected.AllowWordsWithHyphens = defaults.AllowWordsWithHyphens;
    expected.AllowWordsWithApostrophes = expected.AllowWordsWithUnderscores = false;
    expected.AllowWordsWithColons = expected.AllowWordsWithBackslashes = false;
    expected.AllowWordsWithForwardslashes = expected.AllowWordsWithPeriods = false;
    expected.AllowWordsWithAtSigns = expected.AllowWordsWithNumerals = false;
    expected.Only7bitASCII = expected.DropFinalS = expected.AllowCommentMarkers = false;
    expected.IgnoreRepetitions = expected.IgnoreRomNum40 = expected.IgnoreNoLetter = true;
    expected.IgnoreInfrequentWords = false;
    expected.ThresholdFrequency = 0;
    expected.IgnoreShortWords = true;
    expected.ShortWordSize = 1;
    expected.LongWordSize = 7;
    expected.OutputWithCommas = expected.WarnOnOverwrite = expected.SaveStateOnQuit = false;
    EXPECT_EQ(s, expected);
    EXPECT_EQ(s.WordsToIgnore, u"der die das");
    EXPECT_TRUE(s.IgnoreCommonWords);
    EXPECT_EQ(s.CommonWordsFile, u"/opt/qd/cwds_de.txt");
}

// Reinitialise.
TEST(Initialize, EmptiesTheFilesAndWordsAndRestoresDefaults) {
    ScanSettings s = Changed();
    Initialize(s);
    EXPECT_EQ(s.InputFile, u"");
    EXPECT_EQ(s.OutputFile, u"");
    EXPECT_EQ(s.WordsToIgnore, u"");
    EXPECT_EQ(s.CommonWordsFile, u"");
    EXPECT_FALSE(s.UTF8);
    EXPECT_FALSE(s.SuppressWords);
    EXPECT_FALSE(s.CaseSignificant);
    EXPECT_EQ(s.ShortWordSize, 1);
    // Left to the caller or to other commands.
    EXPECT_TRUE(s.IgnoreCommonWords);
    EXPECT_EQ(s.WordOrder, 1);
    EXPECT_EQ(s.DisplayFormat, 6);
    EXPECT_TRUE(s.DisableOutputToFile);
    EXPECT_EQ(s.Source, SourceKind::OnClipboard);
    EXPECT_EQ(s.StartComment[0], u"{");
}

// A first start: the lists are filled, no state file restores, everything is reinitialised.
TEST(FreshStart, WithoutAStateFileEverySettingIsItsDefault) {
    test::TempDir dir;
    ScanSettings s = Changed();
    SelectListDefaults(s);
    s.Source = SourceKind::InFile;
    s.CommonWordsFile = DefaultCommonWordsFile(dir.path());
    const ustring error = RestoreSavedState(s, StateFilePath(FromPath(dir.path()), u"QD"));
    ASSERT_FALSE(error.empty());
    Initialize(s);
    SelectListDefaults(s);

    EXPECT_TRUE(s.AllowWordsWithHyphens);
    for (bool allowed :
         {s.AllowWordsWithApostrophes, s.AllowWordsWithUnderscores, s.AllowWordsWithColons,
          s.AllowWordsWithBackslashes, s.AllowWordsWithForwardslashes, s.AllowWordsWithPeriods,
          s.AllowWordsWithAtSigns, s.AllowWordsWithNumerals})
        EXPECT_FALSE(allowed);
    EXPECT_FALSE(s.CaseSignificant);
    EXPECT_TRUE(s.IgnoreShortWords);
    EXPECT_EQ(s.shortWordSizeValue(), 3);
    EXPECT_TRUE(s.IgnoreRepetitions);
    EXPECT_TRUE(s.IgnoreRomNum40);
    EXPECT_TRUE(s.IgnoreNoLetter);
    EXPECT_FALSE(s.IgnoreInfrequentWords);
    EXPECT_EQ(s.thresholdFrequencyValue(), 2);
    EXPECT_EQ(s.longWordSizeValue(), 50);
    EXPECT_EQ(s.WordOrder, 0);
    EXPECT_EQ(s.DisplayFormat, 0);
    EXPECT_EQ(s.Source, SourceKind::InFile);
}

TEST(DefaultCommonWordsFile, EnglishFileInTheProgramFolder) {
    EXPECT_EQ(DefaultCommonWordsFile("/opt/qd"), u"/opt/qd/cwds_en.txt");
}

} // namespace
} // namespace qd
