#include "settings/SavedState.h"
#include "SettingsTestUtil.h"
#include "settings/SettingsFields.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"
#include "text/Folders.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace qd {
namespace {

using test::Unusual;

constexpr std::string_view kRestorePrefix = "Error when attempting to restore settings: ";
constexpr std::string_view kSavePrefix = "Error when attempting to save settings: ";

bool IsRestoreError(const ustring& text) {
    return ToUtf8(text).starts_with(kRestorePrefix);
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
    test::TempDir dir;
};

// --- Saving: the exact bytes, Windows-1252 unless other characters need UTF-8 ---

TEST_F(SavedStateFile, DefaultsGiveTheFixedLinesReplacingALongerFile) {
    write(std::string(5000, 'x'));
    ASSERT_EQ(SaveState(Settings{}, path()), u"");
    EXPECT_EQ(bytes(), Join(DefaultLines()));
}

TEST_F(SavedStateFile, WindowsLatinTextIsWrittenAsSingleBytesOtherTextAsUtf8) {
    Settings s;
    s.ignore.WordsToIgnore = u"café déjà";
    ASSERT_EQ(SaveState(s, path()), u"");
    EXPECT_NE(bytes().find("\"caf\xE9 d\xE9j\xE0\"\r\n"), std::string::npos);
    s.input.InputFile = u"/home/łukasz/текст.txt";
    ASSERT_EQ(SaveState(s, path()), u"");
    EXPECT_TRUE(bytes().starts_with("\xEF\xBB\xBF\"/home/\xC5\x82ukasz/"));
    Settings back;
    ASSERT_EQ(RestoreSavedState(back, path()), u"");
    EXPECT_EQ(back.input.InputFile, s.input.InputFile);
    EXPECT_EQ(back.ignore.WordsToIgnore, s.ignore.WordsToIgnore);
}

TEST_F(SavedStateFile, RestoreReproducesEveryStoredField) {
    ASSERT_EQ(SaveState(Unusual(), path()), u"");
    Settings back;
    Settings expected = Unusual();
    expected.input.Source = back.input.Source; // Source and UTF8 are not stored
    expected.input.UTF8 = back.input.UTF8;
    expected.output.ShowFilesColumn = back.output.ShowFilesColumn; // nor the files column
    ASSERT_EQ(RestoreSavedState(back, path()), u"");
    EXPECT_EQ(back, expected);
}

// Line 29, written as 0 and never read before it held the output encoding: a new file differs
// from an old one only there, and an old file loads as it did, whatever the line holds.
TEST_F(SavedStateFile, Line29HoldsTheOutputEncodingOlderFilesLoadAsBefore) {
    Settings utf8;
    utf8.output.OutputEncoding = FileEncoding::Utf8;
    ASSERT_EQ(SaveState(utf8, path()), u"");
    std::vector<std::string> lines = DefaultLines();
    lines[28] = "1";
    EXPECT_EQ(bytes(), Join(lines));
    Settings back;
    ASSERT_EQ(RestoreSavedState(back, path()), u"");
    EXPECT_EQ(back, utf8);
    for (const char* old : {"0", "2", "-1", "abc", "\"1", ""}) {
        lines[28] = old;
        Settings s = utf8;
        ASSERT_EQ(RestoreSavedState(s, write(Join(lines))), u"") << old;
        EXPECT_EQ(s, Settings{}) << old;
    }
}

// Line 37: a common-words file of the program's data folder goes by its name, so that the
// file moves to another installation; any other path, and an older file's full path, stay.
TEST_F(SavedStateFile, Line37NamesADataFolderFileByNameAndReadsANameInTheDataFolder) {
    const fs::path data = dir.path() / "share";
    const fs::path elsewhere = dir.path() / "other install";
    Settings s;
    s.ignore.CommonWordsFile = FromPath(data / "cwds_de.txt");
    for (const fs::path& folder : {data, fs::path(data.string() + "/"), data / "." / ""}) {
        ASSERT_EQ(SaveState(s, path(), folder), u"");
        EXPECT_EQ(bytes(), [] {
            std::vector<std::string> lines = DefaultLines();
            lines[36] = "\"cwds_de.txt\"";
            return Join(lines);
        }()) << folder;
    }
    Settings moved;
    ASSERT_EQ(RestoreSavedState(moved, path(), elsewhere), u"");
    EXPECT_EQ(moved.ignore.CommonWordsFile, FromPath(elsewhere / "cwds_de.txt"));
    Settings unplaced; // no data folder: the line as it is
    ASSERT_EQ(RestoreSavedState(unplaced, path()), u"");
    EXPECT_EQ(unplaced.ignore.CommonWordsFile, u"cwds_de.txt");

    // Paths that are not a data-folder file are written and read as they are.
    for (const ustring& other : {FromPath(dir.path() / "mine" / "cwds_de.txt"),
                                 FromPath(data / "sub" / "cwds_de.txt"), ustring(u"")}) {
        s.ignore.CommonWordsFile = other;
        ASSERT_EQ(SaveState(s, path(), data), u"");
        Settings back;
        ASSERT_EQ(RestoreSavedState(back, path(), data), u"");
        EXPECT_EQ(back.ignore.CommonWordsFile, other);
    }

    // Older files hold full paths, a Windows one among them.
    for (const std::string& old :
         {(data / "cwds_en.txt").string(), std::string("C:\\Program Files\\cwds_en.txt"),
          std::string("./cwds_en.txt")}) {
        std::vector<std::string> lines = DefaultLines();
        lines[36] = "\"" + old + "\"";
        Settings back;
        ASSERT_EQ(RestoreSavedState(back, write(Join(lines)), elsewhere), u"") << old;
        EXPECT_EQ(ToUtf8(back.ignore.CommonWordsFile), old);
    }
}

// --- Fuzzing: damaged files never crash, and a failure leaves the settings alone ---

TEST_F(SavedStateFile, EveryTruncationIsHandled) {
    ASSERT_EQ(SaveState(Unusual(), path("full.dvn")), u"");
    const std::string full = bytes("full.dvn");
    const size_t line38 = full.rfind("\r\n", full.size() - 3) + 2;
    for (size_t len = 0; len < full.size(); ++len) {
        Settings s = Unusual();
        s.output.WordOrder = ListOrder::ByFrequency;
        const Settings before = s;
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
    // Values that break a line, separated by bars.
    const std::string junkText =
        std::string("|\"|\"\"|-1|-2|1e9|9999|0.5|1.5|abc| , |\t|\xFF|\"1\"|"
                    "\"a\"b\"|2147483648|\xEF\xBB\xBF|") +
        '\0';
    std::vector<std::string> junk;
    for (size_t from = 0, bar = 0; bar != std::string::npos; from = bar + 1)
        junk.push_back(junkText.substr(from, (bar = junkText.find('|', from)) - from));
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
        Settings s = Unusual();
        const ustring error = RestoreSavedState(s, write(text, "lines" + std::to_string(round)));
        if (!error.empty()) {
            EXPECT_EQ(s, Unusual());
            EXPECT_TRUE(IsRestoreError(error) || error == u"Invalid combo box index");
        } else {
            // Whatever was accepted can be saved and read back the same.
            ++accepted;
            const std::string again = "again" + std::to_string(round);
            ASSERT_EQ(SaveState(s, path(again)), u"");
            Settings back = Unusual();
            ASSERT_EQ(RestoreSavedState(back, path(again)), u"");
            EXPECT_EQ(back, s);
        }
    }
    EXPECT_GT(accepted, 10); // the damage is not always fatal

    for (int round = 0; round < 200; ++round) {
        std::string text(random() % 600, '\0');
        for (char& b : text)
            b = random() % 4 == 0 ? '\n' : char(random() % 256);
        Settings s = Unusual();
        if (!RestoreSavedState(s, write(text, "bytes" + std::to_string(round))).empty()) {
            EXPECT_EQ(s, Unusual()) << "bytes " << round;
        }
    }
}

// --- Saving never leaves a half-written file ---

TEST_F(SavedStateFile, RefusedSaveKeepsTheOldFile) {
    ASSERT_EQ(SaveState(Unusual(), path()), u"");
    const std::string old = bytes();
    Settings s;
    s.ignore.WordsToIgnore = u"one\ntwo";
    EXPECT_EQ(ToUtf8(SaveState(s, path())),
              std::string(kSavePrefix) + "the value of WordsToIgnore holds a line break");
    EXPECT_EQ(bytes(), old);
    fs::create_directory(dir.path() / "taken");
    EXPECT_EQ(ToUtf8(SaveState(Settings{}, path("taken"))),
              std::string(kSavePrefix) + "it is a folder, not a file");
    EXPECT_EQ(ToUtf8(SaveState(Settings{}, path("no/such/folder/state.dvn"))),
              std::string(kSavePrefix) + "No such file or directory");
}

TEST_F(SavedStateFile, FailureWhileWritingKeepsTheOldFileAndLeavesNoTemporary) {
    Settings big;
    big.ignore.WordsToIgnore = ustring(4000, u'w');
    ASSERT_EQ(SaveState(Unusual(), path()), u"");
    const std::string old = bytes();

    ustring error;
    {
        const test::FileSizeLimit limit(1000);
        error = SaveState(big, path());
    }

    EXPECT_EQ(ToUtf8(error), std::string(kSavePrefix) + "File too large");
    EXPECT_EQ(bytes(), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST_F(SavedStateFile, ReplacingKeepsPermissionsAndFollowsLinks) {
    ASSERT_EQ(SaveState(Settings{}, path("real.dvn")), u"");
    fs::permissions(dir.path() / "real.dvn", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(dir.path() / "real.dvn", dir.path() / "link.dvn");
    ASSERT_EQ(SaveState(Unusual(), path("link.dvn")), u"");
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.dvn"));
    EXPECT_EQ(fs::status(dir.path() / "real.dvn").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    Settings back;
    ASSERT_EQ(RestoreSavedState(back, path("real.dvn")), u"");
    EXPECT_EQ(back.input.InputFile, Unusual().input.InputFile);

    // A dangling link is written through to the file it names, or refused when that file's
    // folder is missing; the link itself is never replaced.
    fs::create_symlink("later.dvn", dir.path() / "dangling.dvn");
    ASSERT_EQ(SaveState(Unusual(), path("dangling.dvn")), u"");
    EXPECT_TRUE(fs::is_symlink(dir.path() / "dangling.dvn"));
    EXPECT_TRUE(fs::is_regular_file(dir.path() / "later.dvn"));
    fs::create_symlink(dir.path() / "gone" / "state.dvn", dir.path() / "nowhere.dvn");
    EXPECT_EQ(ToUtf8(SaveState(Unusual(), path("nowhere.dvn"))),
              std::string(kSavePrefix) + "No such file or directory");
    EXPECT_TRUE(fs::is_symlink(dir.path() / "nowhere.dvn"));
}

// --- The state file's place: its folder made only when saving ---

TEST_F(SavedStateFile, StateFileFolderIsMadeOnlyWhenSaving) {
    const fs::path data = dir.path() / "home" / ".local" / "share";
    const ustring state = StateFilePath(FromPath(data), u"Quorvel Dorvane");
    EXPECT_EQ(state, FromPath(data / "Quorvel Dorvane" / "dvn.usr"));
    EXPECT_FALSE(fs::exists(dir.path() / "home"));
    EXPECT_EQ(StateFilePath(u"", u"Quorvel Dorvane"), u"");

    ASSERT_EQ(SaveStateFile(Unusual(), state, {}), u"");
    Settings back;
    ASSERT_EQ(RestoreSavedState(back, state), u"");
    EXPECT_EQ(back.ignore.WordsToIgnore, Unusual().ignore.WordsToIgnore);
}

TEST_F(SavedStateFile, StateFileRefusalNamesTheFolderOrFileAndTheCause) {
    // The data folder lies below a file: no folder can be made there.
    const fs::path home = dir.write("home", "not a folder");
    const ustring state = StateFilePath(FromPath(home / ".local" / "share"), u"Quorvel Dorvane");
    EXPECT_EQ(ToUtf8(SaveStateFile(Settings{}, state, {})),
              std::string(kSavePrefix) + "cannot create the folder " +
                  (home / ".local/share/Quorvel Dorvane").string() + ": Not a directory");
    // The folder is there, the file's place is taken.
    fs::create_directories(dir.path() / "data" / "Quorvel Dorvane" / "dvn.usr");
    const ustring taken = StateFilePath(FromPath(dir.path() / "data"), u"Quorvel Dorvane");
    EXPECT_EQ(ToUtf8(SaveStateFile(Settings{}, taken, {})),
              std::string(kSavePrefix) + ToUtf8(taken) + ": it is a folder, not a file");
    EXPECT_EQ(ToUtf8(SaveStateFile(Settings{}, u"", {})),
              std::string(kSavePrefix) + "there is no folder to keep them in");
}

// A named pipe, found as the state file at start or chosen as a settings file, is refused at
// once rather than waited on; so is a folder.
TEST_F(SavedStateFile, PipesAndFoldersAreRefusedWithoutWaiting) {
    ASSERT_EQ(::mkfifo(ToUtf8(path("pipe.dvn")).c_str(), 0600), 0);
    Settings s;
    EXPECT_EQ(ToUtf8(RestoreSavedState(s, path("pipe.dvn"))),
              std::string(kRestorePrefix) + "it is a named pipe, not a file");
    EXPECT_EQ(ToUtf8(SaveState(s, path("pipe.dvn"))),
              std::string(kSavePrefix) + "it is a named pipe, not a file");
    EXPECT_EQ(ToUtf8(RestoreSavedState(s, FromPath(dir.path()))),
              std::string(kRestorePrefix) + "it is a folder, not a file");
}

} // namespace
} // namespace qd
