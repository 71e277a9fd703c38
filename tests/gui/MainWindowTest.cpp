// The main window's own commands: choosing and clearing files, the status of the chosen
// file, saving the settings with its pop-up, help on F1, quitting, dropping a file.

#include "GuiTestSupport.h"
#include "HelpWindow.h"
#include "PopUpWindow.h"
#include "QtText.h"
#include "SettingsWindow.h"
#include "Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <cmath>

namespace qd::gui::test {

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    // --- Choosing the input file -----------------------------------------------------------
    void inputFile_showsItsSize() {
        WindowFixture f;
        frmMain& w = f.start();
        f.dialogs().fileAnswers.push_back(fromQ(f.writeFile("a.txt", QByteArray(1536, 'a'))));
        QTest::mouseClick(w.cmdFile[0], Qt::LeftButton);
        QCOMPARE(w.lblFilesize->text(), QString("Filesize: 1.50 KB"));
        f.dialogs().fileAnswers.push_back(fromQ(f.writeFile("b.txt", QByteArray(1023, 'a'))));
        QTest::mouseClick(w.cmdFile[0], Qt::LeftButton);
        QCOMPARE(w.lblFilesize->text(), QString("Filesize: 1023 bytes"));
        QVERIFY(w.cmdClearFile[0]->isEnabled());
        QCOMPARE(f.shownWithTitle(u"Specify input file").size(), size_t(2));
        QCOMPARE(f.shownWithTitle(u"Specify input file")[0].kind, DialogKind::OpenFile);
    }

    void emptyInputFile_isReportedAndNotAccepted() {
        WindowFixture f;
        frmMain& w = f.start();
        f.dialogs().fileAnswers.push_back(fromQ(f.writeFile("empty.txt", {})));
        QTest::mouseClick(w.cmdFile[0], Qt::LeftButton);
        const auto shown = f.shownWithTitle(u"Empty file");
        QCOMPARE(shown.size(), size_t(1));
        QCOMPARE(shown[0].text, ustring(u"Input file is zero-length."));
        QCOMPARE(shown[0].icon, MsgIcon::Exclamation);
        QCOMPARE(w.lblFilesize->text(), QString("Filesize: 0 bytes"));
    }

    void docxNameThatIsNoZip_isReportedAndTheBoxEmptied() {
        WindowFixture f;
        frmMain& w = f.start();
        const QString fake = f.writeFile("letter.docx", "plain words, not a zip archive");
        f.dialogs().fileAnswers.push_back(fromQ(fake));
        QTest::mouseClick(w.cmdFile[0], Qt::LeftButton);
        const ShownDialog* shown = f.lastShown();
        QVERIFY(shown);
        QCOMPARE(shown->text, u"The file " + fromQ(fake) +
                                  u"\r\nhas a 'docx' extension but does not appear to be an MS "
                                  u"Word 'docx' file.");
        QCOMPARE(shown->title, w.state().texts.GetText(34));
        QVERIFY(w.txbFile[0]->text().isEmpty());
    }

    void utf8File_ticksUtf8WhenChosen() {
        WindowFixture f;
        frmMain& w = f.start();
        const QByteArray text =
            "\xEF\xBB\xBF" + QString("na\u00EFve caf\u00E9 words ").repeated(20).toUtf8();
        f.dialogs().fileAnswers.push_back(fromQ(f.writeFile("u.txt", text)));
        QTest::mouseClick(w.cmdFile[0], Qt::LeftButton);
        QVERIFY(w.chkUTF8->isChecked());
        QVERIFY(w.state().settings.UTF8);
        QTest::mouseClick(w.cmdClearFile[0], Qt::LeftButton);
        QVERIFY(!w.chkUTF8->isChecked());
        QVERIFY(w.lblFilesize->text().isEmpty());
        QVERIFY(w.state().settings.InputFile.empty());
    }

