// The windows on a 1600x1000 screen at scale factor 2, that is 800x500 device-independent
// pixels, as large text (Xft.dpi 192) makes it: each window fits the screen, and Tab brings
// every control of it into view. CTest gives this suite such a screen.

#include "GuiTestSupport.h"
#include "HelpWindow.h"
#include "LanguageWindow.h"
#include "PopUpWindow.h"
#include "QtText.h"
#include "SettingsWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QTest>
#include <QTimer>

namespace qd::gui::test {

namespace {

// Room a window manager takes beyond a window's own size, for its title bar and borders.
constexpr QSize kBorders(16, 40);

QRect FreeArea() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// What a control's window shows of its controls at a time: the view of its scrolling page.
QSize View(const QWidget* control) {
    for (const QWidget* w = control->parentWidget(); w && !w->isWindow(); w = w->parentWidget()) {
        if (const auto* page = qobject_cast<const QScrollArea*>(w)) return page->viewport()->size();
    }
    return control->window()->size();
}

// A person sees the control: all of it, or, for one that leaves less than the page's scroll
// margins (50 pixels each side) free in the view, its top left part, where a box's text and a
// check box's mark begin.
bool InView(const QWidget* control) {
    const QRect seen = control->visibleRegion().boundingRect();
    const QSize room = View(control) - QSize(100, 100);
    if (control->width() <= room.width() && control->height() <= room.height())
        return seen == control->rect();
    return seen.contains(QRect(QPoint(0, 0), control->size().boundedTo(QSize(48, 16))));
}

QString Describe(const QWidget* w) {
    QString text;
    QDebug(&text) << w << w->geometry() << w->visibleRegion().boundingRect();
    return text;
}

// The window fits the screen, however small it may be made, and Tab, from start on, visits
// every control it can reach with each in view.
void CheckReachable(QWidget* window, QWidget* start) {
    const QSize free = FreeArea().size();
    const QSize smallest = window->minimumSizeHint().expandedTo(window->minimumSize());
    QVERIFY2(
        (smallest + kBorders).boundedTo(free) == smallest + kBorders,
        qPrintable(
            window->objectName() +
            QString(" cannot be smaller than %1x%2").arg(smallest.width()).arg(smallest.height())));
    QVERIFY2(FreeArea().contains(window->frameGeometry()), qPrintable(Describe(window)));
    std::vector<QWidget*> hidden;
    const std::vector<QWidget*> visited = TabWalk(start, false, [&](QWidget* control) {
        if (!InView(control)) hidden.push_back(control);
    });
    for (QWidget* control : hidden)
        qWarning("%s", qPrintable(Describe(control)));
    QVERIFY2(hidden.empty(), qPrintable("out of view: " + Names(hidden).join(", ")));
    QCOMPARE(visited.size(), TabStops(window).size());
}

} // namespace

class ScaledScreenTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        const QScreen* screen = QGuiApplication::primaryScreen();
        QVERIFY2(screen->size() == QSize(800, 500) && screen->devicePixelRatio() == 2,
                 "needs QT_SCALE_FACTOR=2 on a 1600x1000 screen (screen-1600x1000.json)");
    }

    void mainAndSettingsWindows_fitTheScreenAndScrollToEveryControl() {
        WindowFixture f;
        frmMain& w = f.start();
        QVERIFY(WaitForActive(&w));
        CountWithEveryCommandInUse(f, w);
        CheckReachable(&w, w.optInFile);
        if (QTest::currentTestFailed()) return;

        Click(w.cmdSetParameters);
        frmParams& p = w.params();
        QVERIFY(WaitForActive(&p));
        f.dialogs().fileAnswers.push_back(fromQ(f.scratchPath("mine.dvn")));
        Click(p.cmdSaveLoadState[0]); // the settings file's box shows from now on
        CheckReachable(&p, p.chkAllowWordsWithHyphens);
    }

    void helpLanguageAndPopUpWindows_fitTheScreen() {
        WindowFixture f;
        frmMain& w = f.start();
        Click(w.cmdHelp);
        QVERIFY(WaitForActive(w.help()));
        CheckReachable(w.help(), w.help()->cmdClose);
        if (QTest::currentTestFailed()) return;

        // The language window opens where its command is, also with the command near the
        // screen's right edge.
        w.move(FreeArea().right() - 500, FreeArea().top());
        Click(w.cmdSetParameters);
        frmParams& p = w.params();
        QVERIFY(WaitForActive(&p));
        if (auto* page = p.findChild<QScrollArea*>())
            page->ensureWidgetVisible(p.cmdSelectCommonWordsFile[1]);
        bool opened = false;
        QTimer::singleShot(50, &p, [&] {
            auto* languages =
                qobject_cast<frmLanguageSelection*>(QApplication::activeModalWidget());
            if (!languages) return;
            opened = true;
            CheckReachable(languages, languages->cmdCancel);
            Click(languages->cmdCancel);
        });
        Click(p.cmdSelectCommonWordsFile[1]);
        QVERIFY(opened);
        if (QTest::currentTestFailed()) return;

        // The confirmation of "Save settings" lies inside a main window that fits the screen.
        w.move(FreeArea().topLeft());
        QRect popUp;
        QTimer::singleShot(50, &w, [&] {
            popUp = w.popUp().frameGeometry();
            QTest::mouseClick(w.popUp().lblMessage, Qt::LeftButton);
        });
        Click(w.cmdSaveState);
        QVERIFY2(FreeArea().contains(popUp), qPrintable(Describe(&w.popUp())));
    }
};

} // namespace qd::gui::test

QTEST_MAIN(qd::gui::test::ScaledScreenTest)
#include "ScaledScreenTest.moc"
