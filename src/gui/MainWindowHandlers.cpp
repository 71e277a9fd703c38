// The main window's event handlers, timers and window events.

#include "HelpWindow.h"
#include "MainWindow.h"
#include "ProgramText.h"
#include "QtText.h"
#include "ScreenFit.h"
#include "SettingsWindow.h"
#include "count/ClipboardSource.h"
#include "count/FilesSource.h"
#include "count/IgnoredWordsReport.h"
#include "count/InputFileCheck.h"
#include "count/Listing.h"
#include "session/CountRun.h"
#include "settings/SavedState.h"
#include "sources/ClipboardText.h"
#include "sources/DocxArchive.h"
#include "sources/FileNames.h"
#include "sources/InputFiles.h"
#include "text/Formatting.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QUrl>

namespace qd::gui {

void frmMain::connectHandlers() {
    connect(cmdListWords, &QPushButton::clicked, this, [this] { cmdListWords_Click(); });
    connect(cmdFolder, &QPushButton::clicked, this, [this] { cmdFolder_Click(); });
    for (int i = 0; i < 2; ++i) {
        connect(cmdFile[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdFile_Click(i); });
        connect(cmdClearFile[size_t(i)], &QPushButton::clicked, this,
                [this, i] { cmdClearFile_Click(i); });
        // The file boxes are the settings; leaving a box checks what was typed.
        connect(txbFile[size_t(i)], &QLineEdit::textEdited, this, [this, i](const QString& t) {
            if (i == 0)
                TakeInputBoxText(fromQ(t));
            else
                state_.settings.output.OutputFile = fromQ(t);
        });
        // Enter takes what was typed as leaving the box does.
        connect(txbFile[size_t(i)], &QLineEdit::returnPressed, this, [this, i] { fileBoxLeft(i); });
        // A typed path can be cleared at once, so that Tab from the box goes on to "Clear".
        connect(txbFile[size_t(i)], &QLineEdit::textChanged, this, [this, i](const QString& t) {
            cmdClearFile[size_t(i)]->setEnabled(cmdFile[size_t(i)]->isEnabled() && !t.isEmpty());
        });
        txbFile[size_t(i)]->installEventFilter(this);
        cmdFile[size_t(i)]->installEventFilter(this);
    }
    connect(optInFile, &QRadioButton::clicked, this, [this] {
        state_.settings.input.Source = SourceKind::InFile;
        optInFile_Click();
    });
    connect(optOnClipboard, &QRadioButton::clicked, this, [this] {
        state_.settings.input.Source = SourceKind::OnClipboard;
        optOnClipboard_Click();
    });
    connect(chkUTF8, &QCheckBox::clicked, this,
            [this](bool on) { state_.settings.input.UTF8 = on; });
    connect(chkDisableOutputToFile, &QCheckBox::clicked, this,
            [this](bool on) { state_.settings.output.DisableOutputToFile = on; });
    connect(chkSuppressWords, &QCheckBox::clicked, this, [this](bool on) {
        state_.settings.output.SuppressWords = on;
        chkSuppressWords_Click();
    });
    connect(cboWordOrder, &QComboBox::activated, this, [this](int index) {
        state_.settings.output.WordOrder = ListOrder(index);
        cboWordOrder_Click();
    });
    connect(cboDisplayFormat, &QComboBox::activated, this, [this](int index) {
        state_.settings.output.DisplayFormat = ListFormat(index);
        cboDisplayFormat_Click();
    });
    connect(cmdShowIgnored, &QPushButton::clicked, this, [this] { cmdShowIgnored_Click(); });
    connect(cmdClearOutput, &QPushButton::clicked, this, [this] { cmdClearOutput_Click(); });
    connect(cmdSetParameters, &QPushButton::clicked, this, [this] { cmdSetParameters_Click(); });
    connect(cmdSaveState, &QPushButton::clicked, this, [this] { cmdSaveState_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(cmdQuit, &QPushButton::clicked, this, [this] { cmdQuit_Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2_Timer(); });

    installEventFilter(this); // files dropped on the window
    cmdHelp->installEventFilter(this);
    cmdListWords->installEventFilter(this);
    txbIntro->viewport()->installEventFilter(this);
    for (QWidget* w : std::initializer_list<QWidget*>{txbOutput, txbOutput->viewport(), txbIntro,
                                                      txbFile[0], txbFile[1]})
        w->installEventFilter(this);
}

// --- Counting ------------------------------------------------------------------------------

void frmMain::cmdListWords_Click() {
    if (relisting_) return;
    // The clipboard is read only when it is the source.
    const ustring clipboard =
        state_.settings.input.Source == SourceKind::OnClipboard ? host_.clipboardText() : ustring();
    qd::CountWords(state_, clipboard);
}

void frmMain::cboWordOrder_Click() {
    if (state_.session.wordsGot && !relisting_) {
        relisting_ = true;
        ListWords(state_);
        relisting_ = false;
    }
    ShowIdleControls();
}

void frmMain::cboDisplayFormat_Click() {
    cboWordOrder_Click();
}

// The words left out take the listing's place until the next count or change of order or format.
void frmMain::cmdShowIgnored_Click() {
    if (state_.session.wordsGot && !runActive() && !relisting_) ShowIgnoredWords(state_);
    SetTheFocus();
}

// --- Files ---------------------------------------------------------------------------------

void frmMain::cmdFile_Click(int index) {
    ustring path;
    if (index == 0) {
        state_.session.wordsGot = false;
        const std::vector<ustring> paths =
            host_.chooseOpenFiles(u"Specify input file", u"Text files or docx files (*)");
        if (paths.size() > 1) {
            InputsChosen(paths);
            return;
        }
        if (!paths.empty()) path = paths.front();
    } else {
        path = host_.chooseSaveFile(u"Specify output file", u"", u"", false);
    }
    if (!path.empty()) {
        FileChosen(index, toQ(path));
        return;
    }
    if (index == 0 && state_.settings.input.Source != SourceKind::InFile) {
        state_.settings.input.Source = SourceKind::InFile;
        optInFile->setChecked(true);
        optInFile_Click();
    }
    if (index == 1) UpdateDisableBox();
    SetTheFocus();
}

void frmMain::cmdFolder_Click() {
    const ustring folder = host_.chooseFolder(u"Specify input folder");
    if (!folder.empty()) {
        InputsChosen({folder});
        return;
    }
    SetTheFocus();
}

void frmMain::InputsChosen(const std::vector<ustring>& paths) {
    if (paths.size() == 1 && !IsDirectory(paths.front())) {
        FileChosen(0, toQ(paths.front()));
        return;
    }
    Settings& s = state_.settings;
    s.input.InputFile = paths.front();
    s.input.MoreInputs.assign(paths.begin() + 1, paths.end());
    txbFile[0]->setText(toQ(JoinInputList(paths)));
    state_.session.wordsGot = false;
    // Each file is vetted when the count reads it; the previous listing goes now.
    host_.setOutputText(u"");
    ConcealNumWords(true);
    lblFilesize->clear();
    cmdClearOutput_Click();
    UpdatePathTooltip(0);
    if (s.input.Source != SourceKind::InFile) {
        s.input.Source = SourceKind::InFile;
        optInFile->setChecked(true);
        optInFile_Click();
    }
    SetTheFocus();
}

void frmMain::TakeInputBoxText(const ustring& text) {
    std::vector<ustring> paths = SplitInputList(text);
    Settings& s = state_.settings;
    // One path is kept as typed, blanks and all, as the box has always done.
    s.input.InputFile = paths.size() > 1 ? paths.front() : text;
    s.input.MoreInputs.assign(paths.size() > 1 ? paths.begin() + 1 : paths.end(), paths.end());
}

void frmMain::FileChosen(int index, const QString& path) {
    if (index == 0) state_.settings.input.MoreInputs.clear();
    txbFile[size_t(index)]->setText(path);
    (index == 0 ? state_.settings.input.InputFile : state_.settings.output.OutputFile) =
        fromQ(path);
    if (index == 0) {
        state_.session.wordsGot = false;
        // The previous listing goes, and its counts with it, whether or not the file is taken.
        host_.setOutputText(u"");
        ConcealNumWords(true);
        host_.repaint();
        if (CheckInputFile(state_, state_.settings.input.InputFile)) {
            cmdClearOutput_Click();
            const ustring& input = state_.settings.input.InputFile;
            if (FileExtension(input, true) != u"docx") {
                host_.setOutputText(u"Now checking file ...");
                host_.repaint();
                VetInputFileQuietly();
                showSettings();
            } else if (HasZipSignature(input) != 1) {
                host_.message(u"The file " + input +
                                  u"\r\nhas a 'docx' extension but does not appear to be an MS "
                                  u"Word 'docx' file.",
                              fromQ(ProgramText(state_, kTextErrorTitle)), MsgIcon::Exclamation);
                txbFile[0]->clear();
                state_.settings.input.InputFile.clear();
                return;
            }
        }
        UpdatePathTooltip(0);
        if (state_.settings.input.Source != SourceKind::InFile) {
            state_.settings.input.Source = SourceKind::InFile;
            optInFile->setChecked(true);
            optInFile_Click();
        }
    } else {
        UpdatePathTooltip(1);
        UpdateDisableBox();
    }
    SetTheFocus();
}

void frmMain::cmdClearFile_Click(int index) {
    QLineEdit* box = txbFile[size_t(index)];
    box->clear();
    if (cmdFile[size_t(index)]->isEnabled()) cmdFile[size_t(index)]->setFocus();
    cmdClearFile[size_t(index)]->setEnabled(false);
    if (index == 0) {
        state_.settings.input.InputFile.clear();
        state_.settings.input.MoreInputs.clear();
        lblFilesize->clear();
        state_.settings.input.UTF8 = false;
        chkUTF8->setChecked(false);
    } else {
        state_.settings.output.OutputFile.clear();
        state_.settings.output.DisableOutputToFile = false;
        chkDisableOutputToFile->setChecked(false);
        chkDisableOutputToFile->setEnabled(false);
    }
}

void frmMain::txbFile_LostFocus(int index) {
    // Only while the window takes commands, and never for a docx input.
    if (!isEnabled() || !cmdFile[0]->isEnabled()) return;
    if (IsDocxFile(fromQ(txbFile[0]->text().trimmed()))) return;
    QLineEdit* box = txbFile[size_t(index)];
    box->setText(box->text().trimmed());
    if (index == 0)
        TakeInputBoxText(fromQ(box->text()));
    else
        state_.settings.output.OutputFile = fromQ(box->text());
    if (index == 0) {
        // Several inputs, or a folder, are vetted file by file when they are counted.
        if (CountsSeveralFiles(state_.settings.input)) {
            state_.session.wordsGot = false;
            lblFilesize->clear();
            UpdatePathTooltip(index);
            ShowIdleControls();
            return;
        }
        if (!box->text().isEmpty()) {
            if (!CheckInputFile(state_, state_.settings.input.InputFile)) return;
            VetInputFileQuietly();
            showSettings();
        }
        state_.session.wordsGot = false;
    }
    UpdatePathTooltip(index);
    UpdateDisableBox();
    ShowIdleControls();
}

// --- Source, display and output box --------------------------------------------------------

void frmMain::optInFile_Click() {
    state_.session.wordsGot = false;
    if (state_.session.ListingShown) {
        host_.setOutputText(u"");
        ConcealNumWords(true);
    }
    lblSizeOfClipboardContents->clear();
    ShowIdleControls();
}

void frmMain::optOnClipboard_Click() {
    state_.session.wordsGot = false;
    if (state_.session.ListingShown) {
        host_.setOutputText(u"");
        ConcealNumWords(true);
    }
    ShowClipboardSize(host_, host_.clipboardText(), state_.numberFormat);
    ShowIdleControls();
}

void frmMain::txbIntro_Click() {
    state_.session.wordsGot = false;
    GetClipboardText(state_, host_.clipboardText(), true);
}

void frmMain::chkSuppressWords_Click() {
    chkSuppressWords->setToolTip(chkSuppressWords->isChecked()
                                     ? QString()
                                     : "The program will run faster if this checkbox is checked.");
    ShowIdleControls();
}

void frmMain::cmdClearOutput_Click() {
    host_.setOutputText(u"");
    if (runActive()) return;
    ConcealNumWords(true);
    state_.session.wordsGot = false;
    if (state_.session.startUpCompleted) SetTheFocus();
}

// --- Other windows, saving and quitting ----------------------------------------------------

void frmMain::cmdSetParameters_Click() {
    params_->showWindow();
}

void frmMain::cmdSaveState_Click() {
    const ustring error = SaveStateFile(state_.settings, stateFilePath_, state_.env.programFolder);
    if (error.empty()) {
        PopUp(ProgramText(state_, kTextSettingsSaved), 2400, 300, 2000, 6500, 5200);
    } else {
        host_.message(error, fromQ(ProgramText(state_, kTextErrorTitle)), MsgIcon::Exclamation);
    }
    SetTheFocus();
}

void frmMain::cmdHelp_Click() {
    if (help_ && help_->isMinimized()) {
        help_->showNormal();
        return;
    }
    if (!help_) help_ = std::make_unique<frmHelp>(*this);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void frmMain::cmdQuit_Click() {
    if (runActive()) {
        // A count or a common-words read holds the program's state on its stack: it is
        // asked to stop, and the program ends once it has finished.
        if (!quitRequested_) {
            quitRequested_ = true;
            state_.session.stopRequested = true;
            auto* poll = new QTimer(this);
            connect(poll, &QTimer::timeout, this, [this, poll] {
                if (runActive()) return;
                poll->deleteLater();
                cmdQuit_Click();
            });
            poll->start(100);
        }
        return;
    }
    if (state_.settings.SaveStateOnQuit) cmdSaveState_Click();
    quitting_ = true;
    if (help_) help_->hide();
    params_->hide();
    close();
    QCoreApplication::quit();
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (quitting_) {
        event->accept();
        return;
    }
    event->ignore();
    cmdQuit_Click();
}

// --- Timers ----------------------------------------------------------------------------------

void frmMain::Timer1_Timer() {
    const bool idle = !runActive();
    const bool empty = host_.outputLength() == 0;
    txbOutput->setToolTip(idle && empty ? ProgramText(state_, kTextOutputTooltip) : QString());
    QLineEdit* common = params_->txbCommonWordsFile;
    common->setToolTip(common->text().size() >= 58 ? common->text() : QString());
    cmdClearOutput->setEnabled(idle && !empty);
    showLeftOutCommand();
}

void frmMain::Timer2_Timer() {
    if (!state_.current.elapsedTimeRunning) {
        Timer2->stop();
        return;
    }
    ++state_.current.secondsElapsed;
    if (state_.settings.input.Source != SourceKind::OnClipboard) {
        host_.setLabel(LabelId::TimeElapsed,
                       u"Time elapsed: " + ElapsedTimeText(state_.current.secondsElapsed));
    }
    host_.setLabel(LabelId::NumberOfWords,
                   u"Number of different words found so far: " +
                       GroupDigits(state_.result.table.size(), state_.numberFormat));
    // The twirler turns while a run goes on, so a long step still shows life.
    if (runActive()) {
        static constexpr char16_t kTwirler[] = {172, 173, 174, 175};
        host_.setLabel(LabelId::Twirler, ustring(1, kTwirler[twirlerStep_++ % 4]));
    }
}

// --- Window events -------------------------------------------------------------------------

bool frmMain::acceptsDroppedFiles(const QEvent* event, std::vector<ustring>* paths) const {
    const QMimeData* data = nullptr;
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
        event->type() == QEvent::Drop)
        data = static_cast<const QDropEvent*>(event)->mimeData();
    if (!data || !data->hasUrls() || data->urls().isEmpty()) return false;
    if (!cmdFile[0]->isEnabled()) return false;
    std::vector<ustring> dropped;
    for (const QUrl& url : data->urls()) {
        const QFileInfo info(url.toLocalFile());
        if (!url.isLocalFile() || !(info.isFile() || info.isDir())) return false;
        dropped.push_back(fromQ(url.toLocalFile()));
    }
    if (paths) *paths = std::move(dropped);
    return true;
}

void frmMain::fileBoxLeft(int index) {
    // A message shown while the box is being left takes the focus too; that is no new leaving.
    if (leaving_) return;
    // Passing through the box on the way to another control changes nothing, so it neither
    // checks the file again nor forgets the count.
    if (txbFile[size_t(index)]->text() == textOnEntry_[size_t(index)]) return;
    leaving_ = true;
    txbFile_LostFocus(index);
    leaving_ = false;
    // Enter checks the box without leaving it: leaving it afterwards has nothing new to check.
    textOnEntry_[size_t(index)] = txbFile[size_t(index)]->text();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyRelease:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
            (watched == cmdHelp || watched == cmdFile[0] || watched == cmdFile[1] ||
             watched == cmdListWords)) {
            cmdHelp_Click();
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (watched == txbIntro->viewport()) txbIntro_Click();
        break;
    case QEvent::Resize:
        // The introduction wraps anew at its new width once the box has laid it out.
        if (watched == txbIntro)
            QMetaObject::invokeMethod(
                this, [this] { fitIntroToText(); }, Qt::QueuedConnection);
        break;
    case QEvent::WindowActivate:
        // By now the window manager has framed the window: with its frame it still ends
        // inside the screen.
        if (watched == this) {
            const QSize fitted = SizeWithinScreen(this, size());
            if (fitted != size()) resize(fitted);
        }
        break;
    case QEvent::FocusIn:
        for (size_t i = 0; i < 2; ++i) {
            if (watched == txbFile[i]) textOnEntry_[i] = txbFile[i]->text();
        }
        break;
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        for (int i = 0; i < 2; ++i) {
            if (watched == txbFile[size_t(i)] && reason != Qt::PopupFocusReason) fileBoxLeft(i);
        }
        break;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
        if (acceptsDroppedFiles(event, nullptr)) {
            static_cast<QDropEvent*>(event)->acceptProposedAction();
            return true;
        }
        break;
    case QEvent::Drop: {
        std::vector<ustring> paths;
        if (acceptsDroppedFiles(event, &paths)) {
            static_cast<QDropEvent*>(event)->acceptProposedAction();
            InputsChosen(paths);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace qd::gui