    void cancelledDialog_changesNothing() {
        WindowFixture f;
        frmMain& w = f.start();
        w.txbFile[0]->setText("kept");
        w.state().settings.InputFile = u"kept";
        f.dialogs().fileAnswers.push_back(u"");
        QTest::mouseClick(w.cmdFile[0], Qt::LeftButton);
        QCOMPARE(w.txbFile[0]->text(), QString("kept"));
    }

    void droppedFile_becomesTheInputFile() {
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
        QCOMPARE(fromQ(path), w.state().settings.InputFile);
        QCOMPARE(w.lblFilesize->text(), QString("Filesize: 2.00 KB"));
    }

    // --- The output file -------------------------------------------------------------------
    void clearingTheOutputPath_clearsAndDisablesDisable() {
        WindowFixture f;
        frmMain& w = f.start();
        f.dialogs().fileAnswers.push_back(fromQ(f.scratchPath("out.txt")));
        QTest::mouseClick(w.cmdFile[1], Qt::LeftButton);
        QVERIFY(w.chkDisableOutputToFile->isEnabled());
        Click(w.chkDisableOutputToFile);
        QVERIFY(w.state().settings.DisableOutputToFile);
        QTest::mouseClick(w.cmdClearFile[1], Qt::LeftButton);
        QVERIFY(!w.chkDisableOutputToFile->isChecked());
        QVERIFY(!w.chkDisableOutputToFile->isEnabled());
        QVERIFY(!w.state().settings.DisableOutputToFile);
        QVERIFY(w.state().settings.OutputFile.empty());
        QCOMPARE(f.lastShown()->title, ustring(u"Specify output file"));
        QCOMPARE(f.lastShown()->kind, DialogKind::SaveFile);
    }

    void longPath_getsItsTooltip() {
        WindowFixture f;
        frmMain& w = f.start();
        const QString path75 = "/" + QString(74, 'p');
        f.dialogs().fileAnswers.push_back(fromQ(path75));
        QTest::mouseClick(w.cmdFile[1], Qt::LeftButton);
        QVERIFY(w.txbFile[1]->toolTip().isEmpty());
        const QString path76 = path75 + "q";
        f.dialogs().fileAnswers.push_back(fromQ(path76));
        QTest::mouseClick(w.cmdFile[1], Qt::LeftButton);
        QCOMPARE(w.txbFile[1]->toolTip(), path76);
    }

    // --- Display choices before any count ------------------------------------------------------
    void displayFormatBeforeACount_onlyMovesTheFocus() {
        WindowFixture f;
        frmMain& w = f.start();
        w.host().setOutputText(u"typed by the person");
        w.cboDisplayFormat->setCurrentIndex(3);
        emit w.cboDisplayFormat->activated(3);
        QCOMPARE(w.state().settings.DisplayFormat, 3);
        QCOMPARE(w.txbOutput->toPlainText(), QString("typed by the person"));
        QVERIFY(f.dialogs().shown.empty());
    }

    void suppressWords_tooltipOnlyWhileClear() {
        WindowFixture f;
        frmMain& w = f.start();
        QCOMPARE(w.chkSuppressWords->toolTip(),
                 QString("The program will run faster if this checkbox is checked."));
        Click(w.chkSuppressWords);
        QVERIFY(w.state().settings.SuppressWords);
        QVERIFY(w.chkSuppressWords->toolTip().isEmpty());
    }

    // --- Saving, help and quitting -----------------------------------------------------------
    void saveSettings_showsThePopUpBelowAndRightOfTheWindow() {
        WindowFixture f;
        frmMain& w = f.start();
        w.move(40, 30);
        bool seen = false;
        QRect place;
        QString message;
        QTimer::singleShot(50, &w, [&] {
            frmPopUp& popUp = w.popUp();
            seen = popUp.isVisible();
            place = popUp.geometry();
            message = popUp.lblMessage->text();
            QTest::mouseClick(popUp.lblMessage, Qt::LeftButton); // a click closes it at once
        });
        QTest::mouseClick(w.cmdSaveState, Qt::LeftButton);
        QVERIFY(seen);
        QVERIFY(!w.popUp().isVisible());
        QCOMPARE(message, QString::fromStdU16String(w.state().texts.GetText(50)));
        const QPoint corner = w.frameGeometry().topLeft();
        QCOMPARE(place.topLeft(),
                 corner + QPoint(TwipsToPixelsX(5200, &w), TwipsToPixelsY(6500, &w)));
        QCOMPARE(place.size(), QSize(TwipsToPixelsX(2400, &w), TwipsToPixelsY(300, &w)));
        QVERIFY(QFile::exists(toQ(w.state().strStateFilePath)));
        QVERIFY(w.state().strStateFilePath.ends_with(u"dvn.usr"));
    }

