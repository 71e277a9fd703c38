// The settings window: the re-read question and its undoing, the words to ignore and their
// check, set/clear all, defaults, reinitialising, settings files, placement.

#include "SettingsWindow.h"
#include "GuiTestSupport.h"
#include "LanguageWindow.h"
#include "QtText.h"
#include "Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace qd::gui::test {

namespace {

constexpr char16_t kReread[] = u"Changing this entails reading the file anew.  Is this OK?";

// The settings window shown and active, so that its boxes get and lose the focus.
frmParams& OpenSettings(frmMain& w) {
    QTest::mouseClick(w.cmdSetParameters, Qt::LeftButton);
    frmParams& p = w.params();
    if (!QTest::qWaitForWindowActive(&p)) qWarning("settings window not active");
    return p;
}

// Types into a box and leaves it for the Close command.
void TypeAndLeave(frmParams& p, QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    p.cmdClose->setFocus();
}

size_t CountReread(WindowFixture& f) {
    return f.shownWithTitle(kProgramTitle).size();
}

} // namespace

class SettingsWindowTest : public QObject {
    Q_OBJECT
private slots:
    // --- Placement --------------------------------------------------------------------------
    void window_sitsBesideTheSettingsCommand() {
        WindowFixture f;
        frmMain& w = f.start();
        w.move(50, 40);
        frmParams& p = OpenSettings(w);
        const QPoint corner = w.frameGeometry().topLeft();
        QCOMPARE(p.pos(), QPoint(corner.x() + w.cmdSetParameters->width() + TwipsToPixelsX(300, &w),
                                 corner.y()));
        QVERIFY(p.cmdClose->hasFocus());
        QVERIFY(p.txbParametersFile->isHidden());
    }

