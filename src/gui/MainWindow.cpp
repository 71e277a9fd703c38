#include "MainWindow.h"

#include "Fonts.h"
#include "HelpWindow.h"
#include "PopUpWindow.h"
#include "ProgramText.h"
#include "QtText.h"
#include "SettingsWindow.h"
#include "Twips.h"
#include "count/InputFileCheck.h"
#include "count/RunStatus.h"
#include "count/TextFileVetting.h"
#include "count/WordsToIgnore.h"
#include "scan/CommentMarkers.h"
#include "session/CommonWords.h"
#include "settings/Defaults.h"
#include "settings/SavedState.h"
#include "sources/DocxArchive.h"
#include "sources/InputFiles.h"
#include "text/Folders.h"
#include "text/Formatting.h"
#include "text/ProgramTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTimer>
#include <QUrl>
#include <cmath>

namespace qd::gui {

frmMain::frmMain(MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)) {
    state_.numberFormat = options_.numberFormat;
    // After any count the ignored-words label tells why words were left out, and a command
    // lists them.
    state_.keepExcludedWords = true;
    buildControls();
    host_.setDialogParent(this);
    host_.setWindowControls(this);
    host_.bindOutput(txbOutput);
    host_.bindLabel(LabelId::Filesize, lblFilesize);
    host_.bindLabel(LabelId::SizeOfClipboardContents, lblSizeOfClipboardContents);
    host_.onSettingsChanged = [this] {
        showSettings();
        params_->showSettings();
    };
    params_ = std::make_unique<frmParams>(*this);
    host_.addDialogOwner(params_.get());
    popUp_ = std::make_unique<frmPopUp>(this);
    connectHandlers();
    setAcceptDrops(true);
}

frmMain::~frmMain() = default;

// --- Start-up ------------------------------------------------------------------------------

bool frmMain::Form_Load() {
    state_.session.startUpCompleted = false;
    if (LoadProgramTexts(host_, state_.env.programFolder, state_.texts, programTextPath_) <= 0)
        return false;
    txbIntro->setPlainText(toWidgetLines(state_.texts.IntroText()));
    setCountButtonCaption(state_.texts.GetText(kTextCountWords));

    UpdateOutputFileControls();
    ConcealNumWords(true);
    show();
    fitIntroToText();

    UpdateOutputFileControls();
    state_.settings.ignore.CommonWordsFile = DefaultCommonWordsFile(state_.env.programFolder);
    fillLists();
    SelectListDefaults(state_.settings);
    stateFilePath_ =
        StateFilePath(FromPath(options_.userDataFolder), state_.texts.GetText(kTextProgramFolder));

    // A missing or unreadable state file (a first start) leaves every setting at its default.
    if (!RestoreSavedState(state_.settings, stateFilePath_, state_.env.programFolder).empty()) {
        InitializeVariables();
        SelectListDefaults(state_.settings);
    } else {
        qd::NormaliseWordsToIgnore(state_);
        CommonWordsFileRestored(state_);
    }
    showSettings();
    params_->showSettings();
    UpdateOutputFileControls();
    UpdatePathTooltip(0);
    UpdatePathTooltip(1);

    state_.settings.input.UTF8 = false;
    // A folder is vetted file by file when it is counted.
    const bool folder = IsDirectory(state_.settings.input.InputFile);
    if (!folder && !CheckInputFile(state_, state_.settings.input.InputFile)) {
        state_.settings.input.InputFile.clear();
    } else if (!folder) {
        VetInputFileQuietly();
    }
    showSettings();
    params_->showSettings();

    ConcealNumWords(true);
    Timer1->start();
    SetTheFocus();
    state_.session.startUpCompleted = true;
    return true;
}

void frmMain::InitializeVariables() {
    state_.session.MacNoticeShown = false;
    state_.session.wordsGot = false;
    state_.settings.input.Source = SourceKind::InFile;
    lblSizeOfClipboardContents->clear();
    lblFilesize->clear();
    stateFilePath_ =
        StateFilePath(FromPath(options_.userDataFolder), state_.texts.GetText(kTextProgramFolder));
    state_.scanner.comments().openComment = -1;
    lblTwirler->setText(" ");
    Initialize();
}