    void popUp_goesByItselfAfterItsTime() {
        WindowFixture f;
        frmMain& w = f.start();
        QElapsedTimer clock;
        clock.start();
        w.PopUp("brief", 2400, 300, 150, 100, 100);
        QVERIFY(!w.popUp().isVisible());
        QVERIFY(clock.elapsed() >= 100);
    }

    void popUpCenter_sitsInTheMiddleOfTheWindow() {
        WindowFixture f;
        frmMain& w = f.start();
        w.resize(TwipsToPixelsX(15000, &w), TwipsToPixelsY(12000, &w));
        const double width = PixelsToTwipsX(w.frameGeometry().width(), &w);
        const double height = PixelsToTwipsY(w.frameGeometry().height(), &w);
        QTimer::singleShot(20, &w, [&] { w.popUp().Timer1_Timer(); });
        w.PopUpCenter("centred", 2400, 300, 5000);
        const int left = int(std::nearbyint((width - 2400) / 2));
        const int top = int(std::nearbyint((height - 300) / 2));
        QCOMPARE(w.popUp().lastPlace().topLeft(),
                 QPoint(TwipsToPixelsX(left, &w), TwipsToPixelsY(top, &w)));
    }

    void f1OnCountWords_opensTheHelpWindow() {
        WindowFixture f;
        frmMain& w = f.start();
        QVERIFY(!w.help());
        QTest::keyRelease(w.cmdListWords, Qt::Key_F1);
        QVERIFY(w.help());
        QVERIFY(w.help()->isVisible());
        QCOMPARE(w.help()->windowTitle(), QString("DVN Help"));
        QTest::mouseClick(w.help()->cmdClose, Qt::LeftButton);
        QVERIFY(!w.help()->isVisible());
    }

    void quitWithSaveOnQuit_writesTheStateFirst() {
        WindowFixture f;
        frmMain& w = f.start();
        w.state().settings.SaveStateOnQuit = true;
        w.state().settings.WordsToIgnore = u"alpha beta";
        QTimer::singleShot(20, &w, [&] { w.popUp().Timer1_Timer(); });
        QTest::mouseClick(w.cmdQuit, Qt::LeftButton);
        QVERIFY(!w.isVisible());
        frmMain& again = f.restart();
        QCOMPARE(again.params().txbWordsToIgnore->text(), QString("alpha beta"));
        QCOMPARE(again.state().strWordsToIgnore, ustring(u" alpha beta "));
    }

    void quitWithoutSaveOnQuit_leavesNoStateFile() {
        WindowFixture f;
        frmMain& w = f.start();
        QTest::mouseClick(w.cmdQuit, Qt::LeftButton);
        QVERIFY(!QFile::exists(toQ(w.state().strStateFilePath)));
    }

    // --- Source -------------------------------------------------------------------------------
    void clipboardSource_showsTheClipboardSize() {
        WindowFixture f;
        frmMain& w = f.start();
        QApplication::clipboard()->setText(QString(1234, 'x'));
        Click(w.optOnClipboard);
        QCOMPARE(w.state().settings.Source, SourceKind::OnClipboard);
        QCOMPARE(w.lblSizeOfClipboardContents->text(),
                 QString("Contents of clipboard: 1,234 bytes"));
        Click(w.optInFile);
        QVERIFY(w.lblSizeOfClipboardContents->text().isEmpty());
    }
};

} // namespace qd::gui::test

QTEST_MAIN(qd::gui::test::MainWindowTest)
#include "MainWindowTest.moc"
