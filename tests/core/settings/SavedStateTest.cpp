#include "settings/SavedState.h"
#include "settings/SettingsFields.h"
#include "support/Folders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <set>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qd {
namespace {

std::string u8(const ustring& s) {
    return ToUtf8(s);
}

bool StartsWith(const ustring& text, std::string_view prefix) {
    return u8(text).starts_with(prefix);
}

constexpr std::string_view kRestorePrefix = "Error when attempting to restore settings: ";
constexpr std::string_view kSavePrefix = "Error when attempting to save settings: ";

// A record in which every stored field differs from its default.
ScanSettings Unusual() {
    ScanSettings s;
    s.InputFile = u"/home/ann/texts/one, two, three.txt";
    s.OutputFile = u"/home/ann/out \"quoted\".txt";
    s.WordsToIgnore = u"and of the";
    s.StartComment = {u"<!--", u"REM"};
    s.EndComment = {u"-->", u""};
    s.ShortWordSize = 13;
    s.LongWordSize = 15;
    s.ThresholdFrequency = 7;
    s.IgnoreShortWords = false;
    s.IgnoreInfrequentWords = true;
    s.IgnoreCommonWords = true;
    s.IgnoreRepetitions = false;
    s.IgnoreRomNum40 = false;
    s.IgnoreNoLetter = false;
    s.CaseSignificant = true;
    s.DropFinalS = true;
    s.AllowWordsWithHyphens = false;
    s.AllowWordsWithApostrophes = true;
    s.AllowWordsWithUnderscores = true;
    s.AllowWordsWithColons = true;
    s.AllowWordsWithBackslashes = true;
    s.AllowWordsWithForwardslashes = true;
    s.AllowWordsWithPeriods = true;
    s.AllowWordsWithAtSigns = true;
    s.AllowWordsWithNumerals = true;
    s.OutputWithCommas = true;
    s.AllowCommentMarkers = true;
    s.WarnOnOverwrite = true;
    s.SaveStateOnQuit = true;
    s.SuppressWords = true;
    s.DisableOutputToFile = true;
    s.WordOrder = 1;
    s.DisplayFormat = 9;
    s.CommonWordsFile = u"/usr/share/quorvel-dorvane/cwds_fr.txt";
    s.Only7bitASCII = true;
    return s;
}

// The default record as a state file, line by line.
std::vector<std::string> DefaultLines() {
    return {"\"\"", "\"\"", "\"\"", "\"/*\"", "\"*/\"", "\"//\"", "\"\"", "1", "7", "0",
            "1",    "0",    "0",    "1",      "1",      "1",      "0",    "0", "1", "0",
            "0",    "0",    "0",    "0",      "0",      "0",      "0",    "0", "0", "0",
            "0",    "0",    "0",    "0",      "0",      "0",      "\"\"", "0"};
}

std::string Join(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

class SavedStateFile : public ::testing::Test {
protected:
    ustring path(std::string_view name = "state.dvn") const { return FromPath(dir.path() / name); }
    ustring write(const std::string& bytes, std::string_view name = "state.dvn") const {
        return FromPath(dir.write(name, bytes));
    }
    // Restores from bytes into a copy of Unusual() and checks that an error left it alone.
    ustring restoreExpectingError(const std::string& bytes) {
        ScanSettings s = Unusual();
        ustring error = RestoreSavedState(s, write(bytes));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(s, Unusual()) << "a failed restore changed the settings";
        return error;
    }
    test::TempDir dir;
};

// The line table: every stored field once, in the fixed order.
TEST(StateFileLines, EveryFieldButSourceAndUtf8Once) {
    std::set<std::string_view> seen;
    for (std::string_view name : StateFileLines) {
        EXPECT_TRUE(seen.insert(name).second) << name;
        if (name != "ReservedLine") {
            EXPECT_NE(FindSettingField(FromUtf8(name)), nullptr) << name;
        }
    }
    for (const SettingField& f : AllSettingFields()) {
        const bool stored = seen.count(f.name) == 1;
        EXPECT_EQ(stored, f.name != "Source" && f.name != "UTF8") << f.name;
    }
    EXPECT_EQ(StateFileLines[28], "ReservedLine");
    EXPECT_EQ(StateFileLines[36], "CommonWordsFile");
}

// Saving: the exact bytes of the format.
TEST_F(SavedStateFile, DefaultsGiveTheFixedLines) {
    ASSERT_EQ(SaveState(ScanSettings{}, path()), u"");
    EXPECT_EQ(test::ReadFileBytes(dir.path() / "state.dvn"), Join(DefaultLines()));
}

TEST_F(SavedStateFile, WindowsLatinTextIsWrittenAsSingleBytes) {
    ScanSettings s;
    s.WordsToIgnore = u"café déjà";
    ASSERT_EQ(SaveState(s, path()), u"");
    const std::string bytes = test::ReadFileBytes(dir.path() / "state.dvn");
    EXPECT_NE(bytes.find("\"caf\xE9 d\xE9j\xE0\"\r\n"), std::string::npos);
}

TEST_F(SavedStateFile, OtherCharactersSwitchTheFileToUtf8) {
    ScanSettings s;
    s.InputFile = u"/home/łukasz/текст.txt";
    ASSERT_EQ(SaveState(s, path()), u"");
    const std::string bytes = test::ReadFileBytes(dir.path() / "state.dvn");
    EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBF\"/home/\xC5\x82ukasz/"));
    ScanSettings back;
    ASSERT_EQ(RestoreSavedState(back, path()), u"");
    EXPECT_EQ(back.InputFile, s.InputFile);
}

