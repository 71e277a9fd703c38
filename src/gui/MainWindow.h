#pragma once
// frmMain, the program's main window. It owns the run state (settings, word table, common
// words, run variables) for the life of the program, shows the state of a run, and hands
// every command to the core: its handlers read the controls, call one core routine and show
// the result.

#include "QtHost.h"
#include "count/RunState.h"
#include "text/Folders.h"
#include "text/Formatting.h"
#include "text/ProgramTextNumbers.h"

#include <QMainWindow>
#include <array>
#include <filesystem>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace qd::gui {

inline constexpr char16_t kProgramTitle[] = u"Quorvel Dorvane";
class frmHelp;
class frmParams;
class frmPopUp;

struct MainWindowOptions {
    // Where the program's data files are and where temporary folders are made
    // (DefaultEnvironment for the program).
    Environment environment;
    // The user's digit grouping and decimal characters.
    NumberFormat numberFormat;
    // The user's data folder (empty when there is none); the program's own folder with the
    // state file is made inside it when settings are saved. Tests point it at folders of their
    // own.
    std::filesystem::path userDataFolder;
};

class frmMain : public QMainWindow, public WindowControls {
    Q_OBJECT
public:
    explicit frmMain(MainWindowOptions options, QWidget* parent = nullptr);
    ~frmMain() override;

    // The start-up sequence: program texts, lists and defaults, the saved state, the input
    // file and its common words, then the housekeeping timer. Shows the window. False when
    // the program cannot run; the reason has been shown and the program ends.
    bool Form_Load();

    RunState& state() { return state_; }
    const ustring& stateFilePath() const { return stateFilePath_; }
    QtHost& host() { return host_; }
    frmParams& params() { return *params_; }
    frmPopUp& popUp() { return *popUp_; }
    frmHelp* help() { return help_.get(); } // null until first shown
    const MainWindowOptions& options() const { return options_; }

    // --- Controls ------------------------------------------------------------------------
    QPlainTextEdit* txbIntro = nullptr;
    QLabel* Label5 = nullptr; // "Source:"
    QRadioButton* optInFile = nullptr;
    QRadioButton* optOnClipboard = nullptr;
    std::array<QPushButton*, 2> cmdFile{}; // 0 input file, 1 output file
    std::array<QLineEdit*, 2> txbFile{};   // the two paths
    std::array<QPushButton*, 2> cmdClearFile{};
    QLabel* lblFilesize = nullptr;
    QLabel* lblSizeOfClipboardContents = nullptr;
    QCheckBox* chkUTF8 = nullptr;
    QCheckBox* chkDisableOutputToFile = nullptr;
    QCheckBox* chkSuppressWords = nullptr;
    QLabel* lblWordOrder = nullptr;
    QComboBox* cboWordOrder = nullptr;
    QLabel* lblDisplayFormat = nullptr;
    QComboBox* cboDisplayFormat = nullptr;
    QPushButton* cmdListWords = nullptr;
    QPushButton* cmdFolder = nullptr; // "Input folder"

    QPushButton* cmdSetParameters = nullptr;
    QPushButton* cmdSaveState = nullptr;
    QPushButton* cmdClearOutput = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdQuit = nullptr;
    QPlainTextEdit* txbOutput = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLabel* lblTimeElapsed = nullptr;
    QLabel* lblTwirler = nullptr;
    QLabel* lblNumberOfWords = nullptr;
    QLabel* lblNumWordsExcluded = nullptr;
    // "Show words left out (N)", beside lblNumWordsExcluded: N counts every word the last count
    // left out, whose label counts only those ignored after the count.
    QPushButton* cmdShowIgnored = nullptr;
    QLabel* lblNumOccurrences = nullptr;
    QLabel* lblTotalNumOccurrences = nullptr;
    QTimer* Timer1 = nullptr; // housekeeping
    QTimer* Timer2 = nullptr; // elapsed time and live word count