    // --- The re-read question -----------------------------------------------------------------
    void afterACount_declinedChangeIsUndone() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        w.state().blnWordsGot = true; // the table holds a count of the current source
        f.dialogs().answers.push_back(Answer::No);
        Click(p.chkAllowWordsWithApostrophes);
        QCOMPARE(CountReread(f), size_t(1));
        QCOMPARE(f.lastShown()->text, ustring(kReread));
        QCOMPARE(f.lastShown()->buttons, MsgButtons::YesNo);
        QVERIFY(!p.chkAllowWordsWithApostrophes->isChecked());
        QVERIFY(!w.state().settings.AllowWordsWithApostrophes);
        QVERIFY(w.state().blnWordsGot);
    }

    void afterACount_acceptedChangeAsksOnlyOnce() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        w.state().blnWordsGot = true;
        f.dialogs().answers.push_back(Answer::Yes);
        Click(p.chkAllowWordsWithApostrophes);
        QVERIFY(p.chkAllowWordsWithApostrophes->isChecked());
        QVERIFY(w.state().settings.AllowWordsWithApostrophes);
        QVERIFY(!w.state().blnWordsGot);
        Click(p.chkCaseSignificant);
        QCOMPARE(CountReread(f), size_t(1));
        QVERIFY(w.state().settings.CaseSignificant);
    }

    void ignoreRules_neverAsk() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        w.state().blnWordsGot = true;
        Click(p.chkIgnoreRepetitions);
        QVERIFY(!w.state().settings.IgnoreRepetitions);
        QVERIFY(f.dialogs().shown.empty());
        QVERIFY(p.cmdClose->hasFocus());
    }

    void clearCheckboxes_asksAtMostOnceOnYes() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        w.state().blnWordsGot = true;
        f.dialogs().answers.push_back(Answer::Yes);
        QTest::mouseClick(p.cmdSetOrClearCheckboxes[0], Qt::LeftButton);
        QCOMPARE(CountReread(f), size_t(1));
        const ScanSettings& s = w.state().settings;
        QVERIFY(!s.AllowWordsWithHyphens && !s.IgnoreShortWords && !s.IgnoreRepetitions &&
                !s.IgnoreRomNum40 && !s.IgnoreNoLetter);
        QVERIFY(!p.chkAllowWordsWithHyphens->isChecked());
        QTest::mouseClick(p.cmdSetOrClearCheckboxes[1], Qt::LeftButton);
        QVERIFY(s.AllowWordsWithHyphens && s.AllowWordsWithNumerals && s.CaseSignificant &&
                s.OutputWithCommas && s.AllowCommentMarkers && s.SaveStateOnQuit &&
                s.Only7bitASCII);
        QVERIFY(!s.IgnoreCommonWords); // never touched by these commands
        QCOMPARE(CountReread(f), size_t(1));
    }

    // --- Words to ignore --------------------------------------------------------------------
    void wordsToIgnore_areNormalisedWhenTheBoxIsLeft() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        TypeAndLeave(p, p.txbWordsToIgnore, "The, a  the,,and");
        QCOMPARE(p.txbWordsToIgnore->text(), QString("a and the"));
        QCOMPARE(w.state().strWordsToIgnore, ustring(u" a and the "));
        QVERIFY(f.dialogs().shown.empty());
    }

    void wordWithHyphenWhileHyphensAreOff_isReportedAsCurrentlySet() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        Click(p.chkAllowWordsWithHyphens); // hyphens off: no words yet, nothing to report
        QVERIFY(f.dialogs().shown.empty());
        TypeAndLeave(p, p.txbWordsToIgnore, "e-mail");
        const auto shown = f.shownWithTitle(u"Character not allowed");
        QCOMPARE(shown.size(), size_t(1));
        QVERIFY(shown[0].text.find(u"currently set as ") != ustring::npos);
        QCOMPARE(shown[0].icon, MsgIcon::Exclamation);
        QCOMPARE(p.txbWordsToIgnore->text(), QString("e-mail")); // reported, not removed
    }

    void plusSign_isReportedWithoutCurrentlySet() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        TypeAndLeave(p, p.txbWordsToIgnore, "c++");
        const auto shown = f.shownWithTitle(u"Character not allowed");
        QCOMPARE(shown.size(), size_t(1));
        QVERIFY(shown[0].text.find(u"currently set as ") == ustring::npos);
    }

    void slashes_onlyTheBackslashIsChecked() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        Click(p.chkAllowWordsWithForwardslashes);
        Click(p.chkAllowWordsWithBackslashes);
        TypeAndLeave(p, p.txbWordsToIgnore, "a/b c\\d");
        QVERIFY(f.dialogs().shown.empty());
        Click(p.chkAllowWordsWithForwardslashes); // off: a slash is never checked for
        QVERIFY(f.dialogs().shown.empty());
        Click(p.chkAllowWordsWithBackslashes); // off: "c\d" no longer fits
        QCOMPARE(f.shownWithTitle(u"Character not allowed").size(), size_t(1));
    }

    void clearWordsToIgnore_stopsIgnoringThemAtOnce() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        TypeAndLeave(p, p.txbWordsToIgnore, "alpha");
        QCOMPARE(w.state().strWordsToIgnore, ustring(u" alpha "));
        QTest::mouseClick(p.cmdClearWordsToIgnore, Qt::LeftButton);
        QVERIFY(p.txbWordsToIgnore->text().isEmpty());
        QVERIFY(w.state().strWordsToIgnore.empty());
        QVERIFY(p.cmdClose->hasFocus());
    }

    // --- Defaults and reinitialising --------------------------------------------------------
    void restoreDefaults_keepsWordsAndCommonWords() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        TypeAndLeave(p, p.txbWordsToIgnore, "kept words");
        w.state().settings.CommonWordsFile = u"/some/common.txt";
        w.state().settings.IgnoreCommonWords = true;
        Click(p.chkAllowWordsWithNumerals);
        Click(p.chkIgnoreShortWords);
        p.cboLongWordSize->setCurrentIndex(2);
        emit p.cboLongWordSize->activated(2);
        QTest::mouseClick(p.cmdRestoreDefaults, Qt::LeftButton);
        const ScanSettings& s = w.state().settings;
        QVERIFY(!s.AllowWordsWithNumerals && s.IgnoreShortWords);
        QCOMPARE(s.LongWordSize, 7);
        QCOMPARE(p.cboLongWordSize->currentText(), QString("50"));
        QCOMPARE(p.txbWordsToIgnore->text(), QString("kept words"));
        QCOMPARE(s.CommonWordsFile, ustring(u"/some/common.txt"));
        QVERIFY(s.IgnoreCommonWords);
        QVERIFY(p.cmdClose->hasFocus());
    }

    void reinitialize_emptiesFilesWordsAndLists() {
        WindowFixture f;
        frmMain& w = f.start();
        const QString input = f.writeFile("in.txt", "some words here");
        f.dialogs().fileAnswers.push_back(fromQ(input));
        QTest::mouseClick(w.cmdFile[0], Qt::LeftButton);
        w.cboDisplayFormat->setCurrentIndex(4);
        emit w.cboDisplayFormat->activated(4);
        frmParams& p = OpenSettings(w);
        TypeAndLeave(p, p.txbWordsToIgnore, "gone");
        QTest::mouseClick(p.cmdInitialize, Qt::LeftButton);
        QVERIFY(w.txbFile[0]->text().isEmpty());
        QVERIFY(p.txbWordsToIgnore->text().isEmpty());
        QVERIFY(w.state().strWordsToIgnore.empty());
        QCOMPARE(w.cboDisplayFormat->currentIndex(), 0);
        QCOMPARE(p.lblParameters->text(), QString("Program reinitialized."));
        QVERIFY(p.txbParametersFile->isHidden());
        QVERIFY(p.isVisible());
    }

    // --- Comment markers and common words ------------------------------------------------------
    void commentMarkerBox_isTrimmedWhenLeft() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        w.state().blnWordsGot = true;
        TypeAndLeave(p, p.txbEndComment[1], "  -->  ");
        QCOMPARE(p.txbEndComment[1]->text(), QString("-->"));
        QCOMPARE(w.state().settings.EndComment[1], ustring(u"-->"));
        QVERIFY(!w.state().blnWordsGot);
    }

    void ignoreCommonWordsWithoutAFile_isReportedAndUnticked() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        QTest::mouseClick(p.cmdClearCommonWordsFile, Qt::LeftButton);
        Click(p.chkIgnoreCommonWords);
        const ShownDialog* shown = f.lastShown();
        QVERIFY(shown);
        QCOMPARE(shown->text, ustring(u"Please specify the file containing common words."));
        QCOMPARE(shown->title, ustring(u"Ignore common words in file:"));
        QVERIFY(!p.chkIgnoreCommonWords->isChecked());
        QVERIFY(!w.state().settings.IgnoreCommonWords);
    }

    void languageWindow_cancelChangesNothing() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        const ustring before = w.state().settings.CommonWordsFile;
        QTimer::singleShot(50, &p, [] {
            auto* languages =
                qobject_cast<frmLanguageSelection*>(QApplication::activeModalWidget());
            if (!languages) return;
            QVERIFY(!languages->cmdAccept->isEnabled());
            QCOMPARE(languages->cboCommonWordsFiles->count(), 8);
            QTest::mouseClick(languages->cmdCancel, Qt::LeftButton);
        });
        QTest::mouseClick(p.cmdSelectCommonWordsFile[1], Qt::LeftButton);
        QCOMPARE(w.state().settings.CommonWordsFile, before);
    }

    void languageWindow_loadsTheChosenLanguage_andTickingAgainDoesNotReread() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        QTimer::singleShot(50, &p, [] {
            auto* languages =
                qobject_cast<frmLanguageSelection*>(QApplication::activeModalWidget());
            if (!languages) return;
            languages->cboCommonWordsFiles->setCurrentIndex(1);
            emit languages->cboCommonWordsFiles->activated(1);
            QCOMPARE(Caption(languages->cmdAccept),
                     QString("Load common words file for this language"));
            QTest::mouseClick(languages->cmdAccept, Qt::LeftButton);
        });
        QTest::mouseClick(p.cmdSelectCommonWordsFile[1], Qt::LeftButton);
        const auto loaded = f.shownWithTitle(u"Common words loaded");
        QCOMPARE(loaded.size(), size_t(1));
        QVERIFY(loaded[0].text.ends_with(u" common words loaded from " +
                                         w.state().settings.CommonWordsFile));
        QVERIFY(w.state().settings.CommonWordsFile.ends_with(u"cwds_de.txt"));
        QVERIFY(p.chkIgnoreCommonWords->isChecked());
        QCOMPARE(p.txbCommonWordsFile->text(), toQ(w.state().settings.CommonWordsFile));
        QVERIFY(!w.state().CommonWords.empty());

        Click(p.chkIgnoreCommonWords); // off: the words stay in memory
        Click(p.chkIgnoreCommonWords); // on again
        const auto again = f.shownWithTitle(u"Common words loaded");
        QCOMPARE(again.size(), size_t(2));
        QVERIFY(again[1].text.starts_with(u"This file has already been loaded."));
    }

    void browseCancelled_changesNothing() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        const ustring before = w.state().settings.CommonWordsFile;
        f.dialogs().fileAnswers.push_back(u"");
        QTest::mouseClick(p.cmdSelectCommonWordsFile[0], Qt::LeftButton);
        QCOMPARE(w.state().settings.CommonWordsFile, before);
        QCOMPARE(f.lastShown()->title, ustring(u"Specify file of common words to ignore"));
    }

    // --- Settings files -----------------------------------------------------------------------
    void savedSettingsFile_loadsBack() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        Click(p.chkAllowWordsWithNumerals);
        TypeAndLeave(p, p.txbWordsToIgnore, "one two");
        const QString file = f.scratchPath("mine.dvn");
        f.dialogs().fileAnswers.push_back(fromQ(file));
        QTest::mouseClick(p.cmdSaveLoadState[0], Qt::LeftButton);
        QCOMPARE(p.lblParameters->text(), QString("Settings saved to"));
        QCOMPARE(p.txbParametersFile->text(), file);
        QVERIFY(!p.txbParametersFile->isHidden());

        QTest::mouseClick(p.cmdRestoreDefaults, Qt::LeftButton);
        QTest::mouseClick(p.cmdClearWordsToIgnore, Qt::LeftButton);
        QVERIFY(!w.state().settings.AllowWordsWithNumerals);
        f.dialogs().fileAnswers.push_back(fromQ(file));
        QTest::mouseClick(p.cmdSaveLoadState[1], Qt::LeftButton);
        QCOMPARE(p.lblParameters->text(), QString("Settings loaded from"));
        QVERIFY(p.chkAllowWordsWithNumerals->isChecked());
        QCOMPARE(p.txbWordsToIgnore->text(), QString("one two"));
        QCOMPARE(w.state().strWordsToIgnore, ustring(u" one two "));
        QCOMPARE(f.dialogs().unscriptedCount(), 0);
    }

    void unreadableSettingsFile_isReportedAndDefaultsReturn() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        Click(p.chkAllowWordsWithNumerals);
        f.dialogs().fileAnswers.push_back(fromQ(f.writeFile("short.dvn", "\"only\"\r\n")));
        QTest::mouseClick(p.cmdSaveLoadState[1], Qt::LeftButton);
        QCOMPARE(p.lblParameters->text(), QString("Error loading from"));
        QCOMPARE(f.shownWithTitle(u"Load settings").size(), size_t(1));
        QVERIFY(!p.chkAllowWordsWithNumerals->isChecked());
    }

    // --- Closing and quitting --------------------------------------------------------------------
    void close_hidesTheWindow() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        QTest::mouseClick(p.cmdClose, Qt::LeftButton);
        QVERIFY(!p.isVisible());
    }

    void quitAnsweredNo_keepsTheProgram() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        f.dialogs().answers.push_back(Answer::No);
        QTest::mouseClick(p.cmdQuit, Qt::LeftButton);
        QCOMPARE(f.lastShown()->text, ustring(u"Really quit?"));
        QCOMPARE(f.lastShown()->title, ustring(u"Quit"));
        QVERIFY(w.isVisible());
    }
};

} // namespace qd::gui::test

QTEST_MAIN(qd::gui::test::SettingsWindowTest)
#include "SettingsWindowTest.moc"
