// The main window's controls: captions, fonts, mnemonics and layout.

#include "Fonts.h"
#include "MainWindow.h"
#include "QtText.h"
#include "ScreenFit.h"
#include "scan/Settings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace qd::gui {

namespace {

template <class W> W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, QChar key) {
    return Named(new QPushButton(withMnemonic(caption, key), parent), name);
}

QCheckBox* CheckBox(QWidget* parent, const char* name, const QString& caption, QChar key) {
    return Named(new QCheckBox(withMnemonic(caption, key), parent), name);
}

// Tab visits the controls in this order, Shift+Tab in the reverse.
void SetTabOrder(std::initializer_list<QWidget*> order) {
    for (auto next = order.begin(); next + 1 != order.end(); ++next)
        QWidget::setTabOrder(*next, *(next + 1));
}

QLabel* StatusLabel(QWidget* parent, const char* name) {
    auto* label = Named(new QLabel(parent), name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A hidden count keeps its place, so the frame does not jump while a run shows and hides.
    QSizePolicy policy = label->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    label->setSizePolicy(policy);
    return label;
}

} // namespace

void frmMain::buildControls() {
    setObjectName("frmMain");
    setWindowTitle("Quorvel Dorvane");
    // The controls scroll where the screen is too small for them.
    auto* central = new QWidget(this);
    setCentralWidget(new ScrollingPage(central, this));

    txbIntro = Named(new QPlainTextEdit(central), "txbIntro");
    txbIntro->setReadOnly(true);
    txbIntro->setFont(RoleFont(FontRole::Arial));
    txbIntro->setFocusPolicy(Qt::NoFocus);
    txbIntro->viewport()->setCursor(Qt::PointingHandCursor);
    txbIntro->setFixedHeight(txbIntro->fontMetrics().lineSpacing() * 6 + 12);

    Label5 = Named(new QLabel("Source:", central), "Label5");
    optInFile = Named(new QRadioButton(withMnemonic("file", 'f'), central), "optInFile");
    optOnClipboard =
        Named(new QRadioButton(withMnemonic("clipboard", 'b'), central), "optOnClipboard");
    auto* sourceGroup = new QButtonGroup(this);
    sourceGroup->addButton(optInFile);
    sourceGroup->addButton(optOnClipboard);
    lblSizeOfClipboardContents = Named(new QLabel(central), "lblSizeOfClipboardContents");

    const QFont fixed = RoleFont(FontRole::CourierNew);
    cmdFile[0] = Button(central, "cmdFile0", "Input file", 'I');
    cmdFile[1] = Button(central, "cmdFile1", "Output file", 'O');
    cmdFolder = Button(central, "cmdFolder", "Input folder", 'l');
    cmdClearFile[0] = Button(central, "cmdClearFile0", "Clear", 'e');
    cmdClearFile[1] = Button(central, "cmdClearFile1", "Clear", 'a');
    for (int i = 0; i < 2; ++i) {
        txbFile[i] = Named(new QLineEdit(central), i == 0 ? "txbFile0" : "txbFile1");
        txbFile[i]->setFont(fixed);
        txbFile[i]->setMinimumWidth(txbFile[i]->fontMetrics().averageCharWidth() * 40);
    }
    lblFilesize = Named(new QLabel(central), "lblFilesize");
    chkUTF8 = CheckBox(central, "chkUTF8", "UTF-8", 'U');
    chkDisableOutputToFile = CheckBox(central, "chkDisableOutputToFile", "Disable", 'D');
    chkSuppressWords = CheckBox(central, "chkSuppressWords", "Don't display words as found", 'n');

    lblWordOrder = Named(new QLabel(withMnemonic("Word order:", 'W'), central), "lblWordOrder");
    cboWordOrder = Named(new QComboBox(central), "cboWordOrder");
    lblWordOrder->setBuddy(cboWordOrder);
    lblDisplayFormat =
        Named(new QLabel(withMnemonic("Display format:", 'p'), central), "lblDisplayFormat");
    cboDisplayFormat = Named(new QComboBox(central), "cboDisplayFormat");
    lblDisplayFormat->setBuddy(cboDisplayFormat);

    cmdListWords = Button(central, "cmdListWords", "Count words", 'C');
    cmdSetParameters = Button(central, "cmdSetParameters", "Settings", 't');
    cmdSaveState = Button(central, "cmdSaveState", "Save settings", 'v');
    cmdClearOutput = Button(central, "cmdClearOutput", "Clear textbox", 'x');
    cmdHelp = Button(central, "cmdHelp", "Help", 'H');
    cmdQuit = Button(central, "cmdQuit", "Quit", 'Q');
    cmdListWords->setDefault(true);

    txbOutput = Named(new QPlainTextEdit(central), "txbOutput");
    txbOutput->setFont(fixed);
    txbOutput->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txbOutput->setMinimumHeight(160);
    // Tab goes on to the next control, as everywhere else in the window.
    txbOutput->setTabChangesFocus(true);

    buildStatusFrame(central);

    // Every caption of the window is drawn in the program's caption font; the text boxes keep
    // their own fonts and the twirler draws arrows.
    const QFont arial = RoleFont(FontRole::Arial);
    for (QWidget* w : std::initializer_list<QWidget*>{Label5,
                                                      optInFile,
                                                      optOnClipboard,
                                                      lblSizeOfClipboardContents,
                                                      cmdFile[0],
                                                      cmdFile[1],
                                                      cmdClearFile[0],
                                                      cmdClearFile[1],
                                                      lblFilesize,
                                                      chkUTF8,
                                                      chkDisableOutputToFile,
                                                      chkSuppressWords,
                                                      lblWordOrder,
                                                      cboWordOrder,
                                                      lblDisplayFormat,
                                                      cboDisplayFormat,
                                                      cmdListWords,
                                                      cmdSetParameters,
                                                      cmdSaveState,
                                                      cmdClearOutput,
                                                      cmdHelp,
                                                      cmdQuit,
                                                      Frame2})
        w->setFont(arial);

    auto* files = new QGridLayout;
    files->addWidget(Label5, 0, 0);
    auto* source = new QHBoxLayout;
    source->addWidget(optInFile);
    source->addWidget(optOnClipboard);
    source->addSpacing(12);
    source->addWidget(lblSizeOfClipboardContents, 1);
    files->addLayout(source, 0, 1, 1, 3);
    files->addWidget(cmdFile[0], 1, 0);
    files->addWidget(txbFile[0], 1, 1);
    files->addWidget(cmdClearFile[0], 1, 2);
    files->addWidget(chkUTF8, 1, 3);
    files->addWidget(cmdFolder, 2, 0);
    files->addWidget(lblFilesize, 2, 1, 1, 3);
    files->addWidget(cmdFile[1], 3, 0);
    files->addWidget(txbFile[1], 3, 1);
    files->addWidget(cmdClearFile[1], 3, 2);
    files->addWidget(chkDisableOutputToFile, 3, 3);
    files->addWidget(chkSuppressWords, 4, 1, 1, 3);
    auto* lists = new QHBoxLayout;
    lists->addWidget(lblWordOrder);
    lists->addWidget(cboWordOrder);
    lists->addSpacing(16);
    lists->addWidget(lblDisplayFormat);
    lists->addWidget(cboDisplayFormat);
    lists->addStretch(1);
    files->addLayout(lists, 5, 0, 1, 4);
    files->setColumnStretch(1, 1);

    auto* upper = new QHBoxLayout;
    upper->addLayout(files, 1);
    upper->addWidget(Frame2, 0, Qt::AlignTop);

    auto* commands = new QHBoxLayout;
    for (QPushButton* b :
         {cmdListWords, cmdSetParameters, cmdSaveState, cmdClearOutput, cmdHelp, cmdQuit})
        commands->addWidget(b);
    commands->addStretch(1);
    // The count button keeps one width whichever of its two captions it shows.
    cmdListWords->setMinimumWidth(cmdListWords->sizeHint().width() + 16);

    // As the window reads: the source, the input and output rows, the lists, the status
    // frame's command, the command row, and the output box.
    SetTabOrder({optInFile,
                 optOnClipboard,
                 cmdFile[0],
                 txbFile[0],
                 cmdClearFile[0],
                 chkUTF8,
                 cmdFolder,
                 cmdFile[1],
                 txbFile[1],
                 cmdClearFile[1],
                 chkDisableOutputToFile,
                 chkSuppressWords,
                 cboWordOrder,
                 cboDisplayFormat,
                 cmdShowIgnored,
                 cmdListWords,
                 cmdSetParameters,
                 cmdSaveState,
                 cmdClearOutput,
                 cmdHelp,
                 cmdQuit,
                 txbOutput});

    auto* page = new QVBoxLayout(central);
    page->addWidget(txbIntro);
    page->addLayout(upper);
    page->addLayout(commands);
    page->addWidget(txbOutput, 1);

    Timer1 = Named(new QTimer(this), "Timer1");
    Timer1->setInterval(1000);
    Timer2 = Named(new QTimer(this), "Timer2");
    Timer2->setInterval(1000);

    // As large as it always opened where the screen has room, no larger than the screen's free
    // area where it has not.
    resize(SizeWithinScreen(this, QSize(960, 720).expandedTo(central->minimumSizeHint())));
}

