#pragma once
// The one door between the core and whoever presents it: the desktop window answers with
// real dialogs and controls, the command line with fixed answers, tests with scripted ones.
// The core never opens a window itself; everything a person sees or decides passes here.

#include "text/UString.h"

#include <optional>

namespace qd {

enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

// Every question the program asks a person. Hosts answer by the question, never by the words
// it is put in, so the wording can change without changing an answer.
enum class Question {
    Stop,              // Stop the count under way?
    ConfirmStop,       // Many different words found already: really stop?
    StopDocx,          // Many different words found in the document: really stop reading it?
    ListAfterStop,     // The count was stopped: list the words found so far?
    EncodingSeemsUtf8, // The file seems UTF-8 though ANSI is set: scan it as UTF-8 (Yes)?
    EncodingSeemsAnsi, // The file does not seem UTF-8 though UTF-8 is set: as UTF-8 (Yes)?
    LargeInput,        // A large input file and no output file: name one first (Yes)?
    LargeDocx,         // A large document: scan it all the same?
    BadChecksum,       // A document with an invalid checksum: scan it all the same?
    IgnoreCommonWords, // Ignore the common words listed in this file?
    ReadFileAnew,      // The changed setting needs the file read anew: is this OK?
    ReallyQuit,        // Quit the program?
    OverwriteOutput,   // The output file exists: the file to write (the prompt)
};

// The main window's labels that the core writes to.
enum class LabelId {
    NumberOfWords,       // lblNumberOfWords
    NumWordsExcluded,    // lblNumWordsExcluded
    NumOccurrences,      // lblNumOccurrences
    TotalNumOccurrences, // lblTotalNumOccurrences (also the text progress bar)
    TimeElapsed,         // lblTimeElapsed
    Twirler,             // lblTwirler
    Filesize,            // lblFilesize
    SizeOfClipboardContents,
};

// How a label is drawn: as an ordinary caption, or as the fixed-pitch text progress bar.
enum class LabelStyle { Normal, RightAligned, ProgressBar };

class Host {
public:
    virtual ~Host() = default;

    // A modal notice with only an OK button.
    virtual void message(ustring_view text, ustring_view title, MsgIcon icon) = 0;

    // A modal question put as text and title; returns the button pressed.
    virtual Answer ask(Question question, ustring_view text, ustring_view title, MsgIcon icon,
                       MsgButtons buttons, Answer defaultButton) = 0;

    // A text-input question; std::nullopt when the person cancels.
    virtual std::optional<ustring> prompt(Question question, ustring_view text, ustring_view title,
                                          ustring_view defaultValue) = 0;

    // File dialogs; an empty result when the person cancels. The filter is in the
    // "Description (*.ext1 *.ext2);;All files (*)" form.
    virtual ustring chooseOpenFile(ustring_view title, ustring_view filter,
                                   ustring_view startPath) = 0;
    virtual ustring chooseSaveFile(ustring_view title, ustring_view filter,
                                   ustring_view startPath) = 0;

    // The folder file dialogs start in when they are given no path: the input file's
    // folder, remembered whenever an input file is checked. The working directory is
    // never changed for it.
    virtual void setDialogFolder(ustring_view /*folder*/) {}

    // Processes pending user-interface events. Callers go through Yielder, which keeps
    // this cheap by calling it only every few milliseconds.
    virtual void processEvents() = 0;

    // The output text box txbOutput.
    virtual ustring outputText() const = 0;
    virtual size_t outputLength() const = 0;
    virtual void setOutputText(ustring_view text) = 0;
    virtual void appendOutputText(ustring_view text) = 0;
    // Puts the caret at the start (scrolling to the top) or at the end of the text box.
    virtual void setOutputCaret(bool atEnd) = 0;

    // Labels of the main window's status frame.
    virtual void setLabel(LabelId label, ustring_view caption) = 0;
    virtual void setLabelVisible(LabelId label, bool visible) = 0;
    virtual void setLabelStyle(LabelId label, LabelStyle style) = 0;
    // The text a label shows when pointed at (CR LF between lines); empty for none.
    virtual void setLabelToolTip(LabelId /*label*/, ustring_view /*text*/) {}

    // Redraws whatever changed, at once (for hosts without an event loop: nothing).
    virtual void repaint() = 0;

    // The core changed a setting that a control shows (SuppressWords, DisableOutputToFile,
    // OutputFile, UTF8, ...); the host brings its controls in line with the settings record.
    virtual void settingsChanged() = 0;

    // --- The count run's hold on the main window. The defaults suit hosts without these
    // controls (the command line, most tests).

    // The count button cmdListWords: its caption ("Count words", or "Stop" while a run is
    // active) and whether it can be clicked.
    virtual void setCountButtonCaption(ustring_view /*caption*/) {}
    virtual void setCountButtonEnabled(bool /*enabled*/) {}
    // EnableMainControls: every control of the main window except the count button.
    virtual void enableMainControls(bool /*enabled*/) {}
    // SetTheFocus: the focus back to the input-file button (else the count button), the
    // twirler blanked, the two "Clear" buttons enabled exactly when their path is set.
    virtual void setTheFocus() { setLabel(LabelId::Twirler, u" "); }
    // Starts or stops the one-second timer that counts secondsElapsed (Timer2).
    virtual void setElapsedTimerEnabled(bool /*enabled*/) {}
    // Shows the settings window, not modal.
    virtual void showSettingsWindow() {}
    // Shows or hides the "Don't display words as found" box.
    virtual void setSuppressWordsVisible(bool /*visible*/) {}
    // The output-file choice of the "Output file" button: the chosen path, empty on cancel.
    virtual ustring chooseOutputFile() { return chooseSaveFile(u"Specify output file", u"", u""); }
};

} // namespace qd
