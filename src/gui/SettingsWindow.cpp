#include "SettingsWindow.h"

#include "LanguageWindow.h"
#include "MainWindow.h"
#include "QtText.h"
#include "ScreenFit.h"
#include "Twips.h"
#include "count/WordsToIgnore.h"
#include "scan/CommentMarkers.h"
#include "session/CommonWords.h"
#include "settings/Defaults.h"
#include "settings/NamedSettingsFiles.h"
#include "settings/SettingsFields.h"
#include "text/Folders.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace qd::gui {

namespace {

constexpr char16_t kRereadQuestion[] = u"Changing this entails reading the file anew.  Is this OK?";

// Losing the focus to a pop-up menu is no leaving of the box.
bool LeavesBox(const QEvent* event) {
    return event->type() == QEvent::FocusOut &&
           static_cast<const QFocusEvent*>(event)->reason() != Qt::PopupFocusReason;
}

} // namespace

// A dialog-kind window with the main window as its parent: window managers keep it above the
// main window while both are open, also after a message box or file dialog of either closes.
frmParams::frmParams(frmMain& main)
    : QWidget(&main, Qt::Dialog), main_(main), state_(main.state()) {
    buildControls();
    connectHandlers();
    lblParameters->clear();
    txbParametersFile->clear();
    setWindowTitle(withoutMnemonic(main.cmdSetParameters->text()));
    // As tight as the controls allow, as the window has always opened, until the screen's edge
    // limits it (placeBesideMainWindow).
    resize(page_->widget()->minimumSizeHint());
}

void frmParams::bindFlag(QCheckBox* box, std::string_view name, BoxRule rule) {
    const SettingField* field = FindSettingField(FromUtf8(name));
    flagBoxes_.push_back({box, field, rule});
    connect(box, &QCheckBox::clicked, this, [=, this] { flagBoxClicked(box, field, rule); });
}

