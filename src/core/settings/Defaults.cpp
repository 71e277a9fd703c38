#include "settings/Defaults.h"

#include "text/Folders.h"

namespace qd {

void SetDefaultValues(Settings& s) {
    s.words.CaseSignificant = false;
    s.ignore.IgnoreShortWords = true;
    s.ignore.IgnoreInfrequentWords = false;
    s.ignore.IgnoreRepetitions = true;
    s.ignore.IgnoreRomNum40 = true;
    s.ignore.IgnoreNoLetter = true;
    s.words.AllowWordsWithHyphens = true;
    s.words.AllowWordsWithApostrophes = false;
    s.words.AllowWordsWithUnderscores = false;
    s.words.AllowWordsWithColons = false;
    s.words.AllowWordsWithBackslashes = false;
    s.words.AllowWordsWithForwardslashes = false;
    s.words.AllowWordsWithPeriods = false;
    s.words.AllowWordsWithAtSigns = false;
    s.words.AllowWordsWithNumerals = false;
    s.words.DropFinalS = false;
    s.output.OutputWithCommas = false;
    s.output.OutputEncoding = FileEncoding::Windows1252;
    s.output.ShowFilesColumn = false;
    s.comments.AllowCommentMarkers = false;
    s.output.WarnOnOverwrite = false;
    s.SaveStateOnQuit = false;
    s.words.Only7bitASCII = false;
    s.ignore.ShortWordSize = 1;
    s.ignore.LongWordSize = 7;
    s.ignore.ThresholdFrequency = 0;
}

void Initialize(Settings& s) {
    s.input.InputFile.clear();
    s.input.MoreInputs.clear();
    s.output.OutputFile.clear();
    s.ignore.WordsToIgnore.clear();
    s.input.UTF8 = false;
    SetDefaultValues(s);
    s.output.SuppressWords = false;
    s.ignore.CommonWordsFile.clear();
}

void SelectListDefaults(Settings& s) {
    s.output.WordOrder = ListOrder::ByFrequency;
    s.output.DisplayFormat = ListFormat::RankFrequencyWord;
    s.ignore.ShortWordSize = 1;
    s.ignore.LongWordSize = 7;
    s.ignore.ThresholdFrequency = 0;
}

ustring DefaultCommonWordsFile(const std::filesystem::path& programFolder) {
    return FromPath(programFolder / "cwds_en.txt");
}

} // namespace qd
