// The windows from the keyboard: Tab through every control as the window reads, changes made
// from the keyboard that leave the focus where it is, the commands after which it goes home, and
// Alt keys that each belong to one control.

#include "GuiTestSupport.h"
#include "HelpWindow.h"
#include "LanguageWindow.h"
#include "PopUpWindow.h"
#include "QtText.h"
#include "SettingsWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>

namespace qd::gui::test {

namespace {

// The settings window shown and active, so that its controls take the focus.
frmParams& OpenSettings(frmMain& w) {
    Click(w.cmdSetParameters);
    if (!WaitForActive(&w.params())) qWarning("settings window not active");
    return w.params();
}

std::vector<QWidget*> Reversed(std::vector<QWidget*> order) {
    std::reverse(order.begin() + 1, order.end()); // the walk back starts where it started
    return order;
}

QStringList Sorted(QStringList names) {
    names.sort();
    return names;
}

// Each Alt key of a window with the captions that carry it; the window's own windows
// (the settings window is a child of the main window) are left to themselves.
std::map<QString, QStringList> AltKeys(const QWidget* window) {
    std::map<QString, QStringList> keys;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window) continue;
        QString text;
        if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            text = button->text();
        } else if (const auto* label = qobject_cast<const QLabel*>(w)) {
            text = label->text();
        } else if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
            text = group->title();
        }
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (!key.isEmpty()) keys[key.toString()].append(withoutMnemonic(text));
    }
    return keys;
}