void frmParams::connectHandlers() {
    bindFlag(chkAllowWordsWithHyphens, "AllowWordsWithHyphens", BoxRule::RereadPromptThenCheck);
    bindFlag(chkAllowWordsWithApostrophes, "AllowWordsWithApostrophes",
             BoxRule::RereadPromptThenCheck);
    bindFlag(chkAllowWordsWithUnderscores, "AllowWordsWithUnderscores",
             BoxRule::RereadPromptThenCheck);
    bindFlag(chkAllowWordsWithColons, "AllowWordsWithColons", BoxRule::RereadPromptThenCheck);
    bindFlag(chkAllowWordsWithBackslashes, "AllowWordsWithBackslashes",
             BoxRule::RereadPromptThenCheck);
    // A slash is never checked for in the words to ignore.
    bindFlag(chkAllowWordsWithForwardslashes, "AllowWordsWithForwardslashes",
             BoxRule::RereadPrompt);
    bindFlag(chkAllowWordsWithPeriods, "AllowWordsWithPeriods", BoxRule::RereadPromptThenCheck);
    bindFlag(chkAllowWordsWithAtSigns, "AllowWordsWithAtSigns", BoxRule::RereadPromptThenCheck);
    bindFlag(chkAllowWordsWithNumerals, "AllowWordsWithNumerals", BoxRule::RereadPromptThenCheck);
    bindFlag(chkCaseSignificant, "CaseSignificant", BoxRule::RereadPrompt);
    bindFlag(chkDropFinalS, "DropFinalS", BoxRule::RereadPrompt);
    bindFlag(chkOnly7bitASCII, "Only7bitASCII", BoxRule::None);
    bindFlag(chkAllowCommentMarkers, "AllowCommentMarkers", BoxRule::RereadPrompt);
    bindFlag(chkIgnoreRepetitions, "IgnoreRepetitions", BoxRule::None);
    bindFlag(chkIgnoreRomNum40, "IgnoreRomNum40", BoxRule::None);
    bindFlag(chkIgnoreNoLetter, "IgnoreNoLetter", BoxRule::None);
    bindFlag(chkIgnoreInfrequentWords, "IgnoreInfrequentWords", BoxRule::None);
    bindFlag(chkIgnoreShortWords, "IgnoreShortWords", BoxRule::None);
    bindFlag(chkOutputWithCommas, "OutputWithCommas", BoxRule::None);
    bindFlag(chkShowFilesColumn, "ShowFilesColumn", BoxRule::None);
    bindFlag(chkWarnOnOverwrite, "WarnOnOverwrite", BoxRule::None);
    bindFlag(chkSaveStateOnQuit, "SaveStateOnQuit", BoxRule::None);

    const auto bindList = [this](QComboBox* list, std::string_view name) {
        const SettingField* field = FindSettingField(FromUtf8(name));
        connect(list, &QComboBox::activated, this,
                [=, this](int index) { field->setIndexOf(state_.settings, index); });
    };
    bindList(cboShortWordSize, "ShortWordSize");
    bindList(cboLongWordSize, "LongWordSize");
    bindList(cboThresholdFrequency, "ThresholdFrequency");
    bindList(cboOutputEncoding, "OutputEncoding");

    connect(chkIgnoreCommonWords, &QCheckBox::clicked, this, [this] {
        state_.settings.ignore.IgnoreCommonWords = chkIgnoreCommonWords->isChecked();
        chkIgnoreCommonWords_Click();
    });
    connect(cmdClearCommonWordsFile, &QPushButton::clicked, this,
            [this] { cmdClearCommonWordsFile_Click(); });
    for (int i = 0; i < 2; ++i) {
        connect(cmdSelectCommonWordsFile[size_t(i)], &QPushButton::clicked, this,
                [this, i] { cmdSelectCommonWordsFile_Click(i); });
        connect(cmdSetOrClearCheckboxes[size_t(i)], &QPushButton::clicked, this,
                [this, i] { cmdSetOrClearCheckboxes_Click(i); });
        connect(cmdSaveLoadState[size_t(i)], &QPushButton::clicked, this,
                [this, i] { cmdSaveLoadState_Click(i); });
        connect(txbStartComment[size_t(i)], &QLineEdit::textEdited, this,
                [this, i](const QString& text) {
                    state_.settings.comments.StartComment[size_t(i)] = fromQ(text);
                });
        connect(txbEndComment[size_t(i)], &QLineEdit::textEdited, this,
                [this, i](const QString& text) {
                    state_.settings.comments.EndComment[size_t(i)] = fromQ(text);
                });
    }
    connect(txbCommonWordsFile, &QLineEdit::textEdited, this,
            [this](const QString& text) { state_.lists.commonWordsFile = fromQ(text); });
    // The words-to-ignore box is the setting; it is put in its normal form when left.
    connect(txbWordsToIgnore, &QLineEdit::textEdited, this,
            [this](const QString& text) { state_.settings.ignore.WordsToIgnore = fromQ(text); });
    connect(cmdClearWordsToIgnore, &QPushButton::clicked, this,
            [this] { cmdClearWordsToIgnore_Click(); });
    connect(cmdRestoreDefaults, &QPushButton::clicked, this,
            [this] { cmdRestoreDefaults_Click(); });
    connect(cmdInitialize, &QPushButton::clicked, this, [this] { cmdInitialize_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(cmdQuit, &QPushButton::clicked, this, [this] { cmdQuit_Click(); });
    // Escape closes the window as its Close command does.
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this,
            [this] { cmdClose_Click(); });

    for (QLineEdit* box : {txbWordsToIgnore, txbCommonWordsFile, txbStartComment[0],
                           txbStartComment[1], txbEndComment[0], txbEndComment[1]})
        box->installEventFilter(this);
}

void frmParams::showSettings() {
    const Settings& s = state_.settings;
    for (const FlagBox& f : flagBoxes_)
        f.box->setChecked(f.field->flagOf(s));
    chkIgnoreCommonWords->setChecked(s.ignore.IgnoreCommonWords);
    cboShortWordSize->setCurrentIndex(s.ignore.ShortWordSize);
    cboLongWordSize->setCurrentIndex(s.ignore.LongWordSize);
    cboThresholdFrequency->setCurrentIndex(s.ignore.ThresholdFrequency);
    cboOutputEncoding->setCurrentIndex(int(s.output.OutputEncoding));
    txbCommonWordsFile->setText(toQ(state_.lists.commonWordsFile));
    txbWordsToIgnore->setText(toQ(s.ignore.WordsToIgnore));
    for (size_t i = 0; i < 2; ++i) {
        txbStartComment[i]->setText(toQ(s.comments.StartComment[i]));
        txbEndComment[i]->setText(toQ(s.comments.EndComment[i]));
    }
}

void frmParams::flagBoxClicked(QCheckBox* box, const SettingField* field, BoxRule rule) {
    field->flagOf(state_.settings) = box->isChecked();
    switch (rule) {
    case BoxRule::None:
        return;
    case BoxRule::RereadPrompt:
    case BoxRule::RereadPromptThenCheck:
        break;
    }
    if (!state_.session.startUpCompleted || handlersMuted_) return;
    if (box == chkAllowCommentMarkers && state_.scanner.readingWords()) return;
    rereadPrompt(box, field);
    if (rule == BoxRule::RereadPromptThenCheck && !bulkCheckboxChange_)
        CheckAllowedExtraChars(state_);
}

bool frmParams::rereadPrompt(QCheckBox* box, const SettingField* field) {
    if (!state_.session.wordsGot) return true;
    const Answer answer = main_.host().ask(Question::ReadFileAnew, kRereadQuestion, kProgramTitle,
                                           MsgIcon::None, MsgButtons::YesNo, Answer::Yes);
    if (answer == Answer::Yes) {
        state_.session.wordsGot = false;
        return true;
    }
    handlersMuted_ = true;
    box->setChecked(!box->isChecked());
    field->flagOf(state_.settings) = box->isChecked();
    handlersMuted_ = false;
    return false;
}

void frmParams::focusToClose() {
    if (cmdClose->isVisible() && cmdClose->isEnabled()) cmdClose->setFocus();
}

void frmParams::chkIgnoreCommonWords_Click() {
    if (!state_.session.startUpCompleted || state_.scanner.readingWords() || handlersMuted_) return;
    if (chkIgnoreCommonWords->isChecked()) {
        if (state_.settings.ignore.CommonWordsFile.empty()) {
            main_.host().message(u"Please specify the file containing common words.",
                                 fromQ(withoutMnemonic(chkIgnoreCommonWords->text())),
                                 MsgIcon::None);
            handlersMuted_ = true;
            chkIgnoreCommonWords->setChecked(false);
            state_.settings.ignore.IgnoreCommonWords = false;
            handlersMuted_ = false;
        } else if (state_.session.commonWordsLoaded) {
            main_.host().message(u"This file has already been loaded.  Click on 'Clear' "
                                 u"and re-select the file if it has been changed on disk.",
                                 u"Common words loaded", MsgIcon::Information);
        } else {
            AttemptToReadCommonWords(state_);
            main_.ConcealNumWords();
        }
    }
}

void frmParams::cmdClearCommonWordsFile_Click() {
    txbCommonWordsFile->clear();
    state_.lists.commonWordsFile.clear();
    state_.settings.ignore.CommonWordsFile.clear();
    state_.settings.ignore.IgnoreCommonWords = false;
    chkIgnoreCommonWords->setChecked(false);
    state_.session.commonWordsLoaded = false;
}

void frmParams::txbCommonWordsFile_LostFocus() {
    if (!chkIgnoreCommonWords->isChecked()) return;
    const QString path = txbCommonWordsFile->text().trimmed();
    txbCommonWordsFile->setText(path);
    state_.lists.commonWordsFile = fromQ(path);
    if (state_.lists.commonWordsFile == state_.settings.ignore.CommonWordsFile) return;
    state_.settings.ignore.CommonWordsFile = state_.lists.commonWordsFile;
    state_.session.commonWordsLoaded = false;
    state_.session.wordsGot = false;
    chkIgnoreCommonWords_Click();
}

void frmParams::cmdSelectCommonWordsFile_Click(int index) {
    if (index == 1) {
        frmLanguageSelection languages(this);
        languages.placeAt(cmdSelectCommonWordsFile[1]);
        languages.exec();
        LoadCommonWordsForLanguage(state_, languages.languageSelected);
        return;
    }
    const ustring path = main_.host().chooseOpenFile(u"Specify file of common words to ignore",
                                                     u"Any file containing only text (*)", u"");
    if (path.empty()) return;
    LoadCommonWordsFromFile(state_, path);
    focusToClose();
    showWindow();
}

void frmParams::txbWordsToIgnore_LostFocus() {
    state_.settings.ignore.WordsToIgnore = fromQ(txbWordsToIgnore->text());
    qd::NormaliseWordsToIgnore(state_);
    txbWordsToIgnore->setText(toQ(state_.settings.ignore.WordsToIgnore));
}

void frmParams::cmdClearWordsToIgnore_Click() {
    txbWordsToIgnore->clear();
    // The scanner's list follows at once: otherwise the cleared words would still be ignored
    // by a count started before the box is next left.
    txbWordsToIgnore_LostFocus();
    focusToClose();
}

void frmParams::cmdSetOrClearCheckboxes_Click(int index) {
    const bool value = index == 1;
    const std::array<QCheckBox*, 21> order = {chkAllowWordsWithHyphens,
                                              chkAllowWordsWithApostrophes,
                                              chkAllowWordsWithUnderscores,
                                              chkAllowWordsWithColons,
                                              chkAllowWordsWithBackslashes,
                                              chkAllowWordsWithForwardslashes,
                                              chkAllowWordsWithPeriods,
                                              chkAllowWordsWithAtSigns,
                                              chkAllowWordsWithNumerals,
                                              chkCaseSignificant,
                                              chkDropFinalS,
                                              chkIgnoreInfrequentWords,
                                              chkIgnoreRepetitions,
                                              chkIgnoreRomNum40,
                                              chkIgnoreNoLetter,
                                              chkIgnoreShortWords,
                                              chkOutputWithCommas,
                                              chkAllowCommentMarkers,
                                              chkWarnOnOverwrite,
                                              chkSaveStateOnQuit,
                                              chkOnly7bitASCII};
    bulkCheckboxChange_ = true;
    for (QCheckBox* box : order) {
        if (box->isChecked() == value) continue;
        box->setChecked(value);
        for (const FlagBox& f : flagBoxes_) {
            if (f.box == box) flagBoxClicked(f.box, f.field, f.rule);
        }
    }
    bulkCheckboxChange_ = false;
}

void frmParams::SetDefaultValues() {
    state_.session.wordsGot = false;
    qd::SetDefaultValues(state_.settings);
    SetCommentMarkers(state_.scanner, u"C");
    showSettings();
}

void frmParams::cmdRestoreDefaults_Click() {
    SetDefaultValues();
    focusToClose();
}

void frmParams::cmdInitialize_Click() {
    main_.Initialize();
    state_.settings.output.WordOrder = ListOrder::ByFrequency;
    state_.settings.output.DisplayFormat = ListFormat::RankFrequencyWord;
    SetDefaultValues();
    state_.settings.ignore.IgnoreCommonWords = false;
    lblParameters->setText("Program reinitialized.");
    txbParametersFile->hide();
    main_.showSettings();
    showSettings();
    showWindow();
}

void frmParams::cmdClose_Click() {
    hide();
    main_.SetTheFocus();
}

void frmParams::cmdQuit_Click() {
    if (main_.host().ask(Question::ReallyQuit, u"Really quit?", u"Quit", MsgIcon::None,
                         MsgButtons::YesNo, Answer::Yes) == Answer::Yes)
        main_.cmdQuit_Click();
}

void frmParams::cmdSaveLoadState_Click(int index) {
    QtHost& host = main_.host();
    SettingsFileOutcome outcome;
    if (index == 0) {
        outcome = SaveSettingsToFile(host, state_.settings, state_.env.programFolder);
    } else {
        handlersMuted_ = true;
        outcome = LoadSettingsFromFile(host, state_.settings, state_.env.programFolder);
        handlersMuted_ = false;
    }
    if (!outcome.chosen) return;
    lblParameters->setText(toQ(outcome.caption));
    txbParametersFile->setText(toQ(outcome.path));
    txbParametersFile->show();
    if (index == 0) return;
    if (outcome.error.empty()) {
        qd::NormaliseWordsToIgnore(state_);
        CommonWordsFileRestored(state_);
    } else {
        // A settings file that cannot be read leaves the program at its defaults, common
        // words not ignored included; the box goes on naming the file that failed.
        main_.InitializeVariables();
        state_.settings.ignore.IgnoreCommonWords = false;
        txbParametersFile->setText(toQ(outcome.path));
    }
    main_.UpdateOutputFileControls();
    main_.showSettings();
    showSettings();
}

void frmParams::placeBesideMainWindow() {
    const QPoint corner = main_.frameGeometry().topLeft();
    const QPoint place(corner.x() + main_.cmdSetParameters->width() + TwipsToPixelsX(300, &main_),
                       corner.y());
    if (pos() != place) move(place);
    // The window ends at the screen's edge; its controls scroll where they need more room.
    const QSize fitted = SizeWithinScreen(this, size(), place);
    if (fitted != size()) resize(fitted);
}

void frmParams::showWindow() {
    main_.host().setDialogOwner(this);
    show();
    raise();
    activateWindow();
}

bool frmParams::event(QEvent* event) {
    // The focus starts on Close when the window opens; coming back to the window, after a
    // message box of its own included, finds it where the person left it.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        placeBesideMainWindow();
    if (event->type() == QEvent::Show) focusToClose();
    return QWidget::event(event);
}

bool frmParams::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txbCommonWordsFile && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            txbCommonWordsFile_LostFocus();
            return true;
        }
    }
    if (!LeavesBox(event) || leaving_) return QWidget::eventFilter(watched, event);
    // A message shown while the box is being left takes the focus too; that is no new leaving.
    leaving_ = true;
    if (watched == txbWordsToIgnore) {
        txbWordsToIgnore_LostFocus();
    } else if (watched == txbCommonWordsFile) {
        txbCommonWordsFile_LostFocus();
    } else {
        for (size_t i = 0; i < 2; ++i) {
            for (auto [box, markers] :
                 {std::pair{txbStartComment[i], &CommentSettings::StartComment},
                  std::pair{txbEndComment[i], &CommentSettings::EndComment}}) {
                if (watched != box) continue;
                box->setText(box->text().trimmed());
                (state_.settings.comments.*markers)[i] = fromQ(box->text());
                state_.session.wordsGot = false;
            }
        }
    }
    leaving_ = false;
    return QWidget::eventFilter(watched, event);
}

} // namespace qd::gui
