// The settings window's controls: captions, tooltips, fonts, mnemonics and layout.

#include "Fonts.h"
#include "QtText.h"
#include "ScreenFit.h"
#include "SettingsWindow.h"
#include "scan/Settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qd::gui {

namespace {

template <class W> W* Named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

// key 0: no mnemonic (the caption has no letter left that another command does not use).
QCheckBox* CheckBox(QWidget* parent, const char* name, const QString& caption, QChar key = {}) {
    return Named(new QCheckBox(key.isNull() ? caption : withMnemonic(caption, key), parent), name);
}

QPushButton* Button(QWidget* parent, const QString& name, const QString& caption, QChar key) {
    return Named(new QPushButton(withMnemonic(caption, key), parent), name);
}

QComboBox* SizeList(QWidget* parent, const char* name, int entries, int first, int step) {
    auto* list = Named(new QComboBox(parent), name);
    for (int i = 0; i < entries; ++i)
        list->addItem(QString::number(first + step * i));
    return list;
}

QGroupBox* Group(QWidget* parent) {
    auto* group = new QGroupBox(parent);
    group->setFlat(false);
    return group;
}

} // namespace

void frmParams::buildControls() {
    setObjectName("frmParams");
    // The controls scroll where the screen is too small for them.
    auto* content = new QWidget(this);
    QWidget* w = content;

    // The controls are made in the order the window reads, which is the order Tab visits them.
    lblAllowWordsWith = Named(new QLabel("Allow 'words' with:", w), "lblAllowWordsWith");
    chkAllowWordsWithHyphens = CheckBox(w, "chkAllowWordsWithHyphens", "hyphens -", 'y');
    chkAllowWordsWithApostrophes =
        CheckBox(w, "chkAllowWordsWithApostrophes", "apostrophes '", 'p');
    chkAllowWordsWithUnderscores =
        CheckBox(w, "chkAllowWordsWithUnderscores", "underscores _", 'u');
    chkAllowWordsWithColons = CheckBox(w, "chkAllowWordsWithColons", "colons :", 'o');
    chkAllowWordsWithBackslashes =
        CheckBox(w, "chkAllowWordsWithBackslashes", "backslashes \\", 'b');
    chkAllowWordsWithForwardslashes =
        CheckBox(w, "chkAllowWordsWithForwardslashes", "forward slashes /", 'f');
    chkAllowWordsWithPeriods = CheckBox(w, "chkAllowWordsWithPeriods", "periods .", 'i');
    chkAllowWordsWithAtSigns = CheckBox(w, "chkAllowWordsWithAtSigns", "at-signs @", 'n');
    chkAllowWordsWithNumerals = CheckBox(w, "chkAllowWordsWithNumerals", "numerals", 'm');
    lblFurthermore = Named(new QLabel("Furthermore:", w), "lblFurthermore");
    chkCaseSignificant = CheckBox(w, "chkCaseSignificant", "Upper/lower case significant", 'w');
    chkDropFinalS = CheckBox(w, "chkDropFinalS", "Drop final 's' unless 'ss' or vowel+'s'", 'e');
    chkOnly7bitASCII = CheckBox(w, "chkOnly7bitASCII", "Allow only 7-bit ASCII characters", '7');
    cmdSetOrClearCheckboxes[0] = Button(w, "cmdSetOrClearCheckboxes0", "Clear checkboxes", 'k');
    cmdSetOrClearCheckboxes[1] = Button(w, "cmdSetOrClearCheckboxes1", "Set checkboxes", 'x');

    chkIgnoreRepetitions =
        CheckBox(w, "chkIgnoreRepetitions",
                 "Ignore a word if consists of a repetition of a single letter", 't');
    chkIgnoreRomNum40 = CheckBox(w, "chkIgnoreRomNum40", "Ignore Roman numerals < XL (40)", '4');
    chkIgnoreNoLetter =
        CheckBox(w, "chkIgnoreNoLetter", "Ignore word if it lacks a letter (e.g. numbers)", 's');
    chkIgnoreShortWords = CheckBox(w, "chkIgnoreShortWords", "Ignore words with fewer than");
    cboShortWordSize = SizeList(w, "cboShortWordSize", kShortWordSizeEntries, 2, 1);
    chkIgnoreInfrequentWords =
        CheckBox(w, "chkIgnoreInfrequentWords", "Ignore words with fewer than");
    cboThresholdFrequency = SizeList(w, "cboThresholdFrequency", kThresholdFrequencyEntries, 2, 1);
    lblLongWords = Named(new QLabel("Ignore words with more than", w), "lblLongWords");
    cboLongWordSize = SizeList(w, "cboLongWordSize", kLongWordSizeEntries, 15, 5);

    chkIgnoreCommonWords = CheckBox(w, "chkIgnoreCommonWords", "Ignore common words in file:");
    txbCommonWordsFile = Named(new QLineEdit(w), "txbCommonWordsFile");
    cmdClearCommonWordsFile = Button(w, "cmdClearCommonWordsFile", "Clear", 'r');
    cmdSelectCommonWordsFile[0] =
        Button(w, "cmdSelectCommonWordsFile0", "Select some other common words file", 'h');
    cmdSelectCommonWordsFile[1] =
        Button(w, "cmdSelectCommonWordsFile1", "Select common words in some language", 'g');
    lblWordsToIgnore = Named(new QLabel("Ignore these words:", w), "lblWordsToIgnore");
    txbWordsToIgnore = Named(new QLineEdit(w), "txbWordsToIgnore");
    cmdClearWordsToIgnore = Button(w, "cmdClearWordsToIgnore", "Clear", 'a');

    chkAllowCommentMarkers =
        CheckBox(w, "chkAllowCommentMarkers", "Allow start- and end-comment markers");
    const QFont fixed = RoleFont(FontRole::CourierNew);
    for (int i = 0; i < 2; ++i) {
        txbStartComment[i] = Named(new QLineEdit(w), QString("txbStartComment%1").arg(i));
        txbEndComment[i] = Named(new QLineEdit(w), QString("txbEndComment%1").arg(i));
        for (QLineEdit* box : {txbStartComment[i], txbEndComment[i]}) {
            box->setFont(fixed);
            box->setMaximumWidth(box->fontMetrics().averageCharWidth() * 12);
        }
    }
    txbStartComment[0]->setText("/*");
    txbEndComment[0]->setText("*/");
    txbStartComment[1]->setText("//");

    chkOutputWithCommas = CheckBox(w, "chkOutputWithCommas", "Include commas in output file");
    lblOutputEncoding = Named(new QLabel("Encoding:", w), "lblOutputEncoding");
    cboOutputEncoding = Named(new QComboBox(w), "cboOutputEncoding");
    for (const char* name : OutputEncodingNames)
        cboOutputEncoding->addItem(name);
    chkShowFilesColumn =
        CheckBox(w, "chkShowFilesColumn", "Show in how many files each word occurs");
    chkWarnOnOverwrite = CheckBox(w, "chkWarnOnOverwrite", "Warn before overwriting output file");
    chkSaveStateOnQuit = CheckBox(w, "chkSaveStateOnQuit", "Save settings on quit");

    cmdSaveLoadState[0] = Button(w, "cmdSaveLoadState0", "Save settings to file", 'v');
    cmdSaveLoadState[1] = Button(w, "cmdSaveLoadState1", "Load settings from file", 'L');
    lblParameters = Named(new QLabel("State loaded from:", w), "lblParameters");
    txbParametersFile = Named(new QLineEdit(w), "txbParametersFile");
    txbParametersFile->setReadOnly(true);
    txbParametersFile->hide(); // until a settings file has been saved or loaded

    cmdRestoreDefaults = Button(w, "cmdRestoreDefaults", "Restore defaults", 'd');
    cmdInitialize = Button(w, "cmdInitialize", "Reinitialize", 'z');
    cmdQuit = Button(w, "cmdQuit", "Quit", 'Q');
    cmdClose = Button(w, "cmdClose", "Close", 'C');

    cmdSelectCommonWordsFile[0]->setToolTip("This is for a file containing words (such as "
                                            "common words) which should be ignored.");
    cmdSelectCommonWordsFile[1]->setToolTip(
        "This is for a file containing words in some language which are to be ignored.");
    cboOutputEncoding->setToolTip("Windows-1252 writes '?' for letters it lacks; UTF-8 keeps every "
                                  "letter.");
    txbWordsToIgnore->setToolTip("Add additional words to ignore here.  Words must be separated "
                                 "by spaces, not commas.");

    // Captions in the program's caption font; the marker boxes keep their fixed pitch.
    const QFont arial = RoleFont(FontRole::Arial);
    for (QWidget* child : content->findChildren<QWidget*>()) {
        if (!qobject_cast<QLineEdit*>(child)) child->setFont(arial);
    }

    // Layout: word formation and ignore rules side by side, then words to ignore, comment
    // markers and output, settings files, and the window's commands.
    auto* formation = Group(w);
    auto* f = new QGridLayout(formation);
    f->addWidget(lblAllowWordsWith, 0, 0, 1, 2);
    const std::array<QCheckBox*, 9> extras = {
        chkAllowWordsWithHyphens, chkAllowWordsWithApostrophes, chkAllowWordsWithUnderscores,
        chkAllowWordsWithColons,  chkAllowWordsWithBackslashes, chkAllowWordsWithForwardslashes,
        chkAllowWordsWithPeriods, chkAllowWordsWithAtSigns,     chkAllowWordsWithNumerals};
    for (int i = 0; i < 9; ++i)
        f->addWidget(extras[size_t(i)], 1 + i % 5, i / 5);
    f->addWidget(lblFurthermore, 6, 0, 1, 2);
    f->addWidget(chkCaseSignificant, 7, 0, 1, 2);
    f->addWidget(chkDropFinalS, 8, 0, 1, 2);
    f->addWidget(chkOnly7bitASCII, 9, 0, 1, 2);
    auto* setClear = new QHBoxLayout;
    setClear->addWidget(cmdSetOrClearCheckboxes[0]);
    setClear->addWidget(cmdSetOrClearCheckboxes[1]);
    f->addLayout(setClear, 10, 0, 1, 2);

    auto* ignore = Group(w);
    auto* g = new QGridLayout(ignore);
    g->addWidget(chkIgnoreRepetitions, 0, 0, 1, 3);
    g->addWidget(chkIgnoreRomNum40, 1, 0, 1, 3);
    g->addWidget(chkIgnoreNoLetter, 2, 0, 1, 3);
    g->addWidget(chkIgnoreShortWords, 3, 0);
    g->addWidget(cboShortWordSize, 3, 1);
    g->addWidget(new QLabel("characters", ignore), 3, 2);
    g->addWidget(chkIgnoreInfrequentWords, 4, 0);
    g->addWidget(cboThresholdFrequency, 4, 1);
    g->addWidget(new QLabel("occurrences", ignore), 4, 2);
    g->addWidget(lblLongWords, 5, 0);
    g->addWidget(cboLongWordSize, 5, 1);
    g->addWidget(new QLabel("characters", ignore), 5, 2);
    g->setColumnStretch(2, 1);
    g->setRowStretch(6, 1);
    for (QLabel* l : ignore->findChildren<QLabel*>())
        l->setFont(arial);

    auto* words = Group(w);
    auto* c = new QGridLayout(words);
    c->addWidget(chkIgnoreCommonWords, 0, 0, 1, 2);
    c->addWidget(txbCommonWordsFile, 1, 0);
    c->addWidget(cmdClearCommonWordsFile, 1, 1);
    auto* select = new QHBoxLayout;
    select->addWidget(cmdSelectCommonWordsFile[0]);
    select->addWidget(cmdSelectCommonWordsFile[1]);
    select->addStretch(1);
    c->addLayout(select, 2, 0, 1, 2);
    c->addWidget(lblWordsToIgnore, 3, 0, 1, 2);
    c->addWidget(txbWordsToIgnore, 4, 0);
    c->addWidget(cmdClearWordsToIgnore, 4, 1);
    c->setColumnStretch(0, 1);

    auto* markers = Group(w);
    auto* m = new QGridLayout(markers);
    m->addWidget(chkAllowCommentMarkers, 0, 0, 1, 3);
    auto* pair1 = new QLabel("1st pair:", markers);
    auto* pair2 = new QLabel("2nd pair:", markers);
    pair1->setFont(arial);
    pair2->setFont(arial);
    m->addWidget(pair1, 1, 0);
    m->addWidget(txbStartComment[0], 1, 1);
    m->addWidget(txbEndComment[0], 1, 2);
    m->addWidget(pair2, 2, 0);
    m->addWidget(txbStartComment[1], 2, 1);
    m->addWidget(txbEndComment[1], 2, 2);
    m->setColumnStretch(3, 1);

    auto* output = Group(w);
    auto* o = new QVBoxLayout(output);
    auto* commasAndEncoding = new QHBoxLayout;
    commasAndEncoding->addWidget(chkOutputWithCommas);
    commasAndEncoding->addWidget(lblOutputEncoding);
    commasAndEncoding->addWidget(cboOutputEncoding);
    commasAndEncoding->addStretch(1);
    o->addLayout(commasAndEncoding);
    o->addWidget(chkShowFilesColumn);
    o->addWidget(chkWarnOnOverwrite);
    o->addWidget(chkSaveStateOnQuit);
    o->addStretch(1);

    auto* files = Group(w);
    auto* s = new QGridLayout(files);
    s->addWidget(cmdSaveLoadState[0], 0, 0);
    s->addWidget(cmdSaveLoadState[1], 0, 1);
    s->addWidget(lblParameters, 0, 2);
    s->addWidget(txbParametersFile, 1, 0, 1, 3);
    s->setColumnStretch(2, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(formation);
    top->addWidget(ignore, 1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(markers, 1);
    middle->addWidget(output, 1);
    auto* commands = new QHBoxLayout;
    commands->addWidget(cmdRestoreDefaults);
    commands->addWidget(cmdInitialize);
    commands->addStretch(1);
    commands->addWidget(cmdQuit);
    commands->addWidget(cmdClose);

    auto* page = new QVBoxLayout(content);
    page->setContentsMargins(WindowMargins(this));
    page->addLayout(top);
    page->addWidget(words);
    page->addLayout(middle);
    page->addWidget(files);
    page->addLayout(commands);

    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    page_ = new ScrollingPage(content, this);
    window->addWidget(page_);
}

} // namespace qd::gui
