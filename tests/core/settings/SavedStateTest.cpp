#include "settings/SavedState.h"
#include "SettingsTestUtil.h"
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

using test::U8;
using test::Unusual;

constexpr std::string_view kRestorePrefix = "Error when attempting to restore settings: ";
constexpr std::string_view kSavePrefix = "Error when attempting to save settings: ";

bool IsRestoreError(const ustring& text) {
    return U8(text).starts_with(kRestorePrefix);
}

// The default record as a state file, line by line.
std::vector<std::string> DefaultLines() {
    return {"\"\"", "\"\"", "\"\"", "\"/*\"", "\"*/\"", "\"//\"", "\"\"", "1", "7", "0",
            "1",    "0",    "0",    "1",      "1",      "1",      "0",    "0", "1", "0",
            "0",    "0",    "0",    "0",      "0",      "0",      "0",    "0", "0", "0",
            "0",    "0",    "0",    "0",      "0",      "0",      "\"\"", "0"};
}

std::string Join(const std::vector<std::string>& lines, const char* end = "\r\n") {
    std::string out;
    for (const auto& l : lines)
        out += l + end;
    return out;
}

class SavedStateFile : public ::testing::Test {
protected:
    ustring path(std::string_view name = "state.dvn") const { return FromPath(dir.path() / name); }
    std::string bytes(std::string_view name = "state.dvn") const {
        return test::ReadFileBytes(dir.path() / name);
    }
    ustring write(const std::string& bytes, std::string_view name = "state.dvn") const {
        return FromPath(dir.write(name, bytes));
    }
    // Restores the default lines with one line changed into defaults; an error must leave the
    // settings alone.
    ustring restoreWith(size_t line, const std::string& value, ScanSettings& s) {
        auto lines = DefaultLines();
        lines[line] = value;
        const ScanSettings before = s;
        const ustring error = RestoreSavedState(s, write(Join(lines)));
        if (!error.empty()) {
            EXPECT_EQ(s, before) << "a failed restore changed the settings";
        }
        return error;
    }
    test::TempDir dir;
};

// --- The line table: every stored field once, in the fixed order ---

TEST(StateFileLines, EveryFieldButSourceAndUtf8Once) {
    std::set<std::string_view> seen;
    for (std::string_view name : StateFileLines) {
        EXPECT_TRUE(seen.insert(name).second) << name;
        if (name != "ReservedLine") {
            EXPECT_NE(FindSettingField(FromUtf8(name)), nullptr) << name;
        }
    }
    for (const SettingField& f : AllSettingFields())
        EXPECT_EQ(seen.count(f.name) == 1, f.name != "Source" && f.name != "UTF8") << f.name;
}

// --- Saving: the exact bytes, Windows-1252 unless other characters need UTF-8 ---

TEST_F(SavedStateFile, DefaultsGiveTheFixedLinesReplacingALongerFile) {
    write(std::string(5000, 'x'));
    ASSERT_EQ(SaveState(ScanSettings{}, path()), u"");
    EXPECT_EQ(bytes(), Join(DefaultLines()));
}

TEST_F(SavedStateFile, WindowsLatinTextIsWrittenAsSingleBytesOtherTextAsUtf8) {
    ScanSettings s;
    s.WordsToIgnore = u"café déjà";
    ASSERT_EQ(SaveState(s, path()), u"");
    EXPECT_NE(bytes().find("\"caf\xE9 d\xE9j\xE0\"\r\n"), std::string::npos);
    s.InputFile = u"/home/łukasz/текст.txt";
    ASSERT_EQ(SaveState(s, path()), u"");
    EXPECT_TRUE(bytes().starts_with("\xEF\xBB\xBF\"/home/\xC5\x82ukasz/"));
    ScanSettings back;
    ASSERT_EQ(RestoreSavedState(back, path()), u"");
    EXPECT_EQ(back.InputFile, s.InputFile);
    EXPECT_EQ(back.WordsToIgnore, s.WordsToIgnore);
}

TEST_F(SavedStateFile, RestoreReproducesEveryStoredField) {
    ASSERT_EQ(SaveState(Unusual(), path()), u"");
    ScanSettings back;
    ScanSettings expected = Unusual();
    expected.Source = back.Source; // Source and UTF8 are not stored
    expected.UTF8 = back.UTF8;
    ASSERT_EQ(RestoreSavedState(back, path()), u"");
    EXPECT_EQ(back, expected);
}

// --- Reading: what the reader accepts ---