QString Shared(const std::map<QString, QStringList>& keys) {
    QStringList shared;
    for (const auto& [key, captions] : keys) {
        if (captions.size() > 1) shared.append(key + ": " + captions.join(", "));
    }
    return shared.join("; ");
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    // --- Tab order --------------------------------------------------------------------------
    void mainWindow_tabVisitsEveryControlAsTheWindowReads() {
        WindowFixture f;
        frmMain& w = f.start();
        QVERIFY(WaitForActive(&w));
        CountWithEveryCommandInUse(f, w);
        const std::vector<QWidget*> reading = {w.optInFile,        w.cmdFile[0],
                                               w.txbFile[0],       w.cmdClearFile[0],
                                               w.chkUTF8,          w.cmdFolder,
                                               w.cmdFile[1],       w.txbFile[1],
                                               w.cmdClearFile[1],  w.chkDisableOutputToFile,
                                               w.chkSuppressWords, w.cboWordOrder,
                                               w.cboDisplayFormat, w.cmdShowIgnored,
                                               w.cmdListWords,     w.cmdSetParameters,
                                               w.cmdSaveState,     w.cmdClearOutput,
                                               w.cmdHelp,          w.cmdQuit,
                                               w.txbOutput};
        QCOMPARE(Names(TabWalk(w.optInFile)), Names(reading));
        QCOMPARE(Names(TabWalk(w.optInFile, true)), Names(Reversed(reading)));
        QCOMPARE(Sorted(Names(TabStops(&w))), Sorted(Names(reading)));
        // The other option of the source is the stop while it is the chosen one.
        Click(w.optOnClipboard);
        QCOMPARE(TabWalk(w.cmdQuit).at(2), w.optOnClipboard);
    }

    void settingsWindow_tabVisitsEveryControlAsTheWindowReads() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        f.dialogs().fileAnswers.push_back(fromQ(f.scratchPath("mine.dvn")));
        Click(p.cmdSaveLoadState[0]); // the settings file's box shows from now on
        const std::vector<QWidget*> reading = {p.chkAllowWordsWithHyphens,
                                               p.chkAllowWordsWithApostrophes,
                                               p.chkAllowWordsWithUnderscores,
                                               p.chkAllowWordsWithColons,
                                               p.chkAllowWordsWithBackslashes,
                                               p.chkAllowWordsWithForwardslashes,
                                               p.chkAllowWordsWithPeriods,
                                               p.chkAllowWordsWithAtSigns,
                                               p.chkAllowWordsWithNumerals,
                                               p.chkCaseSignificant,
                                               p.chkDropFinalS,
                                               p.chkOnly7bitASCII,
                                               p.cmdSetOrClearCheckboxes[0],
                                               p.cmdSetOrClearCheckboxes[1],
                                               p.chkIgnoreRepetitions,
                                               p.chkIgnoreRomNum40,
                                               p.chkIgnoreNoLetter,
                                               p.chkIgnoreShortWords,
                                               p.cboShortWordSize,
                                               p.chkIgnoreInfrequentWords,
                                               p.cboThresholdFrequency,
                                               p.cboLongWordSize,
                                               p.chkIgnoreCommonWords,
                                               p.txbCommonWordsFile,
                                               p.cmdClearCommonWordsFile,
                                               p.cmdSelectCommonWordsFile[0],
                                               p.cmdSelectCommonWordsFile[1],
                                               p.txbWordsToIgnore,
                                               p.cmdClearWordsToIgnore,
                                               p.chkAllowCommentMarkers,
                                               p.txbStartComment[0],
                                               p.txbEndComment[0],
                                               p.txbStartComment[1],
                                               p.txbEndComment[1],
                                               p.chkOutputWithCommas,
                                               p.cboOutputEncoding,
                                               p.chkShowFilesColumn,
                                               p.chkWarnOnOverwrite,
                                               p.chkSaveStateOnQuit,
                                               p.cmdSaveLoadState[0],
                                               p.cmdSaveLoadState[1],
                                               p.txbParametersFile,
                                               p.cmdRestoreDefaults,
                                               p.cmdInitialize,
                                               p.cmdQuit,
                                               p.cmdClose};
        QCOMPARE(Names(TabWalk(p.chkAllowWordsWithHyphens)), Names(reading));
        QCOMPARE(Names(TabWalk(p.chkAllowWordsWithHyphens, true)), Names(Reversed(reading)));
        QCOMPARE(Sorted(Names(TabStops(&p))), Sorted(Names(reading)));
    }

    // --- Where the focus stays and where it goes -------------------------------------------
    void mainWindow_keyboardChangesLeaveTheFocusWhereItIs() {
        WindowFixture f;
        frmMain& w = f.start();
        QVERIFY(WaitForActive(&w));
        // A typed path is taken when its box is left, and Tab goes on to its "Clear".
        const QString input = f.writeFile("typed.txt", "typed words\r\n");
        w.txbFile[0]->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(w.txbFile[0], input);
        Press(&w, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.cmdClearFile[0]);
        QCOMPARE(w.lblFilesize->text(), QString("Filesize: 13 bytes"));
        w.txbFile[1]->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(w.txbFile[1], f.scratchPath("list.txt"));
        Press(&w, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), w.cmdFile[1]);
        QCOMPARE(w.state().settings.output.OutputFile, fromQ(f.scratchPath("list.txt")));
        QVERIFY(w.chkDisableOutputToFile->isEnabled() && w.cmdClearFile[1]->isEnabled());

        for (QCheckBox* box : {w.chkUTF8, w.chkDisableOutputToFile, w.chkSuppressWords}) {
            box->setFocus(Qt::TabFocusReason);
            const bool was = box->isChecked();
            Press(&w, Qt::Key_Space);
            QCOMPARE(box->isChecked(), !was);
            QCOMPARE(QApplication::focusWidget(), box);
        }
        QVERIFY(w.state().settings.output.SuppressWords);
        // The arrow keys choose the other source, and the focus goes with the choice.
        w.optInFile->setFocus(Qt::TabFocusReason);
        Press(&w, Qt::Key_Right);
        QVERIFY(w.optOnClipboard->isChecked());
        QCOMPARE(w.state().settings.input.Source, SourceKind::OnClipboard);
        QCOMPARE(QApplication::focusWidget(), w.optOnClipboard);
        Press(&w, Qt::Key_Left);
        QCOMPARE(QApplication::focusWidget(), w.optInFile);

        // Passing through the input box after a count neither checks the file again nor
        // forgets the count: a list changed from the keyboard lists it again, keeping the focus.
        Click(w.cmdListWords);
        const size_t shown = f.dialogs().shown.size();
        TabWalk(w.cmdFile[0]);
        QCOMPARE(f.dialogs().shown.size(), shown);
        const QString listed = Output(w);
        QVERIFY(listed.contains("typed"));
        w.cboDisplayFormat->setFocus(Qt::TabFocusReason);
        Press(&w, Qt::Key_Down);
        QCOMPARE(w.cboDisplayFormat->currentIndex(), 1);
        QVERIFY(Output(w) != listed);
        QCOMPARE(QApplication::focusWidget(), w.cboDisplayFormat);
        w.cboWordOrder->setFocus(Qt::TabFocusReason);
        Press(&w, Qt::Key_Down);
        QCOMPARE(w.state().settings.output.WordOrder, ListOrder::Alphabetical);
        QCOMPARE(QApplication::focusWidget(), w.cboWordOrder);
    }

    void mainWindow_focusGoesHomeAfterACountAFileChoiceClearAndClose() {
        WindowFixture f;
        frmMain& w = f.start();
        QVERIFY(WaitForActive(&w));
        QCOMPARE(QApplication::focusWidget(), w.cmdFile[0]);
        w.cboDisplayFormat->setFocus(Qt::TabFocusReason);
        ChooseFile(f, w, 0, f.writeFile("in.txt", "some words\r\n"));
        QCOMPARE(QApplication::focusWidget(), w.cmdFile[0]);
        w.cmdListWords->setFocus(Qt::TabFocusReason);
        Press(&w, Qt::Key_Space);
        QVERIFY(Output(w).contains("words"));
        QCOMPARE(QApplication::focusWidget(), w.cmdFile[0]);
        ChooseFile(f, w, 1, f.scratchPath("list.txt"));
        w.cmdClearFile[1]->setFocus(Qt::TabFocusReason);
        Press(&w, Qt::Key_Space);
        QCOMPARE(QApplication::focusWidget(), w.cmdFile[1]);
        frmParams& p = OpenSettings(w);
        QCOMPARE(QApplication::focusWidget(), p.cmdClose);
        Press(&p, Qt::Key_Space);
        QVERIFY(p.isHidden());
        w.activateWindow(); // as the window manager does once the settings window is gone
        QVERIFY(WaitForActive(&w));
        QCOMPARE(QApplication::focusWidget(), w.cmdFile[0]);
    }

    void settingsWindow_keyboardChangesLeaveTheFocusWhereItIs() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        for (QCheckBox* box :
             {p.chkIgnoreRomNum40, p.chkIgnoreShortWords, p.chkAllowWordsWithPeriods}) {
            box->setFocus(Qt::TabFocusReason);
            const bool was = box->isChecked();
            Press(&p, Qt::Key_Space);
            QCOMPARE(box->isChecked(), !was);
            QCOMPARE(QApplication::focusWidget(), box);
        }
        // Without a file the common-words box says so and goes back to clear.
        p.chkIgnoreCommonWords->setFocus(Qt::TabFocusReason);
        Press(&p, Qt::Key_Space);
        QCOMPARE(f.countShown(u"Ignore common words in file:"), size_t(1));
        QVERIFY(!p.chkIgnoreCommonWords->isChecked());
        QCOMPARE(QApplication::focusWidget(), p.chkIgnoreCommonWords);
        for (QComboBox* list : {p.cboShortWordSize, p.cboLongWordSize, p.cboThresholdFrequency}) {
            list->setFocus(Qt::TabFocusReason);
            const int was = list->currentIndex();
            Press(&p, Qt::Key_Down);
            QCOMPARE(list->currentIndex(), was + 1);
            QCOMPARE(QApplication::focusWidget(), list);
        }
        QCOMPARE(w.state().settings.ignore.ShortWordSize, 2);
        // Back in the window, after another window had the focus, it is where it was left.
        p.txbWordsToIgnore->setFocus(Qt::TabFocusReason);
        QApplication::setActiveWindow(&w);
        QVERIFY(WaitForActive(&w));
        QApplication::setActiveWindow(&p);
        QVERIFY(WaitForActive(&p));
        QCOMPARE(QApplication::focusWidget(), p.txbWordsToIgnore);
    }

    // --- Alt keys --------------------------------------------------------------------------
    void altKeys_eachBelongsToOneControlOfItsWindow() {
        WindowFixture f;
        frmMain& w = f.start();
        Click(w.cmdHelp);
        frmLanguageSelection languages(&w.params());
        const std::vector<std::pair<const char*, QWidget*>> windows = {
            {"main", &w},
            {"settings", &w.params()},
            {"help", w.help()},
            {"language selection", &languages},
            {"pop-up", &w.popUp()}};
        for (const auto& [name, window] : windows) {
            const std::map<QString, QStringList> keys = AltKeys(window);
            QVERIFY2(Shared(keys).isEmpty(), qPrintable(QString(name) + ": " + Shared(keys)));
        }
        // The count button is reached with Alt+S while it reads "Stop".
        QVERIFY(!AltKeys(&w).contains(QKeySequence(Qt::ALT | Qt::Key_S).toString()));
    }

    void altKeys_actOnTheirControlAtTheFirstPress() {
        WindowFixture f;
        frmMain& w = f.start();
        QVERIFY(WaitForActive(&w));
        QTest::keyClick(w.windowHandle(), Qt::Key_N, Qt::AltModifier);
        QTRY_VERIFY(w.chkSuppressWords->isChecked()); // the press shows before the click
        QTest::keyClick(w.windowHandle(), Qt::Key_L, Qt::AltModifier);
        QTRY_COMPARE(f.dialogs().shown.size(), size_t(1));
        QCOMPARE(f.dialogs().shown.back().kind, DialogKind::OpenFolder);
    }
};

} // namespace qd::gui::test

QTEST_MAIN(qd::gui::test::KeyboardTest)
#include "KeyboardTest.moc"
