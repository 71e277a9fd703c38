#pragma once
// What a session of the program keeps during its life: the settings, the word lists, the
// last count's result, where the program stands and the count under way. One object, owned
// by the main window (or the command line, or a test) and passed to the session's routines.

#include "count/AddWordToList.h"
#include "count/CountText.h"
#include "scan/Scanner.h"
#include "scan/Settings.h"
#include "table/ExcludedWords.h"
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

// Where the program stands between counts and during one.
struct SessionFlags {
    bool startUpCompleted = false;
    bool wordsGot = false; // the word table holds the words of the current input
    bool commonWordsLoaded = false;
    bool stopRequested = false;
    RunPhase phase = RunPhase::Idle; // set through SetRunPhase, which the count button shows
    bool ListingShown = false;       // the output box holds the listing of the last run
    // The notice about CR-only line ends is shown once, until the main window's variables
    // are initialised again.
    bool MacNoticeShown = false;
};

// The count under way: its input, where its listing goes, and how far it has come.
struct CountUnderWay {
    ustring ClipboardText; // the clipboard text taken for the current count
    // An input read as a stream (standard input, a pipe) in place of the file InputFile
    // names, which then only names the input in messages; null for a file.
    TextFileReader* inputStream = nullptr;
    // Where the listing goes; null for the output box.
    ListingOutput* listingOutput = nullptr;

    bool elapsedTimeRunning = false;
    int32_t secondsElapsed = 0;
    bool SavedSuppressWords = false;
    bool SuppressionNoticeShown = false; // the live display has stopped for this run
    bool ListAfterStop = false;
    bool WritingToFile = false;
    bool OutputFileWritten = false;
    bool listingUnderWay = false; // a listing pass is under way: the table must not change
    int32_t refusedInputs = 0;    // named inputs of a count of several that were refused
};

// Docx extraction: a document part above the first size asks, above the second is refused.
struct DocxWork {
    int32_t largeXmlFileSize = 10485760;
    int32_t maxXmlFileSize = 20971520;
    ustring tempFolder;
    ustring xmlPath;
    TempFolderClaim tempFolderClaim; // held while tempFolder is in use
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
    ProgramTexts texts;        // loaded at start by the front end (LoadProgramTexts)

    Settings settings;
    WordLists lists; // the words to ignore and the common words
    CountResult result;
    // The words the last count left out and why, kept only when the front end asks
    // (keepExcludedWords): for the window's tally and its "Show words left out", and for
    // quorvel-count --why and --ignored.
    bool keepExcludedWords = false;
    // A large text file or a stream is read and decoded on the counting thread as well, not
    // ahead of it on a second thread: the front end's choice, for comparing the two
    // (quorvel-count --one-thread). The lines and the results are the same either way.
    bool oneThread = false;
    ExcludedWords excluded;
    SessionFlags session;
    CountUnderWay current;
    DocxWork docx;

    // The scanner, handing its words to the word table (AddWordToList).
    Scanner scanner{settings, lists, yield, session.stopRequested, session.startUpCompleted};
    TableWordSink tableSink{*this};
};

} // namespace qd
