// Start-up of the main window: defaults without a state file, the saved state of an earlier
// run, the window's captions, fonts and enabling.

#include "GuiTestSupport.h"
#include "PopUpWindow.h"
#include "QtText.h"
#include "SettingsWindow.h"
#include "settings/SavedState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace qd::gui::test {

class StartUpTest : public QObject {
    Q_OBJECT
private slots:
    // --- A first start -----------------------------------------------------------------------
    void firstStart_givesTheDefaultsWithoutAWord() {
        WindowFixture f;
        frmMain& w = f.start();
        QVERIFY(f.dialogs().shown.empty());
        frmParams& p = w.params();
        QVERIFY(p.chkAllowWordsWithHyphens->isChecked());
        for (QCheckBox* off :
             {p.chkAllowWordsWithApostrophes, p.chkAllowWordsWithUnderscores,
              p.chkAllowWordsWithColons, p.chkAllowWordsWithBackslashes,
              p.chkAllowWordsWithForwardslashes, p.chkAllowWordsWithPeriods,
              p.chkAllowWordsWithAtSigns, p.chkAllowWordsWithNumerals, p.chkCaseSignificant,
              p.chkDropFinalS, p.chkOnly7bitASCII, p.chkIgnoreInfrequentWords,
              p.chkIgnoreCommonWords, p.chkAllowCommentMarkers, p.chkOutputWithCommas,
              p.chkWarnOnOverwrite, p.chkSaveStateOnQuit})
            QVERIFY2(!off->isChecked(), qPrintable(off->objectName()));
        for (QCheckBox* on : {p.chkIgnoreShortWords, p.chkIgnoreRepetitions, p.chkIgnoreRomNum40,
                              p.chkIgnoreNoLetter})
            QVERIFY2(on->isChecked(), qPrintable(on->objectName()));
        QCOMPARE(p.cboShortWordSize->currentText(), QString("3"));
        QCOMPARE(p.cboThresholdFrequency->currentText(), QString("2"));
        QCOMPARE(p.cboLongWordSize->currentText(), QString("50"));
        QCOMPARE(w.cboWordOrder->currentText(), QString("by frequency"));
        QCOMPARE(w.cboDisplayFormat->currentText(), QString("rank frequency word"));
        QVERIFY(w.optInFile->isChecked());
        QVERIFY(!w.chkUTF8->isChecked());
        QVERIFY(!w.chkSuppressWords->isChecked());
        QCOMPARE(p.txbStartComment[0]->text(), QString("/*"));
        QCOMPARE(p.txbEndComment[0]->text(), QString("*/"));
        QCOMPARE(p.txbStartComment[1]->text(), QString("//"));
        QCOMPARE(p.txbEndComment[1]->text(), QString());
        QVERIFY(w.state().blnStartUpCompleted);
        QVERIFY(!w.state().blnWordsGot);
    }

    void firstStart_listsHoldTheirEntries() {
        WindowFixture f;
        frmMain& w = f.start();
        QCOMPARE(w.cboWordOrder->count(), 2);
        QCOMPARE(w.cboDisplayFormat->count(), 10);
        QCOMPARE(w.cboDisplayFormat->itemText(9), QString("word (+ commas)"));
        QCOMPARE(w.params().cboShortWordSize->count(), 14);
        QCOMPARE(w.params().cboShortWordSize->itemText(13), QString("15"));
        QCOMPARE(w.params().cboThresholdFrequency->itemText(7), QString("9"));
        QCOMPARE(w.params().cboLongWordSize->count(), 16);
        QCOMPARE(w.params().cboLongWordSize->itemText(15), QString("90"));
    }

    // --- The window as it opens --------------------------------------------------------------
    void window_showsItsCaptionsAndIntroduction() {
        WindowFixture f;
        frmMain& w = f.start();
        QCOMPARE(w.windowTitle(), QString("Quorvel Dorvane"));
        QCOMPARE(Caption(w.cmdListWords), QString("Count words"));
        QCOMPARE(Caption(w.cmdFile[0]), QString("Input file"));
        QCOMPARE(Caption(w.cmdFile[1]), QString("Output file"));
        QCOMPARE(Caption(w.cmdClearFile[0]), QString("Clear"));
        QCOMPARE(Caption(w.cmdSetParameters), QString("Settings"));
        QCOMPARE(Caption(w.cmdSaveState), QString("Save settings"));
        QCOMPARE(Caption(w.cmdClearOutput), QString("Clear textbox"));
        QCOMPARE(Caption(w.cmdHelp), QString("Help"));
        QCOMPARE(Caption(w.cmdQuit), QString("Quit"));
        QCOMPARE(Caption(w.chkSuppressWords), QString("Don't display words as found"));
        QCOMPARE(Caption(w.chkDisableOutputToFile), QString("Disable"));
        QCOMPARE(Caption(w.Label5), QString("Source:"));
        QCOMPARE(Caption(w.optOnClipboard), QString("clipboard"));
        QVERIFY(!w.txbIntro->toPlainText().isEmpty());
        QCOMPARE(w.params().windowTitle(), QString("Settings"));
    }

