#pragma once
// The default values of the settings record, as "Restore defaults", "Reinitialize" and a
// start without a state file set them.

#include "scan/Settings.h"
#include "text/UString.h"

#include <filesystem>

namespace qd {

// Resets every flag and list of the settings window to its default. WordsToIgnore,
// IgnoreCommonWords, CommonWordsFile, the comment-marker texts and the main window's fields
// are left alone. The caller also clears wordsGot (before, so that no box asks to read the
// source anew) and selects the "C" comment preset as the markers in force.
void SetDefaultValues(Settings& settings);

// The full reinitialisation: empties InputFile, OutputFile, WordsToIgnore and
// CommonWordsFile, clears UTF8 and SuppressWords, and runs SetDefaultValues. The caller also
// selects the "C" comment preset, empties the settings-file name shown in the settings
// window and renormalises WordsToIgnore (which empties the word lists).
void Initialize(Settings& settings);

// The entries the five lists select when they are filled at start: WordOrder and
// DisplayFormat 0, and the defaults of the three size lists.
void SelectListDefaults(Settings& settings);

// CommonWordsFile at start, before the input file's language is known: "cwds_en.txt" in the
// program folder.
ustring DefaultCommonWordsFile(const std::filesystem::path& programFolder);

} // namespace qd
