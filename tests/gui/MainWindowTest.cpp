// The main window's own wiring: its controls at a start, choosing, clearing, dropping and naming
// files, saved settings at the next start, quitting, the help window.

#include "GuiTestSupport.h"
#include "HelpWindow.h"
#include "PopUpWindow.h"
#include "QtText.h"
#include "SettingsWindow.h"
#include "Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <unistd.h>

namespace qd::gui::test {

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void firstStart_asksNothingAndEnablesWhatHasAUse() {
        WindowFixture f;
        frmMain& w = f.start();
        QVERIFY(f.dialogs().shown.empty());
        for (QLabel* l : {w.lblNumberOfWords, w.lblNumWordsExcluded, w.lblNumOccurrences,
                          w.lblTotalNumOccurrences})
            QVERIFY(!l->isVisible());
        QVERIFY(!w.cmdClearFile[0]->isEnabled() && !w.cmdClearFile[1]->isEnabled());
        // The whole introduction is in view, down to its last line, also in a narrower window.
        QVERIFY(w.txbIntro->toPlainText().trimmed().endsWith("on the clipboard."));
        QCOMPARE(w.txbIntro->verticalScrollBar()->maximum(), 0);
        w.resize(w.minimumSizeHint().width(), w.height());
        QTest::qWait(20);
        QCOMPARE(w.txbIntro->verticalScrollBar()->maximum(), 0);

        // The housekeeping timer: an empty box explains itself and there is nothing to clear.
        w.Timer1_Timer();
        QVERIFY(!w.txbOutput->toolTip().isEmpty());
        QVERIFY(!w.cmdClearOutput->isEnabled());
        QTest::keyClicks(w.txbOutput, "typed");
        w.host().appendOutputText(u"\r\nmore"); // a line end counts two against the box's limit
        QCOMPARE(w.host().outputLength(), size_t(11));
        w.Timer1_Timer();
        QVERIFY(w.txbOutput->toolTip().isEmpty());
        QVERIFY(w.cmdClearOutput->isEnabled());
        Pick(w.cboDisplayFormat, 3); // no count yet: nothing to list again
        QCOMPARE(Output(w), QString("typed\nmore"));
        Click(w.cmdClearOutput);
        QVERIFY(w.txbOutput->toPlainText().isEmpty());

        QVERIFY(!w.chkSuppressWords->toolTip().isEmpty());
        Click(w.chkSuppressWords);
        QVERIFY(w.chkSuppressWords->toolTip().isEmpty());
    }

    // A UTF-8 file without a byte-order mark or a declaration is known by its bytes.
    void inputFile_unmarkedUtf8TicksTheBoxAndIsAskedAboutWhenUnticked() {
        WindowFixture f;
        frmMain& w = f.start();
        ChooseFile(f, w, 0, f.writeFile("u.txt", QString("caf\u00E9 apple\r\n").toUtf8()));
        QVERIFY(w.chkUTF8->isChecked());
        Click(w.chkUTF8);
        QVERIFY(!w.chkUTF8->isChecked());
        f.answer(Question::EncodingSeemsUtf8, Answer::Yes);
        Click(w.cmdListWords);
        QCOMPARE(f.countAsked(Question::EncodingSeemsUtf8), size_t(1));
        QVERIFY(w.chkUTF8->isChecked());
        QVERIFY(Output(w).contains(QString("caf\u00E9")));

        ChooseFile(f, w, 0, f.writeFile("a.txt", QByteArray("caf\xC3\xA9 na\xEFve\r\n")));
        QVERIFY(!w.chkUTF8->isChecked()); // one ill-formed byte: ANSI
    }

