#pragma once
// What the main window shares with the rest of the program during its life: the settings,
// the word table, the common words and every run variable. One object, owned by the main
// window (or the command line, or a test) and passed to the core routines.

#include "scan/ScanCache.h"
#include "scan/ScanSettings.h"
#include "support/Folders.h"
#include "support/Formatting.h"
#include "support/ProgramTexts.h"
#include "support/UString.h"
#include "support/Yielder.h"
#include "table/WordTable.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace qd {

class Host;

inline constexpr int32_t OutputTextLimit = 65000;

struct RunState {
    RunState(Host& host, Environment env) : host(host), env(std::move(env)) { yield.attach(&host); }
    RunState(const RunState&) = delete;
    RunState& operator=(const RunState&) = delete;

    Host& host;
    Environment env;           // the folders of the program's files and of its temporary folders
    NumberFormat numberFormat; // the user's, set by the front end
    Yielder yield;             // call yield() wherever the program yields to the event loop

    ScanSettings settings;
    WordTable table; // lngNumWords is table.size()

    // Flags
    bool blnStartUpCompleted = false;
    bool blnWordsGot = false;
    bool blnCommonWordsLoaded = false;
    bool blnReadingWords = false;
    bool blnStop = false;
    bool blnElapsedTimeRunning = false;
    bool blnCharacterEntitiesPossible = false;
    bool blnCommentsPossible = false;

    // The settings window's handlers neither ask nor check while a box is put back or a
    // settings file is loaded (HandlersMuted), nor while all boxes are set at once.
    bool HandlersMuted = false;
    bool BulkCheckboxChange = false;

    // Comment markers in force: pair i is (StartMarkers[i], EndMarkers[i]); an empty end
    // marker runs to the end of the line.
    std::array<ustring, 10> StartMarkers;
    std::array<ustring, 10> EndMarkers;
    int intNumCommentMarkers = 0;
    int intWithinComment = -1;

    // The extra characters admitted inside words for the current scan.
    ustring CurrentExtraChars;

    // The line being scanned and the scanner's position in it (0-based in this code).
    ustring strLine;
    size_t lngLP = 0;
    ScanCache scanCache; // the scanner's tables and buffers, kept between lines

    // Words to ignore with one space before and after, or empty.
    ustring strWordsToIgnore;

    // The sorted common words in force.
    std::vector<ustring> CommonWords;
    // The settings window's common-words file box (txbCommonWordsFile): the file last loaded
    // or chosen there, which CommonWordsFile leaves behind when the input file's language
    // names another file.
    ustring txbCommonWordsFile;

    // Counts and listing statistics
    int intThresholdFrequency = 2;
    int intMinWidth = 6;
    int intRankWidth = 6;
    int intFreqWidth = 6;
    int intMaxWordLengthFound = 0;
    int32_t lngNumWordsIncluded = 0;
    int32_t lngNumWordsExcluded = 0;
    int32_t lngMaxFrequency = 0;
    int32_t lngNumOccurrences = 0;
    int32_t lngTotalNumOccurrences = 0;
    int32_t lngFirstFreq = 0;
    int32_t lngSecondsElapsed = 0;

    // The count run
    ustring cmdListWordsCaption; // the count button's caption; text 74 while a run is active
    bool ListingShown = false;   // the output box holds the listing of the last run
    int LineEndingKind = 0;      // of the input file: 1 CR LF or none, 2 LF, 3 CR; 0 unknown
    bool SavedSuppressWords = false;
    ustring ClipboardText; // the clipboard text taken for the current count
    // The most the listing puts into the output box; the command line, which has no box to
    // overflow, lifts it.
    size_t outputTextLimit = OutputTextLimit;

    // The live display of words as found
    bool SuppressionNoticeShown = false;

    // Listing state
    bool ListAfterStop = false;
    bool WritingToFile = false;
    bool OutputFileWritten = false;
    bool blnListing = false; // a listing pass is under way: the table must not change

    // Text-file vetting: the notice about CR-only line ends is shown once, until the main
    // window's variables are initialised again.
    bool MacNoticeShown = false;

    // Docx extraction: a document part above the first size asks, above the second is refused.
    int32_t lngLargeXMLFilesize = 10485760;
    int32_t lngMaxXMLFilesize = 20971520;
    ustring strDocxTempFolder;
    ustring strDocxXMLFilepath;

    ustring strProgramTextFile;
    ProgramTexts texts; // loaded at start by the front end (LoadProgramTexts)

    // The state file, set whenever the variables are initialised (StateFilePath).
    ustring strStateFilePath;
};

} // namespace qd
