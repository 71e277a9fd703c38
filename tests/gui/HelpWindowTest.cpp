// The help window: its first place over the main window, its text, and the resize rule that
// keeps the text box and the Close button in place.

#include "HelpWindow.h"
#include "GuiTestSupport.h"
#include "QtText.h"
#include "Twips.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace qd::gui::test {

class HelpWindowTest : public QObject {
    Q_OBJECT
private slots:
    void firstShowing_sitsOverTheMainWindow() {
        WindowFixture f;
        frmMain& w = f.start();
        w.setGeometry(60, 50, 1000, 760);
        QTest::mouseClick(w.cmdHelp, Qt::LeftButton);
        frmHelp* h = w.help();
        QVERIFY(h && h->isVisible());
        const QRect m = w.frameGeometry();
        QCOMPARE(h->pos(),
                 QPoint(m.left() + TwipsToPixelsX(200, &w), m.top() + TwipsToPixelsY(480, &w)));
        QCOMPARE(h->frameGeometry().size(),
                 QSize(m.width() - TwipsToPixelsX(400, &w), m.height() - TwipsToPixelsY(680, &w)));
        QCOMPARE(h->windowTitle(), QString("DVN Help"));
        QCOMPARE(Caption(h->cmdClose), QString("Close"));
    }

    void helpText_hasElevenParagraphs() {
        WindowFixture f;
        frmMain& w = f.start();
        w.cmdHelp_Click();
        const QString text = w.help()->txbHelpScreen->toPlainText();
        QCOMPARE(text.split("\n\n", Qt::SkipEmptyParts).size(), 11);
        QVERIFY(text.startsWith("This window may be resized"));
        QVERIFY(text.contains("'htm', 'html', 'shtml', 'xml' and 'php'"));
    }

    void resize_keepsTheTextBoxAndCentresClose() {
        WindowFixture f;
        frmMain& w = f.start();
        w.cmdHelp_Click();
        frmHelp* h = w.help();
        for (QSize size : {QSize(700, 500), QSize(420, 330), QSize(900, 640)}) {
            h->resize(size);
            QTest::qWait(20);
            const QSize outer = h->frameGeometry().size();
            QCOMPARE(h->txbHelpScreen->width(), outer.width() - TwipsToPixelsX(350, h));
            QCOMPARE(h->txbHelpScreen->height(), outer.height() - TwipsToPixelsY(1280, h));
            QCOMPARE(h->cmdClose->y(), outer.height() - TwipsToPixelsY(1000, h));
            QCOMPARE(h->cmdClose->x(), (outer.width() - h->cmdClose->width()) / 2);
        }
    }

    void minimised_controlsStayWhereTheyWere() {
        WindowFixture f;
        frmMain& w = f.start();
        w.cmdHelp_Click();
        frmHelp* h = w.help();
        h->resize(640, 480);
        QTest::qWait(20);
        const QRect text = h->txbHelpScreen->geometry();
        h->showMinimized();
        QTest::qWait(20);
        h->Form_Resize();
        QCOMPARE(h->txbHelpScreen->geometry(), text);
        // The command restores a minimised window rather than opening another.
        w.cmdHelp_Click();
        QVERIFY(!h->isMinimized());
        QCOMPARE(w.help(), h);
    }

    void close_hidesAndKeepsThePlace() {
        WindowFixture f;
        frmMain& w = f.start();
        w.cmdHelp_Click();
        frmHelp* h = w.help();
        h->move(123, 111);
        h->resize(600, 450);
        QTest::mouseClick(h->cmdClose, Qt::LeftButton);
        QVERIFY(!h->isVisible());
        w.cmdHelp_Click();
        QCOMPARE(w.help(), h);
        QCOMPARE(h->pos(), QPoint(123, 111));
        QCOMPARE(h->size(), QSize(600, 450));
    }
};

} // namespace qd::gui::test

QTEST_MAIN(qd::gui::test::HelpWindowTest)
#include "HelpWindowTest.moc"
