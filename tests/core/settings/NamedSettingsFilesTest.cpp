#include "settings/NamedSettingsFiles.h"
#include "settings/SavedState.h"
#include "support/Folders.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

// Records the titles and filters the dialogs are opened with.
class DialogHost : public test::ScriptedHost {
public:
    std::vector<std::pair<ustring, ustring>> dialogs;
    ustring chooseOpenFile(ustring_view title, ustring_view filter, ustring_view start) override {
        dialogs.emplace_back(title, filter);
        return ScriptedHost::chooseOpenFile(title, filter, start);
    }
    ustring chooseSaveFile(ustring_view title, ustring_view filter, ustring_view start) override {
        dialogs.emplace_back(title, filter);
        return ScriptedHost::chooseOpenFile(title, filter, start);
    }
};

class NamedSettingsFiles : public ::testing::Test {
protected:
    ustring file(std::string_view name) const { return FromPath(dir.path() / name); }
    test::TempDir dir;
    DialogHost host;
};

// Saving.
TEST_F(NamedSettingsFiles, SaveWritesTheChosenFile) {
    ScanSettings s;
    s.WordsToIgnore = u"alpha beta";
    host.fileAnswers.push_back(file("mine.dvn"));
    const SettingsFileOutcome outcome = SaveSettingsToFile(host, s);
    EXPECT_TRUE(outcome.chosen);
    EXPECT_EQ(outcome.path, file("mine.dvn"));
    EXPECT_EQ(outcome.error, u"");
    EXPECT_EQ(outcome.caption, u"Settings saved to");
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.dialogs[0].first, u"Specify file to save settings to");
    EXPECT_EQ(host.dialogs[0].second, u"Settings files (*.dvn)");
    EXPECT_TRUE(host.messages.empty());
    ScanSettings back;
    ASSERT_EQ(RestoreSavedState(back, file("mine.dvn")), u"");
    EXPECT_EQ(back.WordsToIgnore, u"alpha beta");
}

TEST_F(NamedSettingsFiles, FailedSaveIsShown) {
    host.fileAnswers.push_back(file("missing/folder/mine.dvn"));
    const SettingsFileOutcome outcome = SaveSettingsToFile(host, ScanSettings{});
    EXPECT_TRUE(outcome.chosen);
    EXPECT_EQ(outcome.caption, u"Error saving to");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, u"Save settings");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(host.messages[0].text, outcome.error);
    EXPECT_EQ(host.lastMessage(),
              "Error when attempting to save settings: No such file or directory");
}

// Loading.
TEST_F(NamedSettingsFiles, LoadReadsTheChosenFile) {
    ScanSettings saved;
    saved.DisplayFormat = 4;
    ASSERT_EQ(SaveState(saved, file("mine.dvn")), u"");
    host.fileAnswers.push_back(file("mine.dvn"));
    ScanSettings s;
    const SettingsFileOutcome outcome = LoadSettingsFromFile(host, s);
    EXPECT_EQ(outcome.caption, u"Settings loaded from");
    EXPECT_EQ(s.DisplayFormat, 4);
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.dialogs[0].first, u"Specify file to load settings from.");
    EXPECT_EQ(host.dialogs[0].second, u"Settings files (*.dvn)");
}

TEST_F(NamedSettingsFiles, FailedLoadIsShownAndChangesNothing) {
    dir.write("bad.dvn", "\"only one line\"\r\n");
    host.fileAnswers.push_back(file("bad.dvn"));
    ScanSettings s;
    s.WordsToIgnore = u"kept";
    const SettingsFileOutcome outcome = LoadSettingsFromFile(host, s);
    EXPECT_TRUE(outcome.chosen);
    EXPECT_EQ(outcome.caption, u"Error loading from");
    EXPECT_EQ(s.WordsToIgnore, u"kept");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, u"Load settings");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(host.lastMessage().starts_with("Error when attempting to restore settings: "));
}

TEST_F(NamedSettingsFiles, CancelledDialogsDoNothing) {
    const SettingsFileOutcome saved = SaveSettingsToFile(host, ScanSettings{});
    EXPECT_FALSE(saved.chosen);
    EXPECT_EQ(saved.caption, u"");
    ScanSettings s;
    EXPECT_FALSE(LoadSettingsFromFile(host, s).chosen);
    EXPECT_EQ(s, ScanSettings{});
    EXPECT_TRUE(host.messages.empty());
}

} // namespace
} // namespace qd
