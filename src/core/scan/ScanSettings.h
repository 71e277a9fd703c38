#pragma once
// Every user setting that governs word splitting, the ignore rules, the listing and the output.
// Fields carry the names of the controls that edit them, less the control prefix. Flags are
// 0 or 1; list settings hold the index of the chosen list entry.

#include "text/UString.h"

#include <array>

namespace qd {

enum class SourceKind { InFile, OnClipboard };

// The word orders and display formats of a listing, numbered as their lists show them (and
// as settings files store them).
enum class ListOrder { ByFrequency = 0, Alphabetical = 1 };
enum class ListFormat {
    RankFrequencyWord = 0,
    RankWordFrequency,
    RankFrequency,
    RankWord,
    FrequencyRank,
    FrequencyWord,
    WordRank,
    WordFrequency,
    Word,
    WordsWithCommas, // every word on one line, separated by ", "
};

struct ScanSettings {
    // Word formation
    bool CaseSignificant = false;
    bool AllowWordsWithHyphens = true;
    bool AllowWordsWithApostrophes = false;
    bool AllowWordsWithUnderscores = false;
    bool AllowWordsWithColons = false;
    bool AllowWordsWithBackslashes = false;
    bool AllowWordsWithForwardslashes = false;
    bool AllowWordsWithPeriods = false;
    bool AllowWordsWithAtSigns = false;
    bool AllowWordsWithNumerals = false;
    bool Only7bitASCII = false;
    bool DropFinalS = false;

    // Comment markers
    bool AllowCommentMarkers = false;
    std::array<ustring, 2> StartComment = {u"/*", u"//"};
    std::array<ustring, 2> EndComment = {u"*/", u""};

    // Ignore rules
    bool IgnoreCommonWords = false;
    ustring CommonWordsFile;
    ustring WordsToIgnore;
    bool IgnoreRepetitions = true;
    bool IgnoreRomNum40 = true;
    bool IgnoreNoLetter = true;
    bool IgnoreInfrequentWords = false;
    int ThresholdFrequency = 0; // index 0..7, value = index + 2
    bool IgnoreShortWords = true;
    int ShortWordSize = 1; // index 0..13, value = index + 2
    int LongWordSize = 7;  // index 0..15, value = 15 + 5 * index

    // Output and housekeeping
    bool OutputWithCommas = false;
    bool WarnOnOverwrite = false;
    bool SaveStateOnQuit = false;

    // Main window
    SourceKind Source = SourceKind::InFile;
    ustring InputFile;
    ustring OutputFile;
    bool UTF8 = false;
    bool SuppressWords = false;
    bool DisableOutputToFile = false;
    ListOrder WordOrder = ListOrder::ByFrequency;
    ListFormat DisplayFormat = ListFormat::RankFrequencyWord;

    int thresholdFrequencyValue() const { return ThresholdFrequency + 2; }
    int shortWordSizeValue() const { return ShortWordSize + 2; }
    int longWordSizeValue() const { return 15 + 5 * LongWordSize; }

    bool operator==(const ScanSettings&) const = default;
};

// Entry counts of the five list settings.
inline constexpr int kThresholdFrequencyEntries = 8;
inline constexpr int kShortWordSizeEntries = 14;
inline constexpr int kLongWordSizeEntries = 16;
inline constexpr int kWordOrderEntries = 2;
inline constexpr int kDisplayFormatEntries = 10;

inline constexpr std::array<const char*, kWordOrderEntries> WordOrderNames = {"by frequency",
                                                                              "alphabetical"};
inline constexpr std::array<const char*, kDisplayFormatEntries> DisplayFormatNames = {
    "rank frequency word", "rank word frequency", "rank frequency", "rank word", "frequency rank",
    "frequency word",      "word rank",           "word frequency", "word",      "word (+ commas)"};

// Every extra character some setting can admit into a word.
inline constexpr char16_t AllPossibleExtraChars[] = u"'0123456789-_@:/.\\";
// Characters that may not begin a word and are stripped from its end.
inline constexpr char16_t ProhibitedInitialOrFinalChars[] = u"'.:,()";
// Characters no setting admits into a word.
inline constexpr char16_t NeverInWordChars[] = u"+;<>\"";

} // namespace qd