void frmMain::buildStatusFrame(QWidget* parent) {
    Frame2 = Named(new QGroupBox(parent), "Frame2");
    lblTimeElapsed = StatusLabel(Frame2, "lblTimeElapsed");
    lblTimeElapsed->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblTwirler = StatusLabel(Frame2, "lblTwirler");
    lblTwirler->setFont(RoleFont(FontRole::Symbol, 12));
    lblTwirler->setAlignment(Qt::AlignCenter);
    lblTwirler->setMinimumWidth(24);
    lblTwirler->setText(" ");
    lblNumberOfWords = StatusLabel(Frame2, "lblNumberOfWords");
    lblNumWordsExcluded = StatusLabel(Frame2, "lblNumWordsExcluded");
    cmdShowIgnored = Button(Frame2, "cmdShowIgnored", "Show words left out", 'r');
    cmdShowIgnored->setToolTip("List every word the last count left out, with its frequency and "
                               "the rule that left it out: those ignored after the count, which "
                               "the number beside counts, and those left out while counting.");
    cmdShowIgnored->setEnabled(false);
    lblNumOccurrences = StatusLabel(Frame2, "lblNumOccurrences");
    lblTotalNumOccurrences = StatusLabel(Frame2, "lblTotalNumOccurrences");

    const QFont arial = RoleFont(FontRole::Arial, 10);
    for (QLabel* l : {lblTimeElapsed, lblNumberOfWords, lblNumWordsExcluded, lblNumOccurrences,
                      lblTotalNumOccurrences})
        l->setFont(arial);
    cmdShowIgnored->setFont(arial);

    auto* frame = new QGridLayout(Frame2);
    frame->addWidget(lblTimeElapsed, 0, 0);
    frame->addWidget(lblTwirler, 0, 1);
    frame->addWidget(lblNumberOfWords, 1, 0, 1, 2);
    frame->addWidget(lblNumWordsExcluded, 2, 0, 1, 2);
    frame->addWidget(cmdShowIgnored, 2, 2);
    frame->addWidget(lblNumOccurrences, 3, 0, 1, 2);
    frame->addWidget(lblTotalNumOccurrences, 4, 0, 1, 2);
    frame->setColumnStretch(0, 1);
    // Wide enough for the longest caption with a number, and for the progress bar's 39 cells.
    QFont bar = RoleFont(FontRole::CourierNew, 10);
    bar.setBold(true);
    const int barWidth = QFontMetrics(bar).horizontalAdvance(QString(39, u'-'));
    const int captionWidth = QFontMetrics(arial).horizontalAdvance(
        "No. of words ignored (other than common words):  999,999,999");
    // The command for the words left out stands beside its label, in a column of its own, wide
    // enough for its caption with a large number.
    const int commandWidth =
        cmdShowIgnored->sizeHint().width() +
        QFontMetrics(cmdShowIgnored->font()).horizontalAdvance(" (999,999,999)");
    cmdShowIgnored->setMinimumWidth(commandWidth);
    Frame2->setMinimumWidth(std::max(barWidth, captionWidth) + 24 + commandWidth +
                            frame->horizontalSpacing());

    host_.bindLabel(LabelId::TimeElapsed, lblTimeElapsed);
    host_.bindLabel(LabelId::Twirler, lblTwirler);
    host_.bindLabel(LabelId::NumberOfWords, lblNumberOfWords);
    host_.bindLabel(LabelId::NumWordsExcluded, lblNumWordsExcluded);
    host_.bindLabel(LabelId::NumOccurrences, lblNumOccurrences);
    host_.bindLabel(LabelId::TotalNumOccurrences, lblTotalNumOccurrences);
}

void frmMain::fillLists() {
    cboWordOrder->clear();
    for (const char* name : WordOrderNames)
        cboWordOrder->addItem(name);
    cboDisplayFormat->clear();
    for (const char* name : DisplayFormatNames)
        cboDisplayFormat->addItem(name);
}

} // namespace qd::gui
