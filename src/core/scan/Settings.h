#pragma once
// Every setting the person chooses: word formation, comment markers, ignore rules, input and
// output. Fields carry the names of the controls that edit them, less the control prefix;
// list settings hold the index of the chosen list entry.

#include "text/UString.h"

#include <array>
#include <vector>

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
// The encoding of the output file, numbered as its list shows it (and as line 29 of a
// settings file stores it).
enum class FileEncoding { Windows1252 = 0, Utf8 = 1 };

// How words are formed: which characters may join a word, case, and the final-s rule.
struct WordFormation {
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

    bool operator==(const WordFormation&) const = default;
};

// The person's two pairs of comment markers; text between them is not counted.
struct CommentSettings {
    bool AllowCommentMarkers = false;
    std::array<ustring, 2> StartComment = {u"/*", u"//"};
    std::array<ustring, 2> EndComment = {u"*/", u""};

    bool operator==(const CommentSettings&) const = default;
};

// The words a count leaves out.
struct IgnoreRules {
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

    int thresholdFrequencyValue() const { return ThresholdFrequency + 2; }
    int shortWordSizeValue() const { return ShortWordSize + 2; }
    int longWordSizeValue() const { return 15 + 5 * LongWordSize; }

    bool operator==(const IgnoreRules&) const = default;
};

// What is counted: the file or the clipboard, and how a file is read.
struct InputSettings {
    SourceKind Source = SourceKind::InFile;
    ustring InputFile;
    // The inputs named after InputFile for a count of several files and folders; empty for
    // a count of one input.
    std::vector<ustring> MoreInputs;
    bool UTF8 = false;

    bool operator==(const InputSettings&) const = default;
};

// Where and how the words are listed.
struct OutputSettings {
    ustring OutputFile;
    bool DisableOutputToFile = false;
    bool OutputWithCommas = false;
    FileEncoding OutputEncoding = FileEncoding::Windows1252;
    bool WarnOnOverwrite = false;
    bool SuppressWords = false; // no live display of words as they are found
    ListOrder WordOrder = ListOrder::ByFrequency;
    ListFormat DisplayFormat = ListFormat::RankFrequencyWord;
    // A count of several files lists in how many of them each word occurs.
    bool ShowFilesColumn = false;

    bool operator==(const OutputSettings&) const = default;
};

// The settings record: every setting the person chooses, grouped by purpose.
struct Settings {
    WordFormation words;
    CommentSettings comments;
    IgnoreRules ignore;
    InputSettings input;
    OutputSettings output;
    bool SaveStateOnQuit = false;

    bool operator==(const Settings&) const = default;
};

// Entry counts of the six list settings.
inline constexpr int kThresholdFrequencyEntries = 8;
inline constexpr int kShortWordSizeEntries = 14;
inline constexpr int kLongWordSizeEntries = 16;
inline constexpr int kWordOrderEntries = 2;
inline constexpr int kDisplayFormatEntries = 10;
inline constexpr int kOutputEncodingEntries = 2;

inline constexpr std::array<const char*, kWordOrderEntries> WordOrderNames = {"by frequency",
                                                                              "alphabetical"};
inline constexpr std::array<const char*, kDisplayFormatEntries> DisplayFormatNames = {
    "rank frequency word", "rank word frequency", "rank frequency", "rank word", "frequency rank",
    "frequency word",      "word rank",           "word frequency", "word",      "word (+ commas)"};
inline constexpr std::array<const char*, kOutputEncodingEntries> OutputEncodingNames = {
    "Windows-1252", "UTF-8"};

// Every extra character some setting can admit into a word.
inline constexpr char16_t AllPossibleExtraChars[] = u"'0123456789-_@:/.\\";
// Characters that may not begin a word and are stripped from its end.
inline constexpr char16_t ProhibitedInitialOrFinalChars[] = u"'.:,()";
// Characters no setting admits into a word.
inline constexpr char16_t NeverInWordChars[] = u"+;<>\"";

} // namespace qd
