#include "settings/NamedSettingsFiles.h"

#include "settings/SavedState.h"
#include "text/Host.h"

namespace qd {

SettingsFileOutcome SaveSettingsToFile(Host& host, const Settings& settings,
                                       const std::filesystem::path& dataFolder) {
    SettingsFileOutcome outcome;
    outcome.path = host.chooseSaveFile(SaveSettingsDialogTitle, SettingsFileFilter, u"");
    if (outcome.path.empty()) return outcome;
    outcome.chosen = true;
    outcome.error = SaveState(settings, outcome.path, dataFolder);
    if (outcome.error.empty()) {
        outcome.caption = u"Settings saved to";
    } else {
        host.message(outcome.error, u"Save settings", MsgIcon::Exclamation);
        outcome.caption = u"Error saving to";
    }
    return outcome;
}

SettingsFileOutcome LoadSettingsFromFile(Host& host, Settings& settings,
                                         const std::filesystem::path& dataFolder) {
    SettingsFileOutcome outcome;
    outcome.path = host.chooseOpenFile(LoadSettingsDialogTitle, SettingsFileFilter, u"");
    if (outcome.path.empty()) return outcome;
    outcome.chosen = true;
    outcome.error = RestoreSavedState(settings, outcome.path, dataFolder);
    if (outcome.error.empty()) {
        outcome.caption = u"Settings loaded from";
    } else {
        host.message(outcome.error, u"Load settings", MsgIcon::Exclamation);
        outcome.caption = u"Error loading from";
    }
    return outcome;
}

} // namespace qd