TEST_F(SavedStateFile, ReaderAcceptsLineFeedsAMissingLastLineEndAndExtraLines) {
    ScanSettings expected = Unusual();
    ScanSettings s = Unusual();
    std::string text = Join(DefaultLines(), "\n");
    text.pop_back();
    ASSERT_EQ(RestoreSavedState(s, write(text)), u"");
    expected = ScanSettings{};
    expected.Source = Unusual().Source;
    expected.UTF8 = Unusual().UTF8;
    EXPECT_EQ(s, expected);
    ASSERT_EQ(RestoreSavedState(s, write(Join(DefaultLines()) + "junk\r\nmore junk\r\n")), u"");
    // The reserved line may hold anything; an unquoted string is taken trimmed.
    ASSERT_EQ(restoreWith(28, "\"whatever, really\"", s), u"");
    EXPECT_EQ(s, expected);
    ASSERT_EQ(restoreWith(0, "  /tmp/in.txt  ", s), u"");
    EXPECT_EQ(s.InputFile, u"/tmp/in.txt");
}

TEST_F(SavedStateFile, FlagsAreReadByTheirNumericValue) {
    const struct {
        size_t line;
        const char* value;
        bool ScanSettings::*flag;
        bool expected;
    } cases[] = {
        {16, "abc", &ScanSettings::CaseSignificant, false}, // no number is 0
        {17, " 1 ", &ScanSettings::DropFinalS, true},
        {19, "\"1\"", &ScanSettings::AllowWordsWithApostrophes, true},
        {20, "1.0", &ScanSettings::AllowWordsWithUnderscores, true},
        {21, "0.4", &ScanSettings::AllowWordsWithColons, false},
        {22, "1xyz", &ScanSettings::AllowWordsWithBackslashes, true},
        {23, "0.5", &ScanSettings::AllowWordsWithForwardslashes, false}, // halves go to even
        {24, "0.51", &ScanSettings::AllowWordsWithPeriods, true},
    };
    for (const auto& c : cases) {
        ScanSettings s;
        s.*c.flag = !c.expected;
        ASSERT_EQ(restoreWith(c.line, c.value, s), u"") << c.value;
        EXPECT_EQ(s.*c.flag, c.expected) << c.value;
    }
}

// --- Reading: every failure is reported and changes nothing ---