    void inputFile_chosenVettedAndCleared() {
        WindowFixture f;
        frmMain& w = f.start();
        ChooseFile(f, w, 0, f.writeFile("counted.txt", "some words to count\r\n"));
        Click(w.cmdListWords);
        QVERIFY(w.lblNumberOfWords->isVisible());
        ChooseFile(f, w, 0, f.writeFile("a.txt", QByteArray(1536, 'a')));
        QCOMPARE(w.lblFilesize->text(), QString("Filesize: 1.50 KB"));
        QVERIFY(!w.chkUTF8->isChecked());
        const QString utf8 =
            f.writeFile("u.txt", "\xEF\xBB\xBF" + QString("caf\u00E9 ").repeated(50).toUtf8());
        ChooseFile(f, w, 0, utf8);
        QVERIFY(w.chkUTF8->isChecked());
        QVERIFY(w.cmdClearFile[0]->isEnabled());
        ChooseFile(f, w, 0, ""); // cancelled
        QCOMPARE(w.txbFile[0]->text(), utf8);
        Click(w.cmdClearFile[0]);
        QVERIFY(w.txbFile[0]->text().isEmpty() && w.lblFilesize->text().isEmpty());
        QVERIFY(!w.chkUTF8->isChecked() && !w.cmdClearFile[0]->isEnabled());
        QVERIFY(w.state().settings.input.InputFile.empty());

        ChooseFile(f, w, 0, f.writeFile("empty.txt", {}));
        QCOMPARE(f.countShown(u"Empty file"), size_t(1));
        QCOMPARE(w.lblFilesize->text(), QString("Filesize: 0 bytes"));
        // A refused file still ends the listing shown before, and the counts that described it.
        ChooseFile(f, w, 0, f.writeFile("counted.txt", "some words to count\r\n"));
        Click(w.cmdListWords);
        ChooseFile(f, w, 0, f.scratchPath("empty.txt"));
        for (QLabel* l : {w.lblNumberOfWords, w.lblNumWordsExcluded, w.lblNumOccurrences,
                          w.lblTotalNumOccurrences, w.lblTimeElapsed})
            QVERIFY(l->isHidden() || l->text().isEmpty());
        QVERIFY(w.lblNumberOfWords->isHidden() && w.lblNumberOfWords->text().isEmpty());
        ChooseFile(f, w, 0, f.writeFile("letter.docx", "plain words, not a zip archive"));
        QCOMPARE(f.countShown(w.state().texts.GetText(kTextErrorTitle)), size_t(1));
        QVERIFY(w.txbFile[0]->text().isEmpty());
    }

    void typedInputPath_checkedOnLeavingAndOnEnter_aRefusedOneClearsTheSize() {
        WindowFixture f;
        frmMain& w = f.start();
        if (!QTest::qWaitForWindowActive(&w)) qWarning("main window not active");
        const QString counted = f.writeFile("counted.txt", QByteArray(1536, 'a'));
        ChooseFile(f, w, 0, counted);
        QCOMPARE(w.lblFilesize->text(), QString("Filesize: 1.50 KB"));
        const auto type = [&](const QString& text) {
            w.txbFile[0]->setFocus();
            w.txbFile[0]->selectAll();
            QTest::keyClicks(w.txbFile[0], text);
        };

        // Enter checks the typed path as leaving the box does.
        type(f.scratchPath("missing.txt"));
        QTest::keyClick(w.txbFile[0], Qt::Key_Return);
        QCOMPARE(f.countShown(u"File not found"), size_t(1));
        QVERIFY(w.lblFilesize->text().isEmpty());
        QCOMPARE(w.state().settings.input.InputFile, fromQ(f.scratchPath("missing.txt")));

        type(counted);
        QTest::keyClick(w.txbFile[0], Qt::Key_Enter);
        QCOMPARE(w.lblFilesize->text(), QString("Filesize: 1.50 KB"));
        QCOMPARE(f.countShown(u"File not found"), size_t(1));

        // Leaving the box for another control checks it too.
        type(f.scratchPath("gone.txt"));
        w.cmdListWords->setFocus();
        QCOMPARE(f.countShown(u"File not found"), size_t(2));
        QVERIFY(w.lblFilesize->text().isEmpty());
        // An empty file is refused and shows no size of an earlier file either.
        type(counted);
        QTest::keyClick(w.txbFile[0], Qt::Key_Return);
        type(f.writeFile("empty.txt", {}));
        QTest::keyClick(w.txbFile[0], Qt::Key_Return);
        QCOMPARE(f.countShown(u"Empty file"), size_t(1));
        QCOMPARE(w.lblFilesize->text(), QString("Filesize: 0 bytes"));
    }

