#include "HelpWindow.h"

#include "Fonts.h"
#include "HelpText.h"
#include "MainWindow.h"
#include "QtText.h"
#include "Twips.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>

namespace qd::gui {

namespace {

// Where the text box starts inside the window.
constexpr int kTextLeftTwips = 60;
constexpr int kTextTopTwips = 120;

} // namespace

frmHelp::frmHelp(frmMain& main) : QWidget(&main, Qt::Window), main_(main) {
    setObjectName("frmHelp");
    setWindowTitle("DVN Help");
    txbHelpScreen = new QPlainTextEdit(this);
    txbHelpScreen->setObjectName("txbHelpScreen");
    txbHelpScreen->setFont(RoleFont(FontRole::Arial));
    txbHelpScreen->setReadOnly(true);
    txbHelpScreen->setPlainText(toWidgetLines(fromQ(HelpText())));
    cmdClose = new QPushButton(withMnemonic("Close", 'C'), this);
    cmdClose->setObjectName("cmdClose");
    cmdClose->setFont(RoleFont(FontRole::Arial));
    cmdClose->resize(cmdClose->sizeHint().expandedTo(QSize(TwipsToPixelsX(1200, &main), 0)));
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this,
            [this] { cmdClose_Click(); });

    setMinimumSize(TwipsToPixelsX(2400, &main), TwipsToPixelsY(2400, &main));

    // First placing: over the main window, a little inside its edges. The sizes are outer
    // sizes, borders included; they are met once the borders are known (showEvent).
    const QRect m = main.frameGeometry();
    firstOuterSize_ =
        QSize(m.width() - TwipsToPixelsX(400, &main), m.height() - TwipsToPixelsY(680, &main));
    move(m.left() + TwipsToPixelsX(200, &main), m.top() + TwipsToPixelsY(480, &main));
    resize(firstOuterSize_);
}

void frmHelp::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (firstOuterSize_.isEmpty()) return;
    const QSize borders = frameGeometry().size() - size();
    resize(firstOuterSize_ - borders);
    firstOuterSize_ = QSize();
}

void frmHelp::cmdClose_Click() {
    hide();
    main_.SetTheFocus();
}

void frmHelp::Form_Resize() {
    if (isMinimized()) return;
    // The window's outer size, as its place is measured.
    const int width = frameGeometry().width();
    const int height = frameGeometry().height();
    txbHelpScreen->setGeometry(
        TwipsToPixelsX(kTextLeftTwips, this), TwipsToPixelsY(kTextTopTwips, this),
        width - TwipsToPixelsX(350, this), height - TwipsToPixelsY(1280, this));
    cmdClose->move((width - cmdClose->width()) / 2, height - TwipsToPixelsY(1000, this));
}

void frmHelp::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

} // namespace qd::gui