// Round trips.
TEST_F(SavedStateFile, RestoreReproducesEveryStoredField) {
    ASSERT_EQ(SaveState(Unusual(), path()), u"");
    ScanSettings back;
    back.Source = SourceKind::OnClipboard;
    back.UTF8 = true;
    ASSERT_EQ(RestoreSavedState(back, path()), u"");
    ScanSettings expected = Unusual();
    expected.Source = SourceKind::OnClipboard; // Source and UTF8 are not stored
    expected.UTF8 = true;
    EXPECT_EQ(back, expected);
    EXPECT_EQ(back.EndComment[1], u"");
    EXPECT_EQ(back.InputFile, u"/home/ann/texts/one, two, three.txt");
    EXPECT_EQ(back.OutputFile, u"/home/ann/out \"quoted\".txt");
}

TEST_F(SavedStateFile, SpacesInsideQuotesSurvive) {
    ScanSettings s;
    s.StartComment[0] = u"  {  ";
    ASSERT_EQ(SaveState(s, path()), u"");
    ScanSettings back;
    ASSERT_EQ(RestoreSavedState(back, path()), u"");
    EXPECT_EQ(back.StartComment[0], u"  {  ");
}

TEST_F(SavedStateFile, SavingReplacesALongerFileCompletely) {
    write(std::string(5000, 'x'));
    ASSERT_EQ(SaveState(ScanSettings{}, path()), u"");
    EXPECT_EQ(test::ReadFileBytes(dir.path() / "state.dvn"), Join(DefaultLines()));
}

// Reading: what the reader accepts.
TEST_F(SavedStateFile, ReservedLineMayHoldAnything) {
    auto lines = DefaultLines();
    lines[28] = "\"whatever, really\"";
    ScanSettings s;
    ASSERT_EQ(RestoreSavedState(s, write(Join(lines))), u"");
    EXPECT_EQ(s, ScanSettings{});
}

TEST_F(SavedStateFile, LineFeedsAndAMissingLastLineEnd) {
    std::string text;
    for (const auto& l : DefaultLines())
        text += l + "\n";
    text.pop_back();
    ScanSettings s = Unusual();
    ASSERT_EQ(RestoreSavedState(s, write(text)), u"");
    ScanSettings expected;
    expected.Source = s.Source;
    expected.UTF8 = s.UTF8;
    EXPECT_EQ(s, expected);
}

TEST_F(SavedStateFile, LinesAfterThe38thAreIgnored) {
    ScanSettings s;
    ASSERT_EQ(RestoreSavedState(s, write(Join(DefaultLines()) + "junk\r\nmore junk\r\n")), u"");
}

TEST_F(SavedStateFile, FlagsAreReadByTheirNumericValue) {
    auto lines = DefaultLines();
    lines[16] = "abc";   // CaseSignificant: no number is 0
    lines[17] = " 1 ";   // DropFinalS
    lines[19] = "\"1\""; // AllowWordsWithApostrophes
    lines[20] = "1.0";   // AllowWordsWithUnderscores
    lines[21] = "0.4";   // AllowWordsWithColons
    lines[22] = "1xyz";  // AllowWordsWithBackslashes
    lines[23] = "0.5";   // AllowWordsWithForwardslashes: halves go to even
    lines[24] = "0.51";  // AllowWordsWithPeriods
    ScanSettings s;
    s.CaseSignificant = true;
    ASSERT_EQ(RestoreSavedState(s, write(Join(lines))), u"");
    EXPECT_FALSE(s.CaseSignificant);
    EXPECT_TRUE(s.DropFinalS);
    EXPECT_TRUE(s.AllowWordsWithApostrophes);
    EXPECT_TRUE(s.AllowWordsWithUnderscores);
    EXPECT_FALSE(s.AllowWordsWithColons);
    EXPECT_TRUE(s.AllowWordsWithBackslashes);
    EXPECT_FALSE(s.AllowWordsWithForwardslashes);
    EXPECT_TRUE(s.AllowWordsWithPeriods);
}