    void outputFile_disableFollowsThePathAndLongPathsGetATooltip() {
        WindowFixture f;
        frmMain& w = f.start();
        ChooseFile(f, w, 1, "/" + QString(74, 'p'));
        QVERIFY(w.txbFile[1]->toolTip().isEmpty());
        QVERIFY(w.chkDisableOutputToFile->isEnabled());
        const QString path76 = "/" + QString(75, 'p');
        ChooseFile(f, w, 1, path76);
        QCOMPARE(w.txbFile[1]->toolTip(), path76);
        Click(w.chkDisableOutputToFile);
        QVERIFY(w.state().settings.output.DisableOutputToFile);
        Click(w.cmdClearFile[1]);
        QVERIFY(!w.chkDisableOutputToFile->isChecked() && !w.chkDisableOutputToFile->isEnabled());
        QVERIFY(!w.state().settings.output.DisableOutputToFile);
        QVERIFY(w.state().settings.output.OutputFile.empty());
    }

    void droppedOrNamedFile_becomesTheInputFile() {
        WindowFixture f;
        frmMain& w = f.start();
        const QString path = f.writeFile("dropped.txt", QByteArray(2048, 'b'));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &drop);
        QCOMPARE(w.txbFile[0]->text(), path);
        QCOMPARE(w.state().settings.input.InputFile, fromQ(path));
        QCOMPARE(w.lblFilesize->text(), QString("Filesize: 2.00 KB"));
        // A file named on the command line, relative to the current folder, is chosen too.
        const QString named = f.writeFile("named.txt", QByteArray(1023, 'c'));
        QDir::setCurrent(QFileInfo(named).path());
        w.OpenInputFile("named.txt");
        QCOMPARE(w.txbFile[0]->text(), named);
        QCOMPARE(w.lblFilesize->text(), QString("Filesize: 1023 bytes"));
    }

    void severalFilesOrAFolder_chosenOrDropped_areCountedTogether() {
        WindowFixture f;
        frmMain& w = f.start();
        QDir().mkpath(f.scratchPath("multi/sub"));
        const QString a = f.writeFile("multi/a.txt", "apple pear\r\n");
        const QString b = f.writeFile("multi/sub/b.c", "apple /* plum\r\n");
        f.writeFile("multi/sub/c.txt", "*/ plum\r\n");
        f.writeFile("multi/d.txt", QByteArray("bin\0ary\r\n", 10));
        const QString folder = QFileInfo(a).path();
        Click(w.params().chkShowFilesColumn);

        // Two files from the input-file dialog: the box lists both, the count takes both.
        f.dialogs().fileAnswers.push_back(fromQ(a + "\n" + b));
        Click(w.cmdFile[0]);
        QCOMPARE(w.txbFile[0]->text(), "\"" + a + "\" \"" + b + "\"");
        QCOMPARE(w.state().settings.input.InputFile, fromQ(a));
        Click(w.cmdListWords);
        QVERIFY(Output(w).contains("      1       2       2  apple"));
        QVERIFY(!Output(w).contains("plum")); // the comment ends with b.c
        QVERIFY(w.lblFilesize->text().startsWith("2 files, "));

        // A folder from its own button: every text file under it, one notice for the rest.
        f.dialogs().fileAnswers.push_back(fromQ(folder));
        Click(w.cmdFolder);
        QCOMPARE(w.txbFile[0]->text(), folder);
        Click(w.cmdListWords);
        QCOMPARE(f.countShown(u"Files skipped"), size_t(1));
        QVERIFY(Output(w).contains("      3       1       1  plum")); // c.txt, its own file
        QVERIFY(w.lblFilesize->text().startsWith("3 files, "));

        // Dropped together: a file and a folder.
        const QString other = f.writeFile("other.txt", "quince\r\n");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(other), QUrl::fromLocalFile(folder)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &drop);
        QCOMPARE(w.state().settings.input.MoreInputs, std::vector<ustring>{fromQ(folder)});
        Click(w.cmdListWords);
        QVERIFY(Output(w).contains("quince"));
        QVERIFY(w.lblFilesize->text().startsWith("4 files, "));

        // The state keeps the first input named.
        QTimer::singleShot(50, &w,
                           [&] { QTest::mouseClick(w.popUp().lblMessage, Qt::LeftButton); });
        Click(w.cmdSaveState);
        QCOMPARE(f.restart().txbFile[0]->text(), other);
    }

    void savedSettings_comeBackAtTheNextStart() {
        WindowFixture f;
        frmMain& w = f.start();
        const QString input = f.writeFile("in.txt", QByteArray(1536, 'a'));
        ChooseFile(f, w, 0, input);
        ChooseFile(f, w, 1, f.scratchPath("list.txt"));
        Pick(w.cboDisplayFormat, 6);
        Click(w.chkSuppressWords);
        Click(w.cmdSetParameters);
        Click(w.params().chkAllowWordsWithNumerals);
        Pick(w.params().cboShortWordSize, 4);
        // The pop-up confirming the save sits below and right of the window's corner; a click
        // on it closes it at once.
        w.move(40, 30);
        QRect place;
        QTimer::singleShot(50, &w, [&] {
            if (w.popUp().isVisible()) place = w.popUp().geometry();
            QTest::mouseClick(w.popUp().lblMessage, Qt::LeftButton);
        });
        Click(w.cmdSaveState);
        QVERIFY(!w.popUp().isVisible());
        QCOMPARE(place.topLeft(), w.frameGeometry().topLeft() +
                                      QPoint(TwipsToPixelsX(5200, &w), TwipsToPixelsY(6500, &w)));

        const size_t asked = f.dialogs().shown.size();
        frmMain& again = f.restart();
        QCOMPARE(again.txbFile[0]->text(), input);
        QCOMPARE(again.lblFilesize->text(), QString("Filesize: 1.50 KB"));
        QCOMPARE(again.txbFile[1]->text(), f.scratchPath("list.txt"));
        QVERIFY(again.cmdClearFile[1]->isEnabled());
        QCOMPARE(again.cboDisplayFormat->currentIndex(), 6);
        QVERIFY(again.chkSuppressWords->isChecked());
        QVERIFY(again.params().chkAllowWordsWithNumerals->isChecked());
        QCOMPARE(again.params().cboShortWordSize->currentIndex(), 4);
        // The input file is vetted quietly: the one question offers its language's common words.
        QCOMPARE(f.dialogs().shown.size(), asked + 1);
        QCOMPARE(f.dialogs().shown.back().question, Question::IgnoreCommonWords);

        QFile::remove(input); // a saved input file that has gone is dropped without a word
        QVERIFY(f.restart().txbFile[0]->text().isEmpty());
        QCOMPARE(f.dialogs().shown.size(), asked + 1);
    }

    void settingsFolder_madeOnlyWhenSaving_aRefusalNamesItAndTheCause() {
        WindowFixture f;
        const QString home = f.scratchPath("home"); // not there yet
        frmMain& w = f.start((home + "/.local/share").toStdString());
        QVERIFY(f.dialogs().shown.empty());
        QVERIFY(!QFileInfo::exists(home));
        QVERIFY(toQ(w.stateFilePath()).startsWith(home + "/.local/share/"));
        Pick(w.cboDisplayFormat, 6);
        QTimer::singleShot(50, &w,
                           [&] { QTest::mouseClick(w.popUp().lblMessage, Qt::LeftButton); });
        Click(w.cmdSaveState);
        QVERIFY(QFile::exists(toQ(w.stateFilePath())));
        QCOMPARE(f.restart().cboDisplayFormat->currentIndex(), 6);

        // A data folder inside one nobody may write in: root writes in any folder whatever
        // its mode, but sysfs takes no new folder from anyone.
        const bool root = ::geteuid() == 0;
        const QString locked = root ? QString("/sys") : f.scratchPath("locked");
        if (!root) {
            QDir().mkpath(locked);
            QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        }
        if (!QFileInfo(locked).isDir()) QSKIP("no folder that refuses a new folder");
        frmMain& refused = f.start((locked + "/.local/share").toStdString());
        const size_t asked = f.dialogs().shown.size();
        QVERIFY(!QFileInfo::exists(locked + "/.local"));
        Click(refused.cmdSaveState);
        if (!root)
            QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
        QCOMPARE(f.dialogs().shown.size(), asked + 1);
        const ShownDialog& shown = f.dialogs().shown.back();
        QCOMPARE(shown.title, refused.state().texts.GetText(kTextErrorTitle));
        QCOMPARE(shown.icon, MsgIcon::Exclamation);
        QCOMPARE(toQ(shown.text),
                 "Error when attempting to save settings: cannot create the folder " +
                     QFileInfo(toQ(refused.stateFilePath())).path() + ": " +
                     (root ? "Operation not permitted" : "Permission denied"));
        QVERIFY(!refused.popUp().isVisible());
    }

    void quit_savesFirstOnlyWhenSetTo() {
        WindowFixture f;
        frmMain& w = f.start();
        Click(w.cmdQuit);
        QVERIFY(!w.isVisible());
        QVERIFY(!QFile::exists(toQ(w.stateFilePath())));
        frmMain& again = f.restart();
        Click(again.cmdSetParameters);
        Click(again.params().chkSaveStateOnQuit);
        QTimer::singleShot(20, &again, [&] { again.popUp().Timer1_Timer(); });
        Click(again.cmdQuit);
        QVERIFY(QFile::exists(toQ(again.stateFilePath())));
        QVERIFY(f.restart().params().chkSaveStateOnQuit->isChecked());
    }

    void helpWindow_opensOverTheMainWindowAndKeepsItsControlsInPlace() {
        WindowFixture f;
        frmMain& w = f.start();
        w.setGeometry(60, 50, 1000, 760);
        QTest::keyRelease(w.cmdListWords, Qt::Key_F1);
        frmHelp* h = w.help();
        QVERIFY(h && h->isVisible());
        const QRect m = w.frameGeometry();
        QCOMPARE(h->pos(),
                 QPoint(m.left() + TwipsToPixelsX(200, &w), m.top() + TwipsToPixelsY(480, &w)));
        QCOMPARE(h->frameGeometry().size(),
                 QSize(m.width() - TwipsToPixelsX(400, &w), m.height() - TwipsToPixelsY(680, &w)));
        for (QSize size : {QSize(700, 500), QSize(420, 330)}) {
            h->resize(size);
            QTest::qWait(20);
            const QSize outer = h->frameGeometry().size();
            QCOMPARE(h->txbHelpScreen->width(), outer.width() - TwipsToPixelsX(350, h));
            QCOMPARE(h->txbHelpScreen->height(), outer.height() - TwipsToPixelsY(1280, h));
            QCOMPARE(h->cmdClose->y(), outer.height() - TwipsToPixelsY(1000, h));
            QCOMPARE(h->cmdClose->x(), (outer.width() - h->cmdClose->width()) / 2);
        }
        // Closed, it comes back where it was left.
        h->move(123, 111);
        Click(h->cmdClose);
        QVERIFY(!h->isVisible());
        Click(w.cmdHelp);
        QCOMPARE(w.help(), h);
        QCOMPARE(h->pos(), QPoint(123, 111));
        QCOMPARE(h->size(), QSize(420, 330));
    }
};

} // namespace qd::gui::test

QTEST_MAIN(qd::gui::test::MainWindowTest)
#include "MainWindowTest.moc"
