#include "settings/Defaults.h"

#include "text/Folders.h"

namespace qd {

void SetDefaultValues(ScanSettings& s) {
    s.CaseSignificant = false;
    s.IgnoreShortWords = true;
    s.IgnoreInfrequentWords = false;
    s.IgnoreRepetitions = true;
    s.IgnoreRomNum40 = true;
    s.IgnoreNoLetter = true;
    s.AllowWordsWithHyphens = true;
    s.AllowWordsWithApostrophes = false;
    s.AllowWordsWithUnderscores = false;
    s.AllowWordsWithColons = false;
    s.AllowWordsWithBackslashes = false;
    s.AllowWordsWithForwardslashes = false;
    s.AllowWordsWithPeriods = false;
    s.AllowWordsWithAtSigns = false;
    s.AllowWordsWithNumerals = false;
    s.DropFinalS = false;
    s.OutputWithCommas = false;
    s.AllowCommentMarkers = false;
    s.WarnOnOverwrite = false;
    s.SaveStateOnQuit = false;
    s.Only7bitASCII = false;
    s.ShortWordSize = 1;
    s.LongWordSize = 7;
    s.ThresholdFrequency = 0;
}

void Initialize(ScanSettings& s) {
    s.InputFile.clear();
    s.OutputFile.clear();
    s.WordsToIgnore.clear();
    s.UTF8 = false;
    SetDefaultValues(s);
    s.SuppressWords = false;
    s.CommonWordsFile.clear();
}

void SelectListDefaults(ScanSettings& s) {
    s.WordOrder = ListOrder::ByFrequency;
    s.DisplayFormat = ListFormat::RankFrequencyWord;
    s.ShortWordSize = 1;
    s.LongWordSize = 7;
    s.ThresholdFrequency = 0;
}

ustring DefaultCommonWordsFile(const std::filesystem::path& programFolder) {
    return FromPath(programFolder / "cwds_en.txt");
}

} // namespace qd