void frmMain::Initialize() {
    qd::Initialize(state_.settings);
    SetCommentMarkers(state_.scanner, u"C");
    state_.session.wordsGot = false;
    // The settings window's box shows the common-words file, which is now none.
    state_.lists.commonWordsFile.clear();
    state_.session.commonWordsLoaded = false;
    params_->txbParametersFile->clear();
    qd::NormaliseWordsToIgnore(state_);
    showSettings();
    params_->showSettings();
}

// Vets the input file of the box without a word and settles UTF8 and the common words.
void frmMain::VetInputFileQuietly() {
    const ustring& path = state_.settings.input.InputFile;
    if (IsDocxFile(path)) {
        state_.settings.input.UTF8 = true;
        if (!state_.settings.ignore.CommonWordsFile.empty()) OfferToReadCommonWords(state_);
        return;
    }
    state_.settings.input.UTF8 = false;
    state_.settings.input.UTF8 = VetTextFile(state_, path, false).detectedUtf8;
    showSettings();
    ChooseCommonWordsForInputFile(state_);
}

// --- Services ------------------------------------------------------------------------------

bool frmMain::runActive() const {
    return CountIsRunning(state_);
}

void frmMain::setCountButtonCaption(ustring_view caption) {
    // The stop caption is reached with S, the resting one with its own first letter.
    const QString text = toQ(caption);
    const bool stop = CountIsRunning(state_);
    cmdListWords->setText(withMnemonic(text, stop ? 'S' : text.isEmpty() ? QChar() : text[0]));
}

void frmMain::setCountButtonEnabled(bool enabled) {
    cmdListWords->setEnabled(enabled);
}

void frmMain::setElapsedTimerEnabled(bool enabled) {
    if (enabled) {
        Timer2->start();
    } else {
        Timer2->stop();
    }
}

void frmMain::showSettingsWindow() {
    params_->showWindow();
}

void frmMain::setSuppressWordsVisible(bool visible) {
    chkSuppressWords->setVisible(visible);
}

void frmMain::fitIntroToText() {
    // The whole introduction is in view, down to its last line, which tells that a click on it
    // shows the clipboard.
    QTextDocument* text = txbIntro->document();
    qreal height = 2 * text->documentMargin();
    for (QTextBlock block = text->begin(); block.isValid(); block = block.next())
        height += text->documentLayout()->blockBoundingRect(block).height();
    const int needed = int(std::ceil(height)) + 2 * txbIntro->frameWidth();
    if (txbIntro->height() != needed) txbIntro->setFixedHeight(needed);
}

void frmMain::OpenInputFile(const QString& argument) {
    const QUrl url = QUrl::fromUserInput(argument, QDir::currentPath(), QUrl::AssumeLocalFile);
    const QString path = url.isLocalFile() ? url.toLocalFile() : argument;
    FileChosen(0, QFileInfo(path).absoluteFilePath());
}

ustring frmMain::chooseOutputFile() {
    const ustring path = host_.chooseSaveFile(u"Specify output file", u"", u"", false);
    if (!path.empty()) FileChosen(1, toQ(path));
    return path;
}

void frmMain::showSettings() {
    const Settings& s = state_.settings;
    for (int i = 0; i < 2; ++i) {
        std::vector<ustring> inputs{s.input.InputFile};
        inputs.insert(inputs.end(), s.input.MoreInputs.begin(), s.input.MoreInputs.end());
        const QString path = toQ(i == 0 ? JoinInputList(inputs) : s.output.OutputFile);
        if (txbFile[size_t(i)]->text() != path) txbFile[size_t(i)]->setText(path);
    }
    optInFile->setChecked(s.input.Source == SourceKind::InFile);
    optOnClipboard->setChecked(s.input.Source == SourceKind::OnClipboard);
    chkUTF8->setChecked(s.input.UTF8);
    chkSuppressWords->setChecked(s.output.SuppressWords);
    chkSuppressWords->setToolTip(s.output.SuppressWords
                                     ? QString()
                                     : "The program will run faster if this checkbox is checked.");
    chkDisableOutputToFile->setChecked(s.output.DisableOutputToFile);
    cboWordOrder->setCurrentIndex(int(s.output.WordOrder));
    cboDisplayFormat->setCurrentIndex(int(s.output.DisplayFormat));
    // A "Clear" has something to clear only beside a path; during a run both stay disabled.
    for (size_t i = 0; i < 2; ++i)
        cmdClearFile[i]->setEnabled(cmdFile[i]->isEnabled() && !txbFile[i]->text().isEmpty());
}

