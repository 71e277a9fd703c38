#include "CoreStandIns.h"

#include "Host.h"

namespace qd::gui::standin {

void SetDefaultValues(ScanSettings& s) {
    const ScanSettings d;
    const ustring words = s.WordsToIgnore;
    const bool ignoreCommon = s.IgnoreCommonWords;
    const ustring commonFile = s.CommonWordsFile;
    const auto start = s.StartComment;
    const auto end = s.EndComment;
    const ScanSettings mainWindow = s;
    s = d;
    s.WordsToIgnore = words;
    s.IgnoreCommonWords = ignoreCommon;
    s.CommonWordsFile = commonFile;
    s.StartComment = start;
    s.EndComment = end;
    s.Source = mainWindow.Source;
    s.InputFile = mainWindow.InputFile;
    s.OutputFile = mainWindow.OutputFile;
    s.UTF8 = mainWindow.UTF8;
    s.SuppressWords = mainWindow.SuppressWords;
    s.DisableOutputToFile = mainWindow.DisableOutputToFile;
    s.WordOrder = mainWindow.WordOrder;
    s.DisplayFormat = mainWindow.DisplayFormat;
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

ustring StateFilePath(ustring_view appDataFolder, ustring_view programFolderName) {
    return ustring(appDataFolder) + u"/" + ustring(programFolderName) + u"/dvn.usr";
}

ustring SaveState(const ScanSettings&, ustring_view) {
    return u"Error when attempting to save settings: settings files are not available yet";
}

ustring RestoreSavedState(ScanSettings&, ustring_view) {
    return u"Error when attempting to restore settings: settings files are not available yet";
}

void AttemptToReadCommonWords(RunState& state) {
    state.blnCommonWordsLoaded = false;
    state.settings.IgnoreCommonWords = false;
    state.blnWordsGot = false;
}

void cmdListWords_Click(RunState& state) {
    state.host.message(u"Counting is not available yet.", u"Quorvel Dorvane", MsgIcon::Information);
}

void ListWords(RunState&) {}

} // namespace qd::gui::standin
