#include "input/CountRun.h"

#include "Host.h"
#include "RunState.h"
#include "input/DocxArchive.h"
#include "input/DocxExtraction.h"
#include "input/DocxText.h"
#include "input/FileNames.h"
#include "input/LineCharacters.h"
#include "input/PathIdentity.h"
#include "input/RunStatus.h"
#include "input/RunTexts.h"
#include "input/StandIns.h"
#include "input/TextFileReader.h"
#include "input/TextFileVetting.h"
#include "scan/CaseFolding.h"
#include "support/ErrorReport.h"
#include "support/Folders.h"
#include "table/Listing.h"
#include "table/PostCountRules.h"
#include "table/WordOrdering.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <system_error>
#include <unistd.h>

namespace qd {

namespace {

constexpr int64_t kLargeInputBytes = 204800;    // above: advise an output file
constexpr int64_t kProgressBarMinBytes = 10240; // above: draw the progress bar
constexpr int32_t kStopQuestionWords = 2000;    // from here a stop is confirmed
constexpr int32_t kKeepElapsedSeconds = 4;      // below: the elapsed time is blanked

constexpr char16_t kCrLf[] = u"\r\n";
constexpr int kErrPermissionDenied = 70;

ErrorInfo ErrorOf(const std::exception& e) {
    if (dynamic_cast<const std::bad_alloc*>(&e)) return {7, u"Out of memory"};
    if (auto* se = dynamic_cast<const std::system_error*>(&e);
        se && se->code().category() == std::generic_category())
        return FileErrorInfo(se->code().value());
    return {51, u"Internal error: " + U(e.what())};
}

// Empties the named output file (unless output to file is disabled) by opening it for
// writing and closing it at once. Comes after every check of a source, so that a refused
// run leaves the file as it was.
bool EmptyNamedOutputFile(const RunState& run, ErrorInfo& error) {
    const ScanSettings& s = run.settings;
    if (s.OutputFile.empty() || s.DisableOutputToFile) return true;
    const int fd =
        ::open(ToPath(s.OutputFile).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = FileErrorInfo(errno);
        return false;
    }
    ::close(fd);
    return true;
}

void ClearOutputBox(Host& host) {
    host.setOutputText(u"");
    host.repaint();
}

void InputError(RunState& run, ustring_view text) {
    run.host.message(text, RunText(run, kTextErrorTitle), MsgIcon::Exclamation);
    ClearOutputBox(run.host);
}

// TrimControls on the raw bytes: the blanks and control characters at both ends go. (Bytes
// up to 32 are the same characters in Windows-1252, and no other byte becomes one.)
std::string_view TrimmedBytes(std::string_view bytes) {
    size_t b = 0, e = bytes.size();
    while (b < e && static_cast<unsigned char>(bytes[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(bytes[e - 1]) <= 32)
        --e;
    return bytes.substr(b, e - b);
}

// Removes leading and trailing spaces; true when there were any.
bool TrimSpaces(ustring& text) {
    const size_t b = text.find_first_not_of(u' ');
    if (b == ustring::npos) {
        const bool had = !text.empty();
        text.clear();
        return had;
    }
    const size_t e = text.find_last_not_of(u' ');
    if (b == 0 && e + 1 == text.size()) return false;
    text = text.substr(b, e - b + 1);
    return true;
}

// The stop test after each scanned line: true when reading ends here. Below 2000 distinct
// words a stop is taken at once; from there the person is asked to confirm.
bool ReadingStops(RunState& run) {
    if (!run.blnStop) return false;
    const int32_t n = run.table.size();
    if (n < kStopQuestionWords) return true;
    const Answer a = run.host.message(u" " + FromInt(n) +
                                          u" different words have been found.\r\n"
                                          u"Do you really wish to stop?",
                                      RunText(run, kTextStop), MsgIcon::Question, MsgButtons::YesNo,
                                      Answer::Yes);
    if (a == Answer::Yes) return true;
    run.blnStop = false;
    return false;
}

// Scans strLine, which the caller has prepared. The scanner leaves a line as soon as a stop
// is requested; when the person then declines the stop, the scan goes on from the word where
// it left, so that no word of the line is lost. True when reading ends here.
bool ScanAndTestStop(RunState& run) {
    for (;;) {
        ScanLine(run);
        if (!run.blnStop) return false;
        if (ReadingStops(run)) return true;
        if (run.lngLP >= run.strLine.size()) return false;
        run.strLine.erase(0, run.lngLP);
    }
}

// The line in strLine as the scanner wants it (UTF-8 and typographic punctuation decoded
// when the input is UTF-8, lower-cased unless case is significant, one space after), then
// scanned. True when reading ends here.
bool PrepareAndScanLine(RunState& run) {
    if (run.settings.UTF8) run.strLine = ReplaceTypographicUtf8(DecodeUtf8Pairs(run.strLine));
    if (!run.settings.CaseSignificant) LowerCaseAccentedInPlace(run.strLine, &run.yield);
    run.strLine.push_back(u' ');
    return ScanAndTestStop(run);
}

// The encoding question when the detection and the UTF-8 setting disagree. False when the
// person cancels.
bool SettleEncoding(RunState& run, bool detectedUtf8) {
    ScanSettings& s = run.settings;
    ustring prompt;
    if (!s.UTF8 && detectedUtf8)
        prompt = u"This file seems to be UTF-8 encoded.\r\n"
                 u"Click 'Yes' to scan it as UTF-8 encoded or 'No' to scan it as ANSI.";
    else if (s.UTF8 && !detectedUtf8)
        prompt = u"This file does not seem to be UTF-8 encoded.\r\n"
                 u"Click 'Yes' to scan it as UTF-8 encoded (not advisable)\r\n"
                 u"or 'No' to scan it as ANSI.";
    else
        return true;
    const Answer a = run.host.message(prompt, u"UTF-8 or ANSI file?", MsgIcon::Question,
                                      MsgButtons::YesNoCancel, Answer::Yes);
    if (a == Answer::Cancel) return false;
    if (a == Answer::Yes) {
        s.UTF8 = true;
        s.Only7bitASCII = false;
    } else {
        s.UTF8 = false;
    }
    run.host.settingsChanged();
    return true;
}

enum class LargeInput { Continue, Cancel, SameAsInput };

// The advice to name an output file for a large input; the person may choose one now.
LargeInput AdviseOutputFile(RunState& run, int64_t size) {
    ScanSettings& s = run.settings;
    if (size <= kLargeInputBytes || !s.OutputFile.empty()) return LargeInput::Continue;
    const Answer a = run.host.message(
        u"The input file is quite large.  It is advisable to specify an output file "
        u"before continuing, in case the text window will not hold the result. "
        u"Do you wish to specify an output file?",
        u"Large input file", MsgIcon::Question, MsgButtons::YesNoCancel, Answer::Yes);
    if (a == Answer::Cancel) return LargeInput::Cancel;
    if (a != Answer::Yes) return LargeInput::Continue;
    ustring chosen = run.host.chooseOutputFile();
    if (chosen.empty()) return LargeInput::Continue;
    // The list must never be written over the file it was counted from.
    if (SameFile(chosen, s.InputFile)) {
        InputError(run, u"Output file cannot be the same as the input file.");
        return LargeInput::SameAsInput;
    }
    s.OutputFile = std::move(chosen);
    run.host.settingsChanged();
    return LargeInput::Continue;
}

// Step 19 of reading a file, shared by its two branches.
void EndOfReading(RunState& run) {
    ResetTotalNumOccurrencesLabel(run.host);
    if (run.settings.SuppressWords != run.SavedSuppressWords) {
        run.settings.SuppressWords = run.SavedSuppressWords;
        run.host.settingsChanged();
    }
    run.host.setLabel(LabelId::Twirler, u" ");
}

// Reads the text file line by line into the word table. False when an error was reported.
bool ReadTextFile(RunState& run, ustring_view path, int64_t size) {
    TextFileReader reader;
    if (!reader.open(ToPath(path))) {
        ReportError(run, reader.error().number, reader.error().description, u"DoItFromFile");
        return false;
    }
    const bool drawBar = size > kProgressBarMinBytes;
    FileProgressBar bar(run.host, size);
    int64_t running = 0;
    std::string_view bytes;
    for (;;) {
        run.yield();
        if (!reader.nextLine(bytes)) break;
        running += reader.consumed();
        if (drawBar) bar.update(running);
        const std::string_view trimmed = TrimmedBytes(bytes);
        if (trimmed.empty()) continue;
        if (run.settings.UTF8) {
            WidenCp1252(trimmed, false, run.strLine);
            if (PrepareAndScanLine(run)) break;
        } else {
            // Read as ANSI, the line is lowered while its bytes become characters.
            WidenCp1252(trimmed, !run.settings.CaseSignificant, run.strLine);
            run.strLine.push_back(u' ');
            if (ScanAndTestStop(run)) break;
        }
    }
    if (reader.failed()) {
        ReportError(run, reader.error().number, reader.error().description, u"DoItFromFile");
        return false;
    }
    return true;
}

// Reads the extracted document part and scans its text as one line. False when the text
// could not be read or the extraction was stopped: the run ends there.
bool ReadDocx(RunState& run, ustring_view path, int64_t size) {
    Host& host = run.host;
    host.setOutputText(u"Processing input file ...\r\n\r\n");
    host.repaint();
    SetTotalNumOccurrencesForFileProgressBar(host);
    host.setSuppressWordsVisible(false);
    DocxText docx = ReadDocxText(run, run.strDocxXMLFilepath, true, int32_t(size));
    host.setSuppressWordsVisible(true);
    if (docx.result == DocxReadResult::Error) {
        ReportDocxReadError(host, docx.message, path);
        run.blnStop = true;
    }
    if (run.blnStop || docx.result != DocxReadResult::Ok) {
        ClearOutputBox(host);
        run.blnStop = false;
        host.enableMainControls(true);
        SetCountButtonCaption(run, RunText(run, kTextCountWords));
        ResetTotalNumOccurrencesLabel(host);
        return false;
    }
    ClearOutputBox(host);
    run.yield.processNow();
    ResetTotalNumOccurrencesLabel(host);
    run.strLine = std::move(docx.text);
    if (!run.strLine.empty()) {
        // The extraction has decoded the text already.
        if (!run.settings.CaseSignificant) LowerCaseAccentedInPlace(run.strLine, &run.yield);
        run.strLine.push_back(u' ');
        ScanAndTestStop(run);
    }
    return true;
}

void CommonEnd(RunState& run) {
    run.host.enableMainControls(true);
    SetCountButtonCaption(run, RunText(run, kTextCountWords));
    run.host.setLabel(LabelId::Twirler, u" ");
    run.host.setTheFocus();
}

RunOutcome ErrorStep(RunState& run, const ErrorInfo& error) {
    ReportError(run, error.number, error.description, u"DoIt");
    if (error.number == kErrPermissionDenied)
        run.host.setOutputText(u"Error: " + error.description + kCrLf + kCrLf +
                               u"If the output file is open in Excel then it must first be "
                               u"closed\r\nor a different file should be specified as the "
                               u"output file.");
    CommonEnd(run);
    return RunOutcome::Failed;
}

// The stop outcome: tells what was found and asks whether to list it. False when the
// person declines the listing.
bool ListAfterAStop(RunState& run) {
    Host& host = run.host;
    run.blnStop = false;
    if (host.outputLength() > 0) host.appendOutputText(u"\r\n\r\n");
    const int32_t n = run.table.size();
    host.appendOutputText(u"Stopped with " + FromInt(n) + (n == 1 ? u" word" : u" words") +
                          u" found.");
    ConcealNumWords(host, false);
    host.setOutputCaret(true);
    const Answer a =
        host.message(u"The operation was stopped before all words were counted.\r\n"
                     u"Do you wish to list the words which were found?",
                     u"Counting interrupted", MsgIcon::Question, MsgButtons::YesNo, Answer::Yes);
    if (a == Answer::No) {
        host.enableMainControls(true);
        SetCountButtonCaption(run, RunText(run, kTextCountWords));
        return false;
    }
    run.ListAfterStop = true;
    return true;
}

void PostCountSteps(RunState& run) {
    Host& host = run.host;
    const int statusTexts[] = {kTextApplyingRules, kTextComputingStatistics, kTextRankingWords};
    for (int step = 0; step < 3; ++step) {
        host.setOutputText(RunText(run, statusTexts[step]) + u" ...");
        host.repaint();
        switch (step) {
        case 0:
            ApplyPostCountRules(run);
            break;
        case 1:
            ComputeListStatistics(run);
            break;
        default:
            BuildFrequencyOrder(run);
            break;
        }
    }
}

// The file becomes the source again, as a click on the "file" option makes it.
void SelectFileSource(RunState& run) {
    run.settings.Source = SourceKind::InFile;
    run.blnWordsGot = false;
    if (run.ListingShown) run.host.setOutputText(u"");
    run.host.setLabel(LabelId::SizeOfClipboardContents, u"");
    run.host.settingsChanged();
    run.host.setTheFocus();
}

RunOutcome RunFromSourceOn(RunState& run, ustring_view clipboardText) {
    Host& host = run.host;
    ScanSettings& s = run.settings;

    // The list must never be written over the file it is counted from, and the check comes
    // before the output file is emptied.
    if (s.Source == SourceKind::InFile && TrimSpaces(s.InputFile)) host.settingsChanged();
    if (s.Source == SourceKind::InFile && !s.OutputFile.empty() &&
        SameFile(s.OutputFile, s.InputFile)) {
        InputError(run, u"Output file cannot be the same as the input file.");
        return RunOutcome::Refused;
    }

    run.lngTotalNumOccurrences = 0;
    host.setLabelVisible(LabelId::TimeElapsed, true);
    host.setLabel(LabelId::TimeElapsed, u"Time elapsed: 0s");
    run.blnElapsedTimeRunning = true;
    run.lngSecondsElapsed = 0;
    host.setElapsedTimerEnabled(true);

    SourceResult read;
    ErrorInfo outputError;
    if (s.Source == SourceKind::InFile) {
        read = DoItFromFile(run, outputError);
    } else if (GetClipboardText(run, clipboardText, false)) {
        read = DoItFromClipboard(run, outputError);
    } else {
        SelectFileSource(run);
        return RunOutcome::Refused;
    }
    if (read == SourceResult::Refused) return RunOutcome::Refused;
    if (read == SourceResult::OutputFailed) return ErrorStep(run, outputError);

    SortWordTable(run.table, 1, run.table.size(), 1);

    if (run.blnStop && !ListAfterAStop(run)) return RunOutcome::NotListed;

    run.blnWordsGot = !run.ListAfterStop;
    SetCountButtonCaption(run, RunText(run, kTextStop));
    host.repaint();
    host.setCountButtonEnabled(false);
    PostCountSteps(run);
    ShowCounts(run);
    run.ListingShown = true;
    host.setCountButtonEnabled(true);
    ListWords(run);
    CommonEnd(run);
    return read == SourceResult::ReadAfterError ? RunOutcome::Failed : RunOutcome::Listed;
}

} // namespace

RunOutcome cmdListWords_Click(RunState& run, ustring_view clipboardText) {
    Host& host = run.host;
    ScanSettings& s = run.settings;
    if (CountIsRunning(run)) {
        const Answer a = host.message(RunText(run, kTextStopQuestion), RunText(run, kTextStop),
                                      MsgIcon::Question, MsgButtons::YesNo, Answer::No);
        if (a == Answer::No) return RunOutcome::StopDeclined;
        run.blnStop = true;
        return RunOutcome::StopRequested;
    }
    if (s.UTF8 && s.Only7bitASCII) {
        const ustring text = IsDocxFile(s.InputFile)
                                 ? u"Scanning a 'docx' file is not compatible with\r\n"
                                   u"allowing only 7-bit ASCII characters."
                                 : u"Scanning as UTF-8 is not compatible with\r\n"
                                   u"allowing only 7-bit ASCII characters.";
        host.message(text, u"Incompatible setting", MsgIcon::Exclamation);
        return RunOutcome::Refused;
    }
    run.intThresholdFrequency = s.ThresholdFrequency + 2;
    const RunOutcome outcome = DoIt(run, clipboardText);
    host.setElapsedTimerEnabled(false);
    run.blnElapsedTimeRunning = false;
    if (run.lngSecondsElapsed < kKeepElapsedSeconds) host.setLabel(LabelId::TimeElapsed, u"");
    return outcome;
}

RunOutcome DoIt(RunState& run, ustring_view clipboardText) {
    if (!CheckAllowedExtraChars(run)) {
        run.host.showSettingsWindow();
        return RunOutcome::Refused;
    }
    BuildCurrentExtraChars(run);
    run.blnReadingWords = false;
    run.ListAfterStop = false;
    run.blnCharacterEntitiesPossible = false;
    run.intMinWidth = 6;
    try {
        return RunFromSourceOn(run, clipboardText);
    } catch (const std::exception& e) {
        return ErrorStep(run, ErrorOf(e));
    }
}

SourceResult DoItFromFile(RunState& run, ErrorInfo& outputError) {
    Host& host = run.host;
    ScanSettings& s = run.settings;
    host.setOutputText(u"Now processing input file ...");
    host.repaint();

    // Leading and trailing blanks of the typed path are never part of it.
    if (TrimSpaces(s.InputFile)) host.settingsChanged();
    const ustring path = s.InputFile;

    const bool docx = IsDocxFile(path);
    // Whatever way the run takes from here, no unpacked document is left behind.
    DocxTempFilesGuard docxTempFiles(run);
    int64_t size = 0;
    if (docx) {
        const int32_t r = ExtractDocx(run, path, kDocxEntryPath, kTempFolderBase, true, true, true);
        ReportExtractDocxResult(host, r, path, RunText(run, kTextErrorTitle));
        if (r < 0) {
            host.setElapsedTimerEnabled(false);
            run.blnElapsedTimeRunning = false;
            s.InputFile.clear();
            host.settingsChanged();
            ClearOutputBox(host);
            return SourceResult::Refused;
        }
        if (!s.UTF8) {
            s.UTF8 = true;
            host.settingsChanged();
        }
        size = r;
    } else {
        run.LineEndingKind = 0;
        if (path.empty()) {
            InputError(run, u"Input file not specified.");
            return SourceResult::Refused;
        }
        if (!CheckInputFile(run, path)) {
            ClearOutputBox(host);
            return SourceResult::Refused;
        }
        const VetResult vet = VetTextFile(run, path, false);
        if (!vet.ok) {
            ClearOutputBox(host);
            return SourceResult::Refused;
        }
        run.LineEndingKind = Code(vet.kind);
        if (!SettleEncoding(run, vet.detectedUtf8)) {
            ClearOutputBox(host);
            return SourceResult::Refused;
        }
        size = FileLength(path);
    }

    ClearOutputBox(host);
    if (AdviseOutputFile(run, size) != LargeInput::Continue) return SourceResult::Refused;
    if (!EmptyNamedOutputFile(run, outputError)) return SourceResult::OutputFailed;

    host.setOutputText(u"Now processing input file ...");
    host.repaint();
    host.setLabel(LabelId::SizeOfClipboardContents, u"");
    ConcealNumWords(host, true);

    run.ClipboardText.clear();
    if (!docx) cmdClearOutput_Click(run);

    run.SavedSuppressWords = s.SuppressWords;
    run.table.clear();
    SelectCommentPreset(run, FileExtension(path, true));

    run.blnStop = false;
    SetCountButtonCaption(run, RunText(run, kTextStop));
    host.enableMainControls(false);

    if (!docx && size > kProgressBarMinBytes) SetTotalNumOccurrencesForFileProgressBar(host);

    run.intWithinComment = -1;
    bool readOk = true;
    try {
        if (docx) {
            if (!ReadDocx(run, path, size)) return SourceResult::Refused;
        } else {
            readOk = ReadTextFile(run, path, size);
        }
    } catch (const std::exception& e) {
        const ErrorInfo error = ErrorOf(e);
        ReportError(run, error.number, error.description, u"DoItFromFile");
        readOk = false;
    }
    EndOfReading(run);
    return readOk ? SourceResult::Read : SourceResult::ReadAfterError;
}

bool GetClipboardText(RunState& run, ustring_view clipboardText, bool showInOutput) {
    Host& host = run.host;
    if (!AcceptClipboardText(host, clipboardText)) return false;
    run.ClipboardText = ustring(clipboardText);
    if (showInOutput) host.setOutputText(run.ClipboardText);
    ConcealNumWords(host, true);
    run.blnWordsGot = false;
    run.ListingShown = false;
    host.setTheFocus();
    return true;
}

SourceResult DoItFromClipboard(RunState& run, ErrorInfo& outputError) {
    Host& host = run.host;
    ScanSettings& s = run.settings;
    if (!CheckClipboardTextIsPlain(host, run.ClipboardText)) return SourceResult::Refused;
    if (!EmptyNamedOutputFile(run, outputError)) return SourceResult::OutputFailed;
    SetCommentMarkers(run, u"None");
    run.SavedSuppressWords = s.SuppressWords;
    SourceResult result = SourceResult::Read;
    try {
        cmdClearOutput_Click(run);
        run.table.clear();
        run.blnStop = false;
        SetCountButtonCaption(run, RunText(run, kTextStop));
        host.enableMainControls(false);
        cmdClearOutput_Click(run);
        if (!run.ClipboardText.empty()) {
            if (!s.CaseSignificant) LowerCaseAccentedInPlace(run.ClipboardText, &run.yield);
            run.strLine = run.ClipboardText;
            run.strLine.push_back(u' ');
            ScanLine(run);
        }
    } catch (const std::exception& e) {
        host.setLabel(LabelId::Twirler, u" ");
        const ErrorInfo error = ErrorOf(e);
        ReportError(run, error.number, error.description, u"DoItFromClipboard");
        result = SourceResult::ReadAfterError;
    }
    if (s.SuppressWords != run.SavedSuppressWords) {
        s.SuppressWords = run.SavedSuppressWords;
        host.settingsChanged();
    }
    host.setTheFocus();
    return result;
}

} // namespace qd
