#pragma once
// frmParams, the settings window: edits the word-formation, ignore, comment-marker and
// output settings of the run state. It is created once and only shown and hidden; each
// change applies at once, after the re-read question when the change makes the current
// count stale.

#include <QWidget>
#include <array>
#include <string_view>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qd {
struct RunState;
struct Settings;
struct SettingField;
} // namespace qd

namespace qd::gui {

class frmMain;
class ScrollingPage;

class frmParams : public QWidget {
    Q_OBJECT
public:
    explicit frmParams(frmMain& main);

    // --- Controls ------------------------------------------------------------------------
    QLabel* lblAllowWordsWith = nullptr; // "Allow 'words' with:"
    QCheckBox* chkAllowWordsWithHyphens = nullptr;
    QCheckBox* chkAllowWordsWithApostrophes = nullptr;
    QCheckBox* chkAllowWordsWithUnderscores = nullptr;
    QCheckBox* chkAllowWordsWithColons = nullptr;
    QCheckBox* chkAllowWordsWithBackslashes = nullptr;
    QCheckBox* chkAllowWordsWithForwardslashes = nullptr;
    QCheckBox* chkAllowWordsWithPeriods = nullptr;
    QCheckBox* chkAllowWordsWithAtSigns = nullptr;
    QCheckBox* chkAllowWordsWithNumerals = nullptr;
    QLabel* lblFurthermore = nullptr; // "Furthermore:"
    QCheckBox* chkCaseSignificant = nullptr;
    QCheckBox* chkDropFinalS = nullptr;
    QCheckBox* chkOnly7bitASCII = nullptr;
    std::array<QPushButton*, 2> cmdSetOrClearCheckboxes{}; // 0 clears, 1 sets

    QCheckBox* chkIgnoreRepetitions = nullptr;
    QCheckBox* chkIgnoreRomNum40 = nullptr;
    QCheckBox* chkIgnoreNoLetter = nullptr;
    QCheckBox* chkIgnoreShortWords = nullptr;
    QComboBox* cboShortWordSize = nullptr;
    QCheckBox* chkIgnoreInfrequentWords = nullptr;
    QComboBox* cboThresholdFrequency = nullptr;
    QLabel* lblLongWords = nullptr; // "Ignore words with more than"
    QComboBox* cboLongWordSize = nullptr;

    QCheckBox* chkIgnoreCommonWords = nullptr;
    QLineEdit* txbCommonWordsFile = nullptr;
    QPushButton* cmdClearCommonWordsFile = nullptr;
    std::array<QPushButton*, 2> cmdSelectCommonWordsFile{}; // 0 browse, 1 language
    QLabel* lblWordsToIgnore = nullptr;                     // "Ignore these words:"
    QLineEdit* txbWordsToIgnore = nullptr;
    QPushButton* cmdClearWordsToIgnore = nullptr;

    QCheckBox* chkAllowCommentMarkers = nullptr;
    std::array<QLineEdit*, 2> txbStartComment{};
    std::array<QLineEdit*, 2> txbEndComment{};

    QCheckBox* chkOutputWithCommas = nullptr;
    QLabel* lblOutputEncoding = nullptr; // "Encoding:"
    QComboBox* cboOutputEncoding = nullptr;
    QCheckBox* chkShowFilesColumn = nullptr;
    QCheckBox* chkWarnOnOverwrite = nullptr;
    QCheckBox* chkSaveStateOnQuit = nullptr;

    std::array<QPushButton*, 2> cmdSaveLoadState{}; // 0 save, 1 load
    QLabel* lblParameters = nullptr;
    QLineEdit* txbParametersFile = nullptr;

    QPushButton* cmdRestoreDefaults = nullptr;
    QPushButton* cmdInitialize = nullptr;
    QPushButton* cmdQuit = nullptr;
    QPushButton* cmdClose = nullptr;

    // --- Services --------------------------------------------------------------------------
    // Brings every control in line with the settings record (no handler runs).
    void showSettings();
    void SetDefaultValues();
    // Normalises the words-to-ignore box and publishes the words to the scanner.
    void txbWordsToIgnore_LostFocus();
    // Where the window goes: beside the main window's settings command.
    void placeBesideMainWindow();
    // Shows the window (not modal) and activates it.
    void showWindow();

    // --- Event handlers ----------------------------------------------------------------------
    void chkIgnoreCommonWords_Click();
    void cmdClearCommonWordsFile_Click();
    void txbCommonWordsFile_LostFocus();
    void cmdSelectCommonWordsFile_Click(int index);
    void cmdClearWordsToIgnore_Click();
    void cmdSetOrClearCheckboxes_Click(int index);
    void cmdRestoreDefaults_Click();
    void cmdInitialize_Click();
    void cmdClose_Click();
    void cmdQuit_Click();
    void cmdSaveLoadState_Click(int index);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class BoxRule { None, RereadPrompt, RereadPromptThenCheck };
    struct FlagBox {
        QCheckBox* box;
        const SettingField* field;
        BoxRule rule;
    };

    void buildControls();
    void connectHandlers();
    void bindFlag(QCheckBox* box, std::string_view name, BoxRule rule);
    // The click handler of a flag box: the settings follow the box, then the box's rule.
    void flagBoxClicked(QCheckBox* box, const SettingField* field, BoxRule rule);
    // False when the person declined to read the source anew; the box is then put back.
    bool rereadPrompt(QCheckBox* box, const SettingField* field);
    void focusToClose();

    frmMain& main_;
    RunState& state_;
    ScrollingPage* page_ = nullptr;  // the controls, scrolling on a small screen
    std::vector<FlagBox> flagBoxes_; // every flag box bound to a field
    bool leaving_ = false;           // a box's leaving handler runs
    // The handlers neither ask nor check while a box is put back or a settings file is
    // loaded, nor (the character check) while all boxes are set at once.
    bool handlersMuted_ = false;
    bool bulkCheckboxChange_ = false;
};

} // namespace qd::gui