TEST_F(SavedStateFile, UnquotedStringsAreTakenAsTheyStand) {
    auto lines = DefaultLines();
    lines[0] = "  /tmp/in.txt  ";
    ScanSettings s;
    ASSERT_EQ(RestoreSavedState(s, write(Join(lines))), u"");
    EXPECT_EQ(s.InputFile, u"/tmp/in.txt");
}

// Reading: every failure is reported and changes nothing.
TEST_F(SavedStateFile, MissingFile) {
    ScanSettings s = Unusual();
    EXPECT_EQ(u8(RestoreSavedState(s, path("absent.dvn"))),
              std::string(kRestorePrefix) + "No such file or directory");
    EXPECT_EQ(s, Unusual());
}

TEST_F(SavedStateFile, FolderInsteadOfFile) {
    ScanSettings s;
    EXPECT_EQ(u8(RestoreSavedState(s, FromPath(dir.path()))),
              std::string(kRestorePrefix) + "Is a directory");
}

TEST_F(SavedStateFile, EmptyFile) {
    EXPECT_TRUE(StartsWith(restoreExpectingError(""), kRestorePrefix));
}

TEST_F(SavedStateFile, FileShortenedTo30Lines) {
    auto lines = DefaultLines();
    lines.resize(30);
    const ustring error = restoreExpectingError(Join(lines));
    EXPECT_EQ(u8(error), std::string(kRestorePrefix) +
                             "Input past end of file (the file has 30 lines, 38 are needed)");
}

TEST_F(SavedStateFile, IndexOutsideItsList) {
    auto lines = DefaultLines();
    lines[35] = "20"; // DisplayFormat has 10 entries
    EXPECT_EQ(u8(restoreExpectingError(Join(lines))),
              std::string(kRestorePrefix) + "Invalid property value (line 36, DisplayFormat: 20)");
    lines[35] = "10";
    EXPECT_TRUE(StartsWith(restoreExpectingError(Join(lines)), kRestorePrefix));
    lines[35] = "-2";
    EXPECT_TRUE(StartsWith(restoreExpectingError(Join(lines)), kRestorePrefix));
    lines[35] = "9";
    ScanSettings s;
    EXPECT_EQ(RestoreSavedState(s, write(Join(lines))), u"");
    EXPECT_EQ(s.DisplayFormat, 9);
}

TEST_F(SavedStateFile, EveryListChecksItsOwnRange) {
    const std::vector<std::pair<int, int>> lineAndEntries = {{7, kShortWordSizeEntries},
                                                             {8, kLongWordSizeEntries},
                                                             {9, kThresholdFrequencyEntries},
                                                             {34, kWordOrderEntries},
                                                             {35, kDisplayFormatEntries}};
    for (auto [line, entries] : lineAndEntries) {
        auto lines = DefaultLines();
        lines[size_t(line)] = std::to_string(entries - 1);
        ScanSettings s;
        EXPECT_EQ(RestoreSavedState(s, write(Join(lines))), u"") << "line " << line + 1;
        lines[size_t(line)] = std::to_string(entries);
        EXPECT_TRUE(StartsWith(restoreExpectingError(Join(lines)), kRestorePrefix));
    }
}

TEST_F(SavedStateFile, IndexMinusOneIsNoEntryChosen) {
    auto lines = DefaultLines();
    lines[7] = "-1";
    EXPECT_EQ(u8(restoreExpectingError(Join(lines))), "Invalid combo box index");
}

TEST_F(SavedStateFile, ReadFailureWinsOverNoEntryChosen) {
    auto lines = DefaultLines();
    lines[7] = "-1";
    lines.resize(20);
    EXPECT_TRUE(StartsWith(restoreExpectingError(Join(lines)), kRestorePrefix));
}

