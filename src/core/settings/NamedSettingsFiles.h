#pragma once
// The settings window's "Save settings to file" and "Load settings from file" commands, as
// far as they go beyond the window: choosing the file, writing or reading it, reporting a
// failure and the caption that lblParameters shows afterwards.

#include "scan/Settings.h"
#include "text/UString.h"

#include <filesystem>

namespace qd {

class Host;

inline constexpr char16_t SaveSettingsDialogTitle[] = u"Specify file to save settings to";
inline constexpr char16_t LoadSettingsDialogTitle[] = u"Specify file to load settings from.";
inline constexpr char16_t SettingsFileFilter[] = u"Settings files (*.dvn)";

struct SettingsFileOutcome {
    bool chosen = false; // false: the person cancelled the dialog and nothing changed
    ustring path;        // the chosen file, for txbParametersFile
    ustring error;       // empty on success; otherwise already shown to the person
    ustring caption;     // the new caption of lblParameters
};

// Asks for a file (save dialog) and writes the settings to it. A failure is shown with the
// exclamation icon and the title "Save settings". dataFolder: the program's data folder, where
// the shipped common-words files are (see SavedState.h).
SettingsFileOutcome SaveSettingsToFile(Host& host, const Settings& settings,
                                       const std::filesystem::path& dataFolder);

// Asks for a file (open dialog) and reads the settings from it. A failure is shown with the
// exclamation icon and the title "Load settings", and the settings are left unchanged; the
// caller then returns every setting to its default (InitializeVariables). On success the
// caller normalises WordsToIgnore and brings the controls in line. The caller mutes the
// settings window's handlers around this call.
SettingsFileOutcome LoadSettingsFromFile(Host& host, Settings& settings,
                                         const std::filesystem::path& dataFolder);

} // namespace qd
