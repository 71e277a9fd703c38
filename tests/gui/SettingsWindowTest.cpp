// The settings window: its place and its commands, the re-read question after a count, the
// words to ignore and their check, defaults and reinitialising, common words and the language
// window, settings files, the output file's encoding.

#include "SettingsWindow.h"
#include "GuiTestSupport.h"
#include "LanguageWindow.h"
#include "QtText.h"
#include "Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace qd::gui::test {

namespace {

// The settings window shown and active, so that its boxes get and lose the focus.
frmParams& OpenSettings(frmMain& w) {
    Click(w.cmdSetParameters);
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

} // namespace

class SettingsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void window_sitsBesideItsCommand_closeHides_quitAsksFirst() {
        WindowFixture f;
        frmMain& w = f.start();
        w.move(50, 40);
        frmParams& p = OpenSettings(w);
        const QPoint corner = w.frameGeometry().topLeft();
        QCOMPARE(p.pos(),
                 corner + QPoint(w.cmdSetParameters->width() + TwipsToPixelsX(300, &w), 0));
        QVERIFY(p.cmdClose->hasFocus());
        // A dialog window of the main window: it stays above it while both are open.
        QCOMPARE(p.windowType(), Qt::Dialog);
        QCOMPARE(p.windowHandle()->transientParent(), w.windowHandle());
        Click(p.cmdClose);
        QVERIFY(!p.isVisible());
        OpenSettings(w);
        f.answer(Question::ReallyQuit, Answer::No);
        Click(p.cmdQuit);
        QCOMPARE(f.countAsked(Question::ReallyQuit), size_t(1));
        QVERIFY(w.isVisible() && p.isVisible());
        // Each dialog belongs to the window it was opened from, so that closing it gives that
        // window back.
        QCOMPARE(f.dialogs().shown.back().owner, &p);
        ChooseFile(f, w, 0, "");
        QCOMPARE(f.dialogs().shown.back().owner, &w);
        Click(p.cmdSaveLoadState[1]);
        QCOMPARE(f.dialogs().shown.back().owner, &p);
    }

    void rereadQuestion_afterACount() {
        WindowFixture f;
        frmMain& w = f.start();
        ChooseFile(f, w, 0, f.writeFile("in.txt", "don't stop believing\r\n"));
        Click(w.cmdListWords);
        frmParams& p = OpenSettings(w);
        Click(p.chkIgnoreRepetitions); // only filters the listing: never asks
        QCOMPARE(f.countAsked(Question::ReadFileAnew), size_t(0));
        f.answer(Question::ReadFileAnew, Answer::No);
        Click(p.chkAllowWordsWithApostrophes);
        QCOMPARE(f.countAsked(Question::ReadFileAnew), size_t(1));
        QVERIFY(!p.chkAllowWordsWithApostrophes->isChecked()); // declined: undone
        QVERIFY(!w.state().settings.words.AllowWordsWithApostrophes && w.state().session.wordsGot);
        f.answer(Question::ReadFileAnew, Answer::Yes);
        Click(p.chkAllowWordsWithApostrophes);
        QVERIFY(w.state().settings.words.AllowWordsWithApostrophes && !w.state().session.wordsGot);
        Click(p.chkCaseSignificant); // the count is stale already: no question
        QCOMPARE(f.countAsked(Question::ReadFileAnew), size_t(2));

        Click(w.cmdListWords); // clearing all boxes asks once
        f.answer(Question::ReadFileAnew, Answer::Yes);
        Click(p.cmdSetOrClearCheckboxes[0]);
        QCOMPARE(f.countAsked(Question::ReadFileAnew), size_t(3));
        QVERIFY(!p.chkAllowWordsWithHyphens->isChecked() && !p.chkIgnoreShortWords->isChecked());
        Click(w.cmdListWords); // a comment marker box is trimmed when left and forgets the count
        TypeAndLeave(p, p.txbEndComment[1], "  -->  ");
        QCOMPARE(p.txbEndComment[1]->text(), QString("-->"));
        QVERIFY(!w.state().session.wordsGot);
    }

