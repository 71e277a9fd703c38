#pragma once
// STAND-INS for core routines that are not on main yet. Each keeps the signature of the core
// routine it stands for; the windows switch to the core routine as it lands, and this file
// goes when the last one has.

#include "RunState.h"

namespace qd::gui::standin {

// Settings defaults (settings/Defaults).
void SetDefaultValues(ScanSettings& settings);
void Initialize(ScanSettings& settings);

// Settings files (settings/SavedState): error text, empty on success.
ustring StateFilePath(ustring_view appDataFolder, ustring_view programFolderName);
ustring SaveState(const ScanSettings& settings, ustring_view filePath);
ustring RestoreSavedState(ScanSettings& settings, ustring_view filePath);

// Common words (settings/CommonWords): reads settings.CommonWordsFile.
void AttemptToReadCommonWords(RunState& state);

// The count run (input/CountRun).
void cmdListWords_Click(RunState& state);
// The listing (table/Listing).
void ListWords(RunState& state);

} // namespace qd::gui::standin