    // --- Services for the other windows ----------------------------------------------------
    void ConcealNumWords(bool blnConcealTimeElapsed = false);
    void SetTheFocus() override;
    // What SetTheFocus does besides moving the focus: the twirler blanked and the commands
    // enabled as the paths and the last count allow. For the changes that leave the focus
    // where the person put it: a check box, an option or a list changed, a file box left.
    void ShowIdleControls();
    void EnableMainControls(bool enabled) override;
    void setCountButtonCaption(ustring_view caption) override;
    void setCountButtonEnabled(bool enabled) override;
    void setElapsedTimerEnabled(bool enabled) override;
    void showSettingsWindow() override;
    void setSuppressWordsVisible(bool visible) override;
    ustring chooseOutputFile() override;
    void UpdateOutputFileControls();
    void UpdateDisableBox();
    void UpdatePathTooltip(int index);
    void SetTotalNumOccurrencesForFileProgressBar();
    void ResetTotalNumOccurrencesLabel();
    void InitializeVariables();
    void Initialize();
    // Shows a message in the pop-up window, placed in twips from this window's corner.
    void PopUp(const QString& strMessage, int intWidth, int intHeight, int intInterval, int intTop,
               int intLeft);
    void PopUpCenter(const QString& strMessage, int intWidth, int intHeight, int intInterval);

    // True while a count, a listing or a common-words read runs: the count button then
    // carries the stop caption.
    bool runActive() const;
    // Brings every control of this window in line with the settings record.
    void showSettings();

    // --- Event handlers ----------------------------------------------------------------------
    void cmdListWords_Click();
    void cmdFile_Click(int index);
    void cmdFolder_Click();
    void cmdClearFile_Click(int index);
    void txbFile_LostFocus(int index);
    void optInFile_Click();
    void optOnClipboard_Click();
    void txbIntro_Click();
    void cboWordOrder_Click();
    void cboDisplayFormat_Click();
    void cmdShowIgnored_Click();
    void chkSuppressWords_Click();
    void cmdClearOutput_Click();
    void cmdSetParameters_Click();
    void cmdSaveState_Click();
    void cmdHelp_Click();
    void cmdQuit_Click();
    void Timer1_Timer();
    void Timer2_Timer();

    // A path chosen for file box index (by the file dialog or by dropping a file on the
    // window): the same steps as after the dialog.
    void FileChosen(int index, const QString& path);
    // Several inputs, or a folder, chosen or dropped: they are counted together.
    void InputsChosen(const std::vector<ustring>& paths);
    // The input box's text as typed: one path, or several in double quotes.
    void TakeInputBoxText(const ustring& text);
    // The file named on the command line (a path, relative to the current folder, or a file
    // URL) becomes the input file as if chosen.
    void OpenInputFile(const QString& argument);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildStatusFrame(QWidget* parent);
    void connectHandlers();
    void fillLists();
    void VetInputFileQuietly();
    void fitIntroToText();
    void setHelpEnabled(bool enabled);
    // The files and folders a drop brings, when the window takes them now.
    bool acceptsDroppedFiles(const QEvent* event, std::vector<ustring>* paths) const;
    void fileBoxLeft(int index);
    // The command that lists the words left out: live after a count, with their number.
    void showLeftOutCommand();

    MainWindowOptions options_;
    QtHost host_;
    RunState state_{host_, options_.environment};
    std::unique_ptr<frmParams> params_;
    std::unique_ptr<frmPopUp> popUp_;
    std::unique_ptr<frmHelp> help_;

    int twirlerStep_ = 0;
    bool relisting_ = false;     // a re-listing after a change of order or format runs
    bool quitRequested_ = false; // the window was closed during a run: quit when it ends
    bool quitting_ = false;
    bool leaving_ = false;               // a file box's leaving handler runs
    std::array<QString, 2> textOnEntry_; // each file box's text when it last got the focus
    ustring programTextPath_;
    ustring stateFilePath_; // set whenever the variables are initialised (StateFilePath)
};

} // namespace qd::gui