TEST_F(SavedStateFile, IndexThatIsNoNumber) {
    auto lines = DefaultLines();
    lines[8] = "seven";
    EXPECT_EQ(u8(restoreExpectingError(Join(lines))),
              std::string(kRestorePrefix) + "Type mismatch (line 9, LongWordSize: seven)");
    lines[8] = "";
    EXPECT_TRUE(StartsWith(restoreExpectingError(Join(lines)), kRestorePrefix));
    lines[8] = "99999999999999999999";
    EXPECT_TRUE(StartsWith(restoreExpectingError(Join(lines)), kRestorePrefix));
}

TEST_F(SavedStateFile, FlagOutsideZeroAndOne) {
    auto lines = DefaultLines();
    lines[10] = "2";
    EXPECT_EQ(u8(restoreExpectingError(Join(lines))),
              std::string(kRestorePrefix) +
                  "Invalid property value (line 11, IgnoreShortWords: 2)");
    lines[10] = "-1";
    EXPECT_TRUE(StartsWith(restoreExpectingError(Join(lines)), kRestorePrefix));
    lines[10] = "1.5";
    EXPECT_TRUE(StartsWith(restoreExpectingError(Join(lines)), kRestorePrefix));
}

TEST_F(SavedStateFile, StringWithoutClosingQuote) {
    auto lines = DefaultLines();
    lines[2] = "\"and of the";
    EXPECT_EQ(u8(restoreExpectingError(Join(lines))),
              std::string(kRestorePrefix) +
                  "Bad file format (line 3, WordsToIgnore: no closing quote)");
    lines[2] = "\"";
    EXPECT_TRUE(StartsWith(restoreExpectingError(Join(lines)), kRestorePrefix));
}

// Fuzzing: damaged files never crash, and a failure leaves the settings alone.
TEST_F(SavedStateFile, EveryTruncationIsHandled) {
    ASSERT_EQ(SaveState(Unusual(), path("full.dvn")), u"");
    const std::string full = test::ReadFileBytes(dir.path() / "full.dvn");
    const size_t line38 = full.rfind("\r\n", full.size() - 3) + 2;
    for (size_t len = 0; len < full.size(); ++len) {
        ScanSettings s = Unusual();
        s.WordOrder = 0;
        const ScanSettings before = s;
        const std::string name = "cut" + std::to_string(len);
        const ustring error = RestoreSavedState(s, write(full.substr(0, len), name));
        if (len <= line38) {
            EXPECT_TRUE(StartsWith(error, kRestorePrefix)) << "length " << len;
        }
        if (!error.empty()) {
            EXPECT_EQ(s, before) << "length " << len;
        }
    }
}

TEST_F(SavedStateFile, RandomLinesAndBytesAreHandled) {
    std::mt19937 random(20240607);
    const std::vector<std::string> junk = {"",
                                           "\"",
                                           "\"\"",
                                           "-1",
                                           "-2",
                                           "1e9",
                                           "9999",
                                           "0.5",
                                           "1.5",
                                           "abc",
                                           "\"1\"",
                                           " , ",
                                           "\t",
                                           "\xFF\xFE",
                                           std::string(1, '\0'),
                                           "\xEF\xBB\xBF",
                                           "\"a\"b\"",
                                           "2147483648"};
    int accepted = 0;
    for (int round = 0; round < 250; ++round) {
        auto lines = DefaultLines();
        const int changes = 1 + int(random() % 4);
        for (int c = 0; c < changes; ++c)
            lines[random() % lines.size()] = junk[random() % junk.size()];
        if (random() % 5 == 0) lines.resize(random() % lines.size());
        std::string bytes = Join(lines);
        if (!bytes.empty() && random() % 3 == 0)
            for (int k = 0; k < 5; ++k)
                bytes[random() % bytes.size()] = char(random() % 256);
        ScanSettings s = Unusual();
        const std::string name = "lines" + std::to_string(round);
        const ustring error = RestoreSavedState(s, write(bytes, name));
        if (!error.empty()) {
            EXPECT_EQ(s, Unusual()) << "round " << round;
            EXPECT_TRUE(StartsWith(error, kRestorePrefix) || error == u"Invalid combo box index");
        } else {
            // Whatever was accepted can be saved and read back the same.
            ++accepted;
            const std::string againName = "again" + std::to_string(round);
            ASSERT_EQ(SaveState(s, path(againName)), u"");
            ScanSettings again = Unusual();
            ASSERT_EQ(RestoreSavedState(again, path(againName)), u"");
            EXPECT_EQ(again, s) << "round " << round;
        }
    }
    EXPECT_GT(accepted, 10); // the damage is not always fatal
}