void frmMain::ConcealNumWords(bool blnConcealTimeElapsed) {
    qd::ConcealNumWords(host_, blnConcealTimeElapsed);
}

void frmMain::SetTheFocus() {
    if (isVisible() && isEnabled()) {
        if (cmdFile[0]->isVisible() && cmdFile[0]->isEnabled()) {
            cmdFile[0]->setFocus();
        } else if (cmdListWords->isVisible() && cmdListWords->isEnabled()) {
            cmdListWords->setFocus();
        }
    }
    ShowIdleControls();
}

void frmMain::ShowIdleControls() {
    host_.setLabel(LabelId::Twirler, u" ");
    for (size_t i = 0; i < 2; ++i)
        cmdClearFile[i]->setEnabled(!txbFile[i]->text().isEmpty());
    showLeftOutCommand();
}

void frmMain::EnableMainControls(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             cmdFile[0], cmdFolder, cmdFile[1], txbFile[0], txbFile[1], cmdClearFile[0],
             cmdClearFile[1], chkDisableOutputToFile, chkUTF8, cmdHelp, cmdSaveState,
             cmdSetParameters, cmdClearOutput, cboWordOrder, cboDisplayFormat, optOnClipboard,
             optInFile})
        w->setEnabled(enabled);
    showLeftOutCommand();
    repaint();
}

void frmMain::showLeftOutCommand() {
    const bool counted = !runActive() && state_.session.wordsGot;
    const QString caption =
        counted ? QString("Show words left out (%1)")
                      .arg(toQ(GroupDigits(int64_t(state_.excluded.size()), state_.numberFormat)))
                : QString("Show words left out");
    if (withoutMnemonic(cmdShowIgnored->text()) != caption)
        cmdShowIgnored->setText(withMnemonic(caption, 'r'));
    cmdShowIgnored->setEnabled(counted);
}

void frmMain::UpdateOutputFileControls() {
    cmdFile[1]->setEnabled(true);
    txbFile[1]->setEnabled(true);
    cmdClearFile[1]->setEnabled(!state_.settings.output.OutputFile.empty());
}

void frmMain::UpdateDisableBox() {
    if (state_.settings.output.OutputFile.empty()) {
        state_.settings.output.DisableOutputToFile = false;
        chkDisableOutputToFile->setChecked(false);
        chkDisableOutputToFile->setEnabled(false);
    } else {
        chkDisableOutputToFile->setEnabled(true);
    }
}

void frmMain::UpdatePathTooltip(int index) {
    QLineEdit* box = txbFile[size_t(index)];
    box->setToolTip(box->text().size() >= 76 ? box->text() : QString());
}

void frmMain::SetTotalNumOccurrencesForFileProgressBar() {
    host_.setLabelStyle(LabelId::TotalNumOccurrences, LabelStyle::ProgressBar);
    host_.setLabel(LabelId::TotalNumOccurrences, u"[" + ustring(37, u' ') + u"]");
    host_.repaint();
}

void frmMain::ResetTotalNumOccurrencesLabel() {
    host_.setLabelStyle(LabelId::TotalNumOccurrences, LabelStyle::RightAligned);
    host_.setLabel(LabelId::TotalNumOccurrences, u"");
    host_.repaint();
}

void frmMain::PopUp(const QString& strMessage, int intWidth, int intHeight, int intInterval,
                    int intTop, int intLeft) {
    popUp_->PopUpInForm(this, strMessage, intWidth, intHeight, intInterval, intTop, intLeft);
}

void frmMain::PopUpCenter(const QString& strMessage, int intWidth, int intHeight, int intInterval) {
    // Halves round to the even neighbour.
    const double heightTwips = PixelsToTwipsY(frameGeometry().height(), this);
    const double widthTwips = PixelsToTwipsX(frameGeometry().width(), this);
    const int top = int(std::nearbyint((heightTwips - intHeight) / 2));
    const int left = int(std::nearbyint((widthTwips - intWidth) / 2));
    PopUp(strMessage, intWidth, intHeight, intInterval, top, left);
}

} // namespace qd::gui