    void wordsToIgnore_tidiedCheckedAgainstTheRulesAndCleared() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        TypeAndLeave(p, p.txbWordsToIgnore, "The, a  the,,and");
        QCOMPARE(p.txbWordsToIgnore->text(), QString("a and the"));
        QCOMPARE(w.state().lists.wordsToIgnore.text(), ustring(u" a and the "));
        QVERIFY(f.dialogs().shown.empty());
        Click(p.chkAllowWordsWithBackslashes);
        TypeAndLeave(p, p.txbWordsToIgnore, "e-mail c\\d");
        QVERIFY(f.dialogs().shown.empty());
        Click(p.chkAllowWordsWithBackslashes); // "c\d" no longer fits: reported, kept
        QCOMPARE(f.countShown(u"Character not allowed"), size_t(1));
        Click(p.chkAllowWordsWithHyphens);
        QCOMPARE(f.countShown(u"Character not allowed"), size_t(2));
        QCOMPARE(p.txbWordsToIgnore->text(), QString("c\\d e-mail"));
        Click(p.cmdClearWordsToIgnore);
        QVERIFY(p.txbWordsToIgnore->text().isEmpty() && w.state().lists.wordsToIgnore.empty());
        QVERIFY(p.cmdClose->hasFocus());
    }

    void restoreDefaultsKeepsTheWords_reinitialiseEmptiesEverything() {
        WindowFixture f;
        frmMain& w = f.start();
        ChooseFile(f, w, 0, f.writeFile("in.txt", "some words here"));
        Pick(w.cboDisplayFormat, 4);
        frmParams& p = OpenSettings(w);
        TypeAndLeave(p, p.txbWordsToIgnore, "kept words");
        Click(p.chkAllowWordsWithNumerals);
        Click(p.chkIgnoreShortWords);
        Pick(p.cboLongWordSize, 2);
        Click(p.cmdRestoreDefaults);
        QVERIFY(!p.chkAllowWordsWithNumerals->isChecked() && p.chkIgnoreShortWords->isChecked());
        QCOMPARE(p.cboLongWordSize->currentText(), QString("50"));
        QCOMPARE(p.txbWordsToIgnore->text(), QString("kept words"));
        QCOMPARE(w.cboDisplayFormat->currentIndex(), 4);
        Click(p.cmdInitialize);
        QVERIFY(w.txbFile[0]->text().isEmpty() && p.txbWordsToIgnore->text().isEmpty());
        QVERIFY(w.state().lists.wordsToIgnore.empty());
        QCOMPARE(w.cboDisplayFormat->currentIndex(), 0);
        QCOMPARE(p.lblParameters->text(), QString("Program reinitialized."));
        QVERIFY(p.isVisible());
    }

    void commonWords_needAFile_andTheLanguageWindowLoadsThem() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        Click(p.cmdClearCommonWordsFile);
        Click(p.chkIgnoreCommonWords);
        QCOMPARE(f.countShown(u"Ignore common words in file:"), size_t(1));
        QVERIFY(!p.chkIgnoreCommonWords->isChecked());
        for (bool accept : {false, true}) {
            QTimer::singleShot(50, &p, [accept] {
                auto* languages =
                    qobject_cast<frmLanguageSelection*>(QApplication::activeModalWidget());
                if (!languages) return;
                QVERIFY(!languages->cmdAccept->isEnabled());
                Pick(languages->cboCommonWordsFiles, 1);
                Click(accept ? languages->cmdAccept : languages->cmdCancel);
            });
            Click(p.cmdSelectCommonWordsFile[1]);
            QCOMPARE(p.chkIgnoreCommonWords->isChecked(), accept);
        }
        QCOMPARE(f.countShown(u"Common words loaded"), size_t(1));
        QVERIFY(w.state().settings.ignore.CommonWordsFile.ends_with(u"cwds_de.txt"));
        QCOMPARE(p.txbCommonWordsFile->text(), toQ(w.state().settings.ignore.CommonWordsFile));
        Click(p.chkIgnoreCommonWords); // off and on again: the words are still in memory
        Click(p.chkIgnoreCommonWords);
        QCOMPARE(f.countShown(u"Common words loaded"), size_t(2));
        QVERIFY(f.dialogs().shown.back().text.starts_with(u"This file has already been loaded."));
    }

    void settingsFile_savedLoadsBack_unreadableGivesTheDefaults() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        Click(p.chkAllowWordsWithNumerals);
        TypeAndLeave(p, p.txbWordsToIgnore, "one two");
        const QString file = f.scratchPath("mine.dvn");
        f.dialogs().fileAnswers.push_back(fromQ(f.scratchPath("mine"))); // gets its extension
        Click(p.cmdSaveLoadState[0]);
        QCOMPARE(p.txbParametersFile->text(), file);
        QVERIFY(QFile::exists(file));
        QVERIFY(!p.txbParametersFile->isHidden());
        Click(p.cmdRestoreDefaults);
        Click(p.cmdClearWordsToIgnore);
        f.dialogs().fileAnswers.push_back(fromQ(file));
        Click(p.cmdSaveLoadState[1]);
        QCOMPARE(p.lblParameters->text(), QString("Settings loaded from"));
        QVERIFY(p.chkAllowWordsWithNumerals->isChecked());
        QCOMPARE(p.txbWordsToIgnore->text(), QString("one two"));
        QCOMPARE(w.state().lists.wordsToIgnore.text(), ustring(u" one two "));
        // A failed load leaves the defaults in force, and every control shows them.
        ChooseFile(f, w, 0, f.writeFile("in.txt", "some words"));
        f.dialogs().fileAnswers.push_back(
            fromQ(QCoreApplication::applicationDirPath() + "/cwds_de.txt"));
        Click(p.cmdSelectCommonWordsFile[0]);
        QVERIFY(p.chkIgnoreCommonWords->isChecked() && w.cmdClearFile[0]->isEnabled());
        f.dialogs().fileAnswers.push_back(fromQ(f.writeFile("short.dvn", "\"only\"\r\n")));
        Click(p.cmdSaveLoadState[1]);
        QCOMPARE(f.countShown(u"Load settings"), size_t(1));
        QCOMPARE(p.lblParameters->text(), QString("Error loading from"));
        QVERIFY(!p.chkAllowWordsWithNumerals->isChecked());
        QVERIFY(!p.chkIgnoreCommonWords->isChecked() &&
                !w.state().settings.ignore.IgnoreCommonWords);
        QVERIFY(p.txbCommonWordsFile->text().isEmpty());
        QVERIFY(w.txbFile[0]->text().isEmpty() && !w.cmdClearFile[0]->isEnabled());
    }

    void settingsFile_namesTheShippedCommonWordsFile_andTheBoxShowsItWhenLoaded() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        const QString german = QCoreApplication::applicationDirPath() + "/cwds_de.txt";
        f.dialogs().fileAnswers.push_back(fromQ(german));
        Click(p.cmdSelectCommonWordsFile[0]);
        QVERIFY(p.chkIgnoreCommonWords->isChecked());
        const QString file = f.scratchPath("common.dvn");
        f.dialogs().fileAnswers.push_back(fromQ(file));
        Click(p.cmdSaveLoadState[0]);
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll().split('\n').value(36), QByteArray("\"cwds_de.txt\"\r"));

        // Reinitialised, the box is empty; the file brings the box and its path back.
        Click(p.cmdInitialize);
        QVERIFY(p.txbCommonWordsFile->text().isEmpty() && !p.chkIgnoreCommonWords->isChecked());
        f.dialogs().fileAnswers.push_back(fromQ(file));
        Click(p.cmdSaveLoadState[1]);
        QCOMPARE(p.lblParameters->text(), QString("Settings loaded from"));
        QVERIFY(p.chkIgnoreCommonWords->isChecked());
        QCOMPARE(p.txbCommonWordsFile->text(), german);
        QCOMPARE(w.state().settings.ignore.CommonWordsFile, fromQ(german));

        // The words in memory were cleared with the rest; ticking the box again reads its file.
        Click(p.chkIgnoreCommonWords);
        Click(p.chkIgnoreCommonWords);
        QVERIFY(f.dialogs().shown.back().text.ends_with(u" loaded from " + fromQ(german)));

        // An older file with a full path loads as it is, and the box shows that path.
        QByteArray old;
        saved.seek(0);
        QList<QByteArray> lines = saved.readAll().split('\n');
        const QString english = QCoreApplication::applicationDirPath() + "/cwds_en.txt";
        lines[36] = "\"" + english.toUtf8() + "\"\r";
        f.dialogs().fileAnswers.push_back(fromQ(f.writeFile("old.dvn", lines.join('\n'))));
        Click(p.cmdSaveLoadState[1]);
        QCOMPARE(p.lblParameters->text(), QString("Settings loaded from"));
        QCOMPARE(p.txbCommonWordsFile->text(), english);
        // The German words in memory are not the English file's: ticking the box again reads it.
        Click(p.chkIgnoreCommonWords);
        Click(p.chkIgnoreCommonWords);
        QVERIFY(f.dialogs().shown.back().text.ends_with(u" loaded from " + fromQ(english)));
    }

    void outputEncoding_besideTheCommasBox_keepsLettersAndIsSavedInLine29() {
        WindowFixture f;
        frmMain& w = f.start();
        frmParams& p = OpenSettings(w);
        const QRect commas(p.chkOutputWithCommas->mapTo(&p, QPoint()),
                           p.chkOutputWithCommas->size());
        const QRect list(p.cboOutputEncoding->mapTo(&p, QPoint()), p.cboOutputEncoding->size());
        QVERIFY(list.left() > commas.right() && list.top() < commas.center().y() &&
                commas.center().y() < list.bottom());
        QCOMPARE(p.cboOutputEncoding->currentText(), QString("Windows-1252"));
        QCOMPARE(p.cboOutputEncoding->itemText(1), QString("UTF-8"));

        // Letters Windows-1252 lacks arrive from the clipboard.
        QApplication::clipboard()->setText(QString("łódź győr řeka ").repeated(20));
        Click(w.optOnClipboard);
        const QString output = f.scratchPath("list.txt");
        ChooseFile(f, w, 1, output);
        const auto listed = [&] {
            Click(w.cmdListWords);
            QFile file(output);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QVERIFY(listed().contains("  ?\xF3"
                                  "d?\r\n"));
        Pick(p.cboOutputEncoding, 1);
        QCOMPARE(w.state().settings.output.OutputEncoding, FileEncoding::Utf8);
        const QByteArray utf8 = listed();
        QVERIFY(utf8.startsWith("\xEF\xBB\xBF\"To open this file"));
        QVERIFY(utf8.contains("  łódź\r\n") && utf8.contains("  győr\r\n"));

        const QString file = f.scratchPath("mine.dvn");
        f.dialogs().fileAnswers.push_back(fromQ(file));
        Click(p.cmdSaveLoadState[0]);
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll().split('\n').value(28), QByteArray("1\r"));
        Click(p.cmdRestoreDefaults);
        QCOMPARE(p.cboOutputEncoding->currentIndex(), 0);
        f.dialogs().fileAnswers.push_back(fromQ(file));
        Click(p.cmdSaveLoadState[1]);
        QCOMPARE(p.cboOutputEncoding->currentText(), QString("UTF-8"));
    }
};

} // namespace qd::gui::test

QTEST_MAIN(qd::gui::test::SettingsWindowTest)
#include "SettingsWindowTest.moc"