TEST_F(SavedStateFile, RandomBytesAreHandled) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(random() % 600, '\0');
        for (char& b : bytes)
            b = random() % 4 == 0 ? '\n' : char(random() % 256);
        ScanSettings s = Unusual();
        if (!RestoreSavedState(s, write(bytes, "bytes" + std::to_string(round))).empty()) {
            EXPECT_EQ(s, Unusual());
        }
    }
}

// Saving never leaves a half-written file.
TEST_F(SavedStateFile, ValueWithALineBreakIsRefusedAndTheOldFileStays) {
    ASSERT_EQ(SaveState(Unusual(), path()), u"");
    const std::string old = test::ReadFileBytes(dir.path() / "state.dvn");
    ScanSettings s;
    s.WordsToIgnore = u"one\ntwo";
    EXPECT_EQ(u8(SaveState(s, path())),
              std::string(kSavePrefix) + "the value of WordsToIgnore holds a line break");
    EXPECT_EQ(test::ReadFileBytes(dir.path() / "state.dvn"), old);
}

TEST_F(SavedStateFile, MissingFolder) {
    EXPECT_EQ(u8(SaveState(ScanSettings{}, path("no/such/folder/state.dvn"))),
              std::string(kSavePrefix) + "No such file or directory");
}

TEST_F(SavedStateFile, FolderInTheWay) {
    fs::create_directory(dir.path() / "taken");
    EXPECT_EQ(u8(SaveState(ScanSettings{}, path("taken"))),
              std::string(kSavePrefix) + "Is a directory");
}

TEST_F(SavedStateFile, UnwritableFolderKeepsTheOldFile) {
    ASSERT_EQ(SaveState(Unusual(), path()), u"");
    const std::string old = test::ReadFileBytes(dir.path() / "state.dvn");
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
    // Permissions do not bind the superuser: save as an ordinary user for the moment.
    const bool asRoot = ::geteuid() == 0;
    if (asRoot && ::seteuid(65534) != 0) GTEST_SKIP() << "cannot act as an ordinary user";
    const ustring error = SaveState(ScanSettings{}, path());
    if (asRoot) {
        ASSERT_EQ(::seteuid(0), 0);
    }
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_EQ(u8(error), std::string(kSavePrefix) + "Permission denied");
    EXPECT_EQ(test::ReadFileBytes(dir.path() / "state.dvn"), old);
}

TEST_F(SavedStateFile, FailureWhileWritingKeepsTheOldFileAndLeavesNoTemporary) {
    ScanSettings big;
    big.WordsToIgnore = ustring(4000, u'w');
    ASSERT_EQ(SaveState(Unusual(), path()), u"");
    const std::string old = test::ReadFileBytes(dir.path() / "state.dvn");

    // Let the file system refuse every byte past the first 1000 of a file.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const ustring error = SaveState(big, path());
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(u8(error), std::string(kSavePrefix) + "File too large");
    EXPECT_EQ(test::ReadFileBytes(dir.path() / "state.dvn"), old);
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST_F(SavedStateFile, ReplacingKeepsPermissionsAndFollowsLinks) {
    ASSERT_EQ(SaveState(ScanSettings{}, path("real.dvn")), u"");
    fs::permissions(dir.path() / "real.dvn", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(dir.path() / "real.dvn", dir.path() / "link.dvn");
    ASSERT_EQ(SaveState(Unusual(), path("link.dvn")), u"");
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.dvn"));
    EXPECT_EQ(fs::status(dir.path() / "real.dvn").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    ScanSettings back;
    ASSERT_EQ(RestoreSavedState(back, path("real.dvn")), u"");
    EXPECT_EQ(back.InputFile, Unusual().InputFile);
}

// The state file's place.
TEST(StateFilePath, ProgramFolderUnderApplicationData) {
    test::TempDir dir;
    const ustring file = StateFilePath(FromPath(dir.path() / "config"), u"Quorvel Dorvane");
    EXPECT_EQ(file, FromPath(dir.path() / "config" / "Quorvel Dorvane" / "dvn.usr"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "config" / "Quorvel Dorvane"));
    EXPECT_FALSE(fs::exists(ToPath(file)));
}

TEST(StateFilePath, MissingFolderNameStillGivesTheProgramsFolder) {
    test::TempDir dir;
    EXPECT_EQ(StateFilePath(FromPath(dir.path()), u""),
              FromPath(dir.path() / "Quorvel Dorvane" / "dvn.usr"));
}

} // namespace
} // namespace qd