    void window_everyCommandHasAKey() {
        WindowFixture f;
        frmMain& w = f.start();
        QSet<QChar> keys;
        for (QPushButton* b :
             {w.cmdListWords, w.cmdFile[0], w.cmdFile[1], w.cmdClearFile[0], w.cmdClearFile[1],
              w.cmdSetParameters, w.cmdSaveState, w.cmdClearOutput, w.cmdHelp, w.cmdQuit}) {
            const qsizetype at = b->text().indexOf('&');
            QVERIFY2(at >= 0, qPrintable(b->text()));
            keys.insert(b->text().at(at + 1).toLower());
        }
        QCOMPARE(keys.size(), 10);
    }

    void window_textBoxesAreFixedPitchAndCaptionsNot() {
        WindowFixture f;
        frmMain& w = f.start();
        QVERIFY(QFontInfo(w.txbOutput->font()).fixedPitch());
        QVERIFY(QFontInfo(w.txbFile[0]->font()).fixedPitch());
        QVERIFY(!QFontInfo(w.cmdListWords->font()).fixedPitch());
        QVERIFY(w.cmdListWords->font().families().contains("Arial"));
        QVERIFY(w.txbOutput->font().families().contains("Courier New"));
    }

    void window_countLabelsAreHiddenAndNothingToClear() {
        WindowFixture f;
        frmMain& w = f.start();
        for (QLabel* l : {w.lblNumberOfWords, w.lblNumWordsExcluded, w.lblNumOccurrences,
                          w.lblTotalNumOccurrences})
            QVERIFY(!l->isVisible());
        QVERIFY(!w.cmdClearFile[0]->isEnabled());
        QVERIFY(!w.cmdClearFile[1]->isEnabled());
        QVERIFY(w.cmdFile[0]->hasFocus() || !w.isActiveWindow());
    }

    void housekeeping_tooltipOfEmptyOutputBoxAndClearCommand() {
        WindowFixture f;
        frmMain& w = f.start();
        w.Timer1_Timer();
        QCOMPARE(w.txbOutput->toolTip(), QString::fromStdU16String(w.state().texts.GetText(76)));
        QVERIFY(!w.cmdClearOutput->isEnabled());
        w.host().setOutputText(u"some text");
        w.Timer1_Timer();
        QVERIFY(w.txbOutput->toolTip().isEmpty());
        QVERIFY(w.cmdClearOutput->isEnabled());
    }

    // --- The saved state of an earlier run -----------------------------------------------------
    void savedInputFile_isVettedQuietlyAtStart() {
        WindowFixture f;
        const QString input = f.writeFile("in.txt", QByteArray(1536, 'a'));
        frmMain& w = f.start();
        w.state().settings.InputFile = fromQ(input);
        w.state().settings.SaveStateOnQuit = true;
        QVERIFY(SaveState(w.state().settings, w.state().strStateFilePath).empty());
        frmMain& again = f.restart();
        QCOMPARE(again.txbFile[0]->text(), input);
        QCOMPARE(again.lblFilesize->text(), QString("Filesize: 1.50 KB"));
        QVERIFY(again.params().chkSaveStateOnQuit->isChecked());
        // The one question: whether to ignore the common words of the file's language.
        QCOMPARE(f.dialogs().shown.size(), size_t(1));
        QCOMPARE(f.dialogs().shown[0].title, ustring(u"Common words"));
        QVERIFY(f.dialogs().shown[0].text.ends_with(u"cwds_en.txt"));
    }

    void saveSettings_thenAStart_restoresThem() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = w.params();
        Click(p.chkAllowWordsWithNumerals);
        Click(p.chkIgnoreRomNum40);
        p.cboShortWordSize->setCurrentIndex(4);
        emit p.cboShortWordSize->activated(4);
        w.cboDisplayFormat->setCurrentIndex(6);
        emit w.cboDisplayFormat->activated(6);
        Click(w.chkSuppressWords);
        f.dialogs().fileAnswers.push_back(fromQ(f.scratchPath("list.txt")));
        QTest::mouseClick(w.cmdFile[1], Qt::LeftButton);
        QTimer::singleShot(20, &w, [&] { w.popUp().Timer1_Timer(); });
        QTest::mouseClick(w.cmdSaveState, Qt::LeftButton);

        frmMain& again = f.restart();
        frmParams& q = again.params();
        QVERIFY(q.chkAllowWordsWithNumerals->isChecked());
        QVERIFY(!q.chkIgnoreRomNum40->isChecked());
        QCOMPARE(q.cboShortWordSize->currentText(), QString("6"));
        QCOMPARE(again.cboDisplayFormat->currentText(), QString("word rank"));
        QVERIFY(again.chkSuppressWords->isChecked());
        QCOMPARE(again.txbFile[1]->text(), f.scratchPath("list.txt"));
        QVERIFY(again.cmdClearFile[1]->isEnabled());
        QVERIFY(again.optInFile->isChecked());
    }

    void savedInputFileThatIsGone_isDroppedQuietly() {
        WindowFixture f;
        frmMain& w = f.start();
        w.state().settings.InputFile = fromQ(f.scratchPath("gone.txt"));
        QVERIFY(SaveState(w.state().settings, w.state().strStateFilePath).empty());
        frmMain& again = f.restart();
        QVERIFY(again.txbFile[0]->text().isEmpty());
        QVERIFY(f.dialogs().shown.empty());
    }
};

} // namespace qd::gui::test

QTEST_MAIN(qd::gui::test::StartUpTest)
#include "StartUpTest.moc"
