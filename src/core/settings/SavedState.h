#pragma once
// The settings in a file: the state file "dvn.usr" in the user's application-data folder
// and named settings files (*.dvn), both 38 positional lines in the same format.
//
// Each line holds one value, CR LF at its end: a string in double quotes (written as it is,
// so a double quote inside stays; the reader takes everything between the first and the
// last quote of the line), a flag as 0 or 1, a list field as the index of its entry. The
// file is Windows-1252; when a value holds a character Windows-1252 lacks, the whole file is
// written as UTF-8 behind a byte-order mark instead, and read back the same way.
//
// Line 37, CommonWordsFile, names a file in the program's data folder (dataFolder below: the
// shipped common-words files are there) by its file name alone, and a value without a folder
// is read as a file in that folder, so that a settings file moves between installations. A
// path elsewhere, and a full path into the data folder that older files hold, is read as it
// is. An empty dataFolder keeps the line exactly as it is.

#include "scan/Settings.h"
#include "text/UString.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace qd {

inline constexpr char16_t StateFileName[] = u"dvn.usr";
inline constexpr int StateFileLineCount = 38;

// The field of each line in order. Line 29, OutputEncoding, is 0 for Windows-1252 and 1 for
// UTF-8; a reader that skips it (as older versions do) still finds every other line.
// Source, UTF8 and ShowFilesColumn (newer than the file's 38 lines) are not stored.
extern const std::array<std::string_view, StateFileLineCount> StateFileLines;

// The state file: appDataFolder / programFolderName / "dvn.usr", where programFolderName is
// program text 310; empty when there is no appDataFolder. Only
// the path: the folder is made when the settings are first saved (SaveStateFile).
ustring StateFilePath(ustring_view appDataFolder, ustring_view programFolderName);

// Writes the settings to filePath. The lines go to a new file in the same folder that then
// replaces the old one, so a failure leaves any earlier file as it was. Returns
// "Error when attempting to save settings: " and the reason, or empty on success.
ustring SaveState(const Settings& settings, ustring_view filePath,
                  const std::filesystem::path& dataFolder = {});

// SaveState to the state file at stateFilePath, first making its folder (the program's own,
// inside the user's data folder) when it is not there yet. A failure names the folder or the
// file and the cause: "Error when attempting to save settings: cannot create the folder
// /home/ann/.local/share/Quorvel Dorvane: Permission denied". An empty stateFilePath, where
// the user has no data folder, is refused.
ustring SaveStateFile(const Settings& settings, ustring_view stateFilePath,
                      const std::filesystem::path& dataFolder);

// Reads settings from filePath into settings. Returns an error text, empty on success:
// "Error when attempting to restore settings: " and the reason when the file cannot be read
// or a value does not fit its field, "Invalid combo box index" when a list field holds -1.
// On any error the settings stay exactly as they were. Source and UTF8 are never changed.
// The caller then normalises WordsToIgnore (which sets the word lists) and brings the
// controls in line.
// A folder, a named pipe, a socket or a device at filePath is refused with a message that
// says which; the program never waits on one.
ustring RestoreSavedState(Settings& settings, ustring_view filePath,
                          const std::filesystem::path& dataFolder = {});

// The two halves of the files above without the file: the bytes SaveState writes (or its
// error text), and the reading of RestoreSavedState from bytes already read.
ustring SettingsFileBytes(const Settings& settings, std::string& bytes,
                          const std::filesystem::path& dataFolder = {});
ustring SettingsFromBytes(Settings& settings, std::string_view bytes,
                          const std::filesystem::path& dataFolder = {});

} // namespace qd
