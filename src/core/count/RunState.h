#pragma once
// What the main window shares with the rest of the program during its life: the settings,
// the word table, the common words and every run variable. One object, owned by the main
// window (or the command line, or a test) and passed to the core routines.

#include "count/AddWordToList.h"
#include "scan/Scanner.h"
#include "scan/Settings.h"
#include "table/ListStatistics.h"
#include "table/WordTable.h"
#include "text/Folders.h"
#include "text/Formatting.h"
#include "text/ProgramTexts.h"
#include "text/UString.h"
#include "text/Yielder.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace qd {

class Host;
class ListingOutput;
class TextFileReader;

inline constexpr int32_t OutputTextLimit = 65000;

// What a run is doing. Between runs the count button starts one; during a run it reads
// "Stop" and a click on it asks whether to stop.
enum class RunPhase {
    Idle,               // no run
    Counting,           // reading the words of the file or the clipboard
    Listing,            // ranking and listing the words found
    ReadingCommonWords, // reading the file of common words
};

struct RunState {
    RunState(Host& host, Environment env) : host(host), env(std::move(env)) {
        yield.attach(&host);
        scanner.setSink(&tableSink);
    }
    RunState(const RunState&) = delete;
    RunState& operator=(const RunState&) = delete;

    Host& host;
    Environment env;           // the folders of the program's files and of its temporary folders
    NumberFormat numberFormat; // the user's, set by the front end
    Yielder yield;             // call yield() wherever the program yields to the event loop

    Settings settings;
    WordTable table;

    // Flags
    bool startUpCompleted = false;
    bool wordsGot = false;
    bool commonWordsLoaded = false;
    bool stopRequested = false;
    bool elapsedTimeRunning = false;

    // The words to ignore and the common words; the scanner, handing its words to the word
    // table (AddWordToList).
    WordLists lists;
    Scanner scanner{settings, lists, yield, stopRequested, startUpCompleted};
    TableWordSink tableSink{*this};

    // The settings window's handlers neither ask nor check while a box is put back or a
    // settings file is loaded (HandlersMuted), nor while all boxes are set at once.
    bool HandlersMuted = false;
    bool BulkCheckboxChange = false;

    // The settings window's common-words file box (txbCommonWordsFile): the file last loaded
    // or chosen there, which CommonWordsFile leaves behind when the input file's language
    // names another file.
    ustring txbCommonWordsFile;

    // Counts and listing statistics
    ListStatistics stats;
    int32_t secondsElapsed = 0;

    // The count run
    RunPhase phase = RunPhase::Idle; // set through SetRunPhase, which the count button shows
    bool ListingShown = false;       // the output box holds the listing of the last run
    bool SavedSuppressWords = false;
    ustring ClipboardText; // the clipboard text taken for the current count
    // An input read as a stream (standard input, a pipe) in place of the file InputFile
    // names, which then only names the input in messages; null for a file.
    TextFileReader* inputStream = nullptr;
    // Where the listing goes; null for the output box.
    ListingOutput* listingOutput = nullptr;

    // The live display of words as found
    bool SuppressionNoticeShown = false;

    // Listing state
    bool ListAfterStop = false;
    bool WritingToFile = false;
    bool OutputFileWritten = false;
    bool listingUnderWay = false; // a listing pass is under way: the table must not change

    // Text-file vetting: the notice about CR-only line ends is shown once, until the main
    // window's variables are initialised again.
    bool MacNoticeShown = false;

    // Docx extraction: a document part above the first size asks, above the second is refused.
    int32_t largeXmlFileSize = 10485760;
    int32_t maxXmlFileSize = 20971520;
    ustring docxTempFolder;
    ustring docxXmlPath;

    ustring programTextPath;
    ProgramTexts texts; // loaded at start by the front end (LoadProgramTexts)

    // The state file, set whenever the variables are initialised (StateFilePath).
    ustring stateFilePath;
};

} // namespace qd