TEST_F(SavedStateFile, DamagedLinesAreRefused) {
    const struct {
        size_t line;
        const char* value;
        const char* reason; // after the prefix; "" when only the prefix is checked
    } cases[] = {
        {35, "20", "Invalid property value (line 36, DisplayFormat: 20)"},
        {35, "10", ""},
        {35, "-2", ""},
        {8, "seven", "Type mismatch (line 9, LongWordSize: seven)"},
        {8, "", ""},
        {8, "99999999999999999999", ""},
        {10, "2", "Invalid property value (line 11, IgnoreShortWords: 2)"},
        {10, "-1", ""},
        {10, "1.5", ""},
        {2, "\"and of the", "Bad file format (line 3, WordsToIgnore: no closing quote)"},
        {2, "\"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.line) + ": " + c.value);
        ScanSettings s = Unusual();
        const std::string error = U8(restoreWith(c.line, c.value, s));
        EXPECT_TRUE(error.starts_with(kRestorePrefix));
        if (*c.reason) {
            EXPECT_EQ(error.substr(kRestorePrefix.size()), c.reason);
        }
    }
    // Index -1 is no entry chosen, unless the file cannot even be read to the end.
    ScanSettings s = Unusual();
    EXPECT_EQ(U8(restoreWith(7, "-1", s)), "Invalid combo box index");
    auto lines = DefaultLines();
    lines[7] = "-1";
    lines.resize(30);
    EXPECT_EQ(U8(RestoreSavedState(s, write(Join(lines)))),
              std::string(kRestorePrefix) +
                  "Input past end of file (the file has 30 lines, 38 are needed)");
    EXPECT_EQ(s, Unusual());
}

TEST_F(SavedStateFile, EveryListChecksItsOwnRange) {
    const std::pair<size_t, int> lineAndEntries[] = {{7, kShortWordSizeEntries},
                                                     {8, kLongWordSizeEntries},
                                                     {9, kThresholdFrequencyEntries},
                                                     {34, kWordOrderEntries},
                                                     {35, kDisplayFormatEntries}};
    for (auto [line, entries] : lineAndEntries) {
        ScanSettings s;
        EXPECT_EQ(restoreWith(line, std::to_string(entries - 1), s), u"") << line + 1;
        EXPECT_TRUE(IsRestoreError(restoreWith(line, std::to_string(entries), s))) << line + 1;
    }
}

TEST_F(SavedStateFile, MissingEmptyOrFolderIsRefused) {
    ScanSettings s = Unusual();
    EXPECT_EQ(U8(RestoreSavedState(s, path("absent.dvn"))),
              std::string(kRestorePrefix) + "No such file or directory");
    EXPECT_EQ(U8(RestoreSavedState(s, FromPath(dir.path()))),
              std::string(kRestorePrefix) + "Is a directory");
    EXPECT_TRUE(IsRestoreError(RestoreSavedState(s, write(""))));
    EXPECT_EQ(s, Unusual());
}

// --- Fuzzing: damaged files never crash, and a failure leaves the settings alone ---

TEST_F(SavedStateFile, EveryTruncationIsHandled) {
    ASSERT_EQ(SaveState(Unusual(), path("full.dvn")), u"");
    const std::string full = bytes("full.dvn");
    const size_t line38 = full.rfind("\r\n", full.size() - 3) + 2;
    for (size_t len = 0; len < full.size(); ++len) {
        ScanSettings s = Unusual();
        s.WordOrder = 0;
        const ScanSettings before = s;
        const ustring error =
            RestoreSavedState(s, write(full.substr(0, len), "cut" + std::to_string(len)));
        if (len <= line38) {
            EXPECT_TRUE(IsRestoreError(error)) << "length " << len;
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
        SCOPED_TRACE(round);
        auto lines = DefaultLines();
        const int changes = 1 + int(random() % 4);
        for (int c = 0; c < changes; ++c)
            lines[random() % lines.size()] = junk[random() % junk.size()];
        if (random() % 5 == 0) lines.resize(random() % lines.size());
        std::string text = Join(lines);
        if (!text.empty() && random() % 3 == 0)
            for (int k = 0; k < 5; ++k)
                text[random() % text.size()] = char(random() % 256);
        ScanSettings s = Unusual();
        const ustring error = RestoreSavedState(s, write(text, "lines" + std::to_string(round)));
        if (!error.empty()) {
            EXPECT_EQ(s, Unusual());
            EXPECT_TRUE(IsRestoreError(error) || error == u"Invalid combo box index");
        } else {
            // Whatever was accepted can be saved and read back the same.
            ++accepted;
            const std::string again = "again" + std::to_string(round);
            ASSERT_EQ(SaveState(s, path(again)), u"");
            ScanSettings back = Unusual();
            ASSERT_EQ(RestoreSavedState(back, path(again)), u"");
            EXPECT_EQ(back, s);
        }
    }
    EXPECT_GT(accepted, 10); // the damage is not always fatal

    for (int round = 0; round < 200; ++round) {
        std::string text(random() % 600, '\0');
        for (char& b : text)
            b = random() % 4 == 0 ? '\n' : char(random() % 256);
        ScanSettings s = Unusual();
        if (!RestoreSavedState(s, write(text, "bytes" + std::to_string(round))).empty()) {
            EXPECT_EQ(s, Unusual()) << "bytes " << round;
        }
    }
}

// --- Saving never leaves a half-written file ---

TEST_F(SavedStateFile, RefusedSaveKeepsTheOldFile) {
    ASSERT_EQ(SaveState(Unusual(), path()), u"");
    const std::string old = bytes();
    ScanSettings s;
    s.WordsToIgnore = u"one\ntwo";
    EXPECT_EQ(U8(SaveState(s, path())),
              std::string(kSavePrefix) + "the value of WordsToIgnore holds a line break");
    EXPECT_EQ(bytes(), old);
    fs::create_directory(dir.path() / "taken");
    EXPECT_EQ(U8(SaveState(ScanSettings{}, path("taken"))),
              std::string(kSavePrefix) + "Is a directory");
    EXPECT_EQ(U8(SaveState(ScanSettings{}, path("no/such/folder/state.dvn"))),
              std::string(kSavePrefix) + "No such file or directory");
}

TEST_F(SavedStateFile, UnwritableFolderKeepsTheOldFile) {
    ASSERT_EQ(SaveState(Unusual(), path()), u"");
    const std::string old = bytes();
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
    EXPECT_EQ(U8(error), std::string(kSavePrefix) + "Permission denied");
    EXPECT_EQ(bytes(), old);
}

TEST_F(SavedStateFile, FailureWhileWritingKeepsTheOldFileAndLeavesNoTemporary) {
    ScanSettings big;
    big.WordsToIgnore = ustring(4000, u'w');
    ASSERT_EQ(SaveState(Unusual(), path()), u"");
    const std::string old = bytes();

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

    EXPECT_EQ(U8(error), std::string(kSavePrefix) + "File too large");
    EXPECT_EQ(bytes(), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
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

// --- The state file's place: the program's folder under the application data ---

TEST(StateFilePath, ProgramFolderUnderApplicationData) {
    test::TempDir dir;
    const ustring file = StateFilePath(FromPath(dir.path() / "config"), u"Quorvel Dorvane");
    EXPECT_EQ(file, FromPath(dir.path() / "config" / "Quorvel Dorvane" / "dvn.usr"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "config" / "Quorvel Dorvane"));
    EXPECT_FALSE(fs::exists(ToPath(file)));
    // A missing folder name still gives the program's folder.
    EXPECT_EQ(StateFilePath(FromPath(dir.path()), u""),
              FromPath(dir.path() / "Quorvel Dorvane" / "dvn.usr"));
}

} // namespace
} // namespace qd
