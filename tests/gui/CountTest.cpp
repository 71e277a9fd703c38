// Counting through the real main window: a text file, a stopped count, re-listing, the
// re-read question after a count, the clipboard and a docx document.

#include "GuiTestSupport.h"
#include "QtText.h"
#include "SettingsWindow.h"
#include "support/DocxWriter.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace qd::gui::test {

namespace {

// Many lines of a small vocabulary: long enough to read for a while, few distinct words.
QByteArray LargeText(int lines) {
    QByteArray text;
    text.reserve(lines * 60);
    const char* words[] = {"alpha", "bravo", "charlie", "delta", "echo", "foxtrot", "golf"};
    for (int i = 0; i < lines; ++i) {
        text += words[i % 7];
        text += " hotel india juliet kilo lima mike november oscar papa\r\n";
    }
    return text;
}

void ChooseInput(WindowFixture& f, frmMain& w, const QString& path) {
    f.dialogs().fileAnswers.push_back(fromQ(path));
    QTest::mouseClick(w.cmdFile[0], Qt::LeftButton);
}

// The output box as the person sees it once the program has drawn it.
QString Output(frmMain& w) {
    w.host().flushOutput();
    return w.txbOutput->toPlainText();
}

} // namespace

class CountTest : public QObject {
    Q_OBJECT
private slots:
    // --- A text file ----------------------------------------------------------------------------
    void countWords_listsTheWordsByFrequency() {
        WindowFixture f;
        frmMain& w = f.start();
        ChooseInput(f, w, f.writeFile("in.txt", "the cat and the dog\r\nthe bird and a cat\r\n"));
        QTest::mouseClick(w.cmdListWords, Qt::LeftButton);
        const QString out = Output(w);
        QVERIFY2(out.startsWith("   Rank    Freq  Word (longest has 4 characters)\n"),
                 qPrintable(out));
        QVERIFY(out.contains("      1       3  the\n"));
        QVERIFY(out.contains("  and\n"));
        QVERIFY(out.contains("  cat\n"));
        QVERIFY(!out.contains(" a\n")); // shorter than 3 characters
        QCOMPARE(Caption(w.cmdListWords), QString("Count words"));
        QVERIFY(w.state().blnWordsGot);
        QVERIFY(w.lblNumberOfWords->isVisible());
        QVERIFY(w.lblNumberOfWords->text().startsWith("Number of words in this list:"));
        QVERIFY(w.cmdFile[0]->isEnabled());
        QCOMPARE(f.dialogs().unscriptedCount(), 0);
    }

    void changingOrderOrFormat_listsAgainWithoutCounting() {
        WindowFixture f;
        frmMain& w = f.start();
        const QString input = f.writeFile("in.txt", "pear pear pear apple apple fig\r\n");
        ChooseInput(f, w, input);
        QTest::mouseClick(w.cmdListWords, Qt::LeftButton);
        QVERIFY(Output(w).indexOf("pear") < Output(w).indexOf("apple"));
        const size_t asked = f.dialogs().shown.size();
        QFile::remove(input); // whatever is listed now comes from the table
        w.cboWordOrder->setCurrentIndex(1);
        emit w.cboWordOrder->activated(1);
        QVERIFY(Output(w).indexOf("apple") < Output(w).indexOf("pear"));
        w.cboDisplayFormat->setCurrentIndex(8);
        emit w.cboDisplayFormat->activated(8);
        QCOMPARE(Output(w), QString("Word (longest has 5 characters)\napple\nfig\npear\n\n"));
        QCOMPARE(f.dialogs().shown.size(), asked);
    }

    // --- The output file
    // ---------------------------------------------------------------------------
    void largeInput_answeredYes_letsThePersonChooseTheOutputFile() {
        WindowFixture f;
        frmMain& w = f.start();
        ChooseInput(f, w, f.writeFile("large.txt", LargeText(5000)));
        const QString output = f.scratchPath("list.txt");
        f.answer(u"Large input file", Answer::Yes);
        f.dialogs().fileAnswers.push_back(fromQ(output));
        QTest::mouseClick(w.cmdListWords, Qt::LeftButton);
        QCOMPARE(w.txbFile[1]->text(), output);
        QVERIFY(w.chkDisableOutputToFile->isEnabled());
        QFile written(output);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readAll().startsWith("\"To open this file in Excel"));
    }

    void overwritePromptCancelled_ticksDisableAndListsToTheBoxOnly() {
        WindowFixture f;
        frmMain& w = f.start();
        ChooseInput(f, w, f.writeFile("in.txt", "some words here\r\n"));
        const QString output = f.writeFile("out.txt", "old listing");
        f.dialogs().fileAnswers.push_back(fromQ(output));
        QTest::mouseClick(w.cmdFile[1], Qt::LeftButton);
        w.state().settings.WarnOnOverwrite = true;
        f.dialogs().promptAnswers.push_back(std::nullopt);
        QTest::mouseClick(w.cmdListWords, Qt::LeftButton);
        const ShownDialog* prompt = nullptr;
        for (const ShownDialog& d : f.dialogs().shown)
            if (d.kind == DialogKind::Prompt) prompt = &d;
        QVERIFY(prompt);
        QCOMPARE(prompt->title, ustring(u"The output file exists."));
        QCOMPARE(prompt->defaultValue, fromQ(output));
        QVERIFY(w.chkDisableOutputToFile->isChecked());
        QVERIFY(Output(w).contains("  words\n"));
    }

    // --- Stopping -------------------------------------------------------------------------------
    void stopQuestion_noGoesOnYesStops_thenListingOnRequest() {
        WindowFixture f;
        frmMain& w = f.start();
        ChooseInput(f, w, f.writeFile("large.txt", LargeText(200000)));
        const ustring stop = w.state().texts.GetText(74);
        int stopQuestions = 0;
        f.answer(u"Large input file", Answer::No);
        f.answer(stop, [&](const ShownDialog&) {
            if (++stopQuestions > 1) return Answer::Yes;
            // Asked again at the next turn of the event loop, and then answered yes.
            QTimer::singleShot(0, w.cmdListWords,
                               [&] { QTest::mouseClick(w.cmdListWords, Qt::LeftButton); });
            return Answer::No;
        });
        f.answer(u"Counting interrupted", Answer::Yes);
        // The first click comes when the count yields for the first time.
        QTimer::singleShot(0, w.cmdListWords, [&] {
            QVERIFY(Caption(w.cmdListWords) == toQ(stop));
            QVERIFY(!w.cmdFile[0]->isEnabled());
            QTest::mouseClick(w.cmdListWords, Qt::LeftButton);
        });
        QTest::mouseClick(w.cmdListWords, Qt::LeftButton);
        QCOMPARE(stopQuestions, 2);
        const auto interrupted = f.shownWithTitle(u"Counting interrupted");
        QCOMPARE(interrupted.size(), size_t(1));
        QCOMPARE(interrupted[0].text, ustring(u"The operation was stopped before all words were "
                                              u"counted.\r\nDo you wish to list the words which "
                                              u"were found?"));
        QVERIFY(Output(w).contains("Rank"));
        QVERIFY(!w.state().blnWordsGot); // a stopped count is listed, not kept as current
        QCOMPARE(Caption(w.cmdListWords), QString("Count words"));
    }

    void stoppedCountNotListed_showsTheStopLine() {
        WindowFixture f;
        frmMain& w = f.start();
        ChooseInput(f, w, f.writeFile("large.txt", LargeText(200000)));
        const ustring stop = w.state().texts.GetText(74);
        f.answer(u"Large input file", Answer::No);
        f.answer(stop, Answer::Yes);
        f.answer(u"Counting interrupted", Answer::No);
        QTimer::singleShot(0, w.cmdListWords,
                           [&] { QTest::mouseClick(w.cmdListWords, Qt::LeftButton); });
        QTest::mouseClick(w.cmdListWords, Qt::LeftButton);
        QVERIFY2(Output(w).contains(QRegularExpression("Stopped with \\d+ words found\\.")),
                 qPrintable(Output(w)));
        QVERIFY(!Output(w).contains("Rank"));
        QCOMPARE(Caption(w.cmdListWords), QString("Count words"));
        QVERIFY(w.cmdFile[0]->isEnabled());
        QCOMPARE(f.dialogs().unscriptedCount(), 0);
    }

    void closingTheWindowDuringACount_stopsItAndQuitsAfterwards() {
        WindowFixture f;
        frmMain& w = f.start();
        ChooseInput(f, w, f.writeFile("large.txt", LargeText(200000)));
        f.answer(u"Large input file", Answer::No);
        f.answer(u"Counting interrupted", Answer::No);
        QTimer::singleShot(0, &w, [&] { w.close(); });
        QTest::mouseClick(w.cmdListWords, Qt::LeftButton);
        QVERIFY(w.isVisible() || f.shownWithTitle(u"Counting interrupted").size() == 1);
        QVERIFY(WaitFor([&] { return !w.isVisible(); }, 5000));
        QCOMPARE(f.shownWithTitle(u"Counting interrupted").size(), size_t(1));
    }

    // --- Words shown as they are found -----------------------------------------------------------
    void wordsAreShownAsFound_andTheListingReplacesThem() {
        WindowFixture f;
        frmMain& w = f.start();
        QByteArray text;
        for (int i = 0; i < 60000; ++i)
            text += "word" + QByteArray::number(i * 7919 % 100003, 36) + " again\r\n";
        ChooseInput(f, w, f.writeFile("many.txt", text));
        f.answer(u"Large input file", Answer::No);
        f.answer(u"The text box is full.", Answer::Ok);
        // What the box holds at the first turn of the event loop while the file is read.
        QString seenDuringCount;
        QTimer sample;
        sample.setInterval(1);
        connect(&sample, &QTimer::timeout, &w, [&] {
            if (seenDuringCount.isEmpty() && w.lblTotalNumOccurrences->text().startsWith("["))
                seenDuringCount = toQ(w.host().outputText());
        });
        sample.start();
        QTest::mouseClick(w.cmdListWords, Qt::LeftButton);
        sample.stop();
        QVERIFY2(seenDuringCount.startsWith("word"), qPrintable(seenDuringCount.left(80)));
        QVERIFY(seenDuringCount.contains(" again "));
        QVERIFY(Output(w).startsWith("   Rank    Freq  Word"));
    }

    // --- The re-read question after a real count
    // --------------------------------------------------
    void settingChangedAfterACount_declinedIsUndone() {
        WindowFixture f;
        frmMain& w = f.start();
        ChooseInput(f, w, f.writeFile("in.txt", "don't stop believing\r\n"));
        QTest::mouseClick(w.cmdListWords, Qt::LeftButton);
        QVERIFY(w.state().blnWordsGot);
        QTest::mouseClick(w.cmdSetParameters, Qt::LeftButton);
        frmParams& p = w.params();
        f.dialogs().answers.push_back(Answer::No);
        Click(p.chkAllowWordsWithApostrophes);
        QVERIFY(!p.chkAllowWordsWithApostrophes->isChecked());
        QVERIFY(w.state().blnWordsGot);
        f.dialogs().answers.push_back(Answer::Yes);
        Click(p.chkAllowWordsWithApostrophes);
        QVERIFY(p.chkAllowWordsWithApostrophes->isChecked());
        QVERIFY(!w.state().blnWordsGot);
        QCOMPARE(f.shownWithTitle(kProgramTitle).size(), size_t(2));
    }

    // --- The clipboard
    // ------------------------------------------------------------------------------
    void clipboardCount_listsItsWords() {
        WindowFixture f;
        frmMain& w = f.start();
        QApplication::clipboard()->setText("Words on the clipboard, words again.");
        Click(w.optOnClipboard);
        QTest::mouseClick(w.cmdListWords, Qt::LeftButton);
        QVERIFY2(Output(w).contains("  words\n"), qPrintable(Output(w)));
        QVERIFY(w.optOnClipboard->isChecked());
    }

    void clipboardWithTooMuchText_isRefusedAndTheSourceGoesBackToFile() {
        WindowFixture f;
        frmMain& w = f.start();
        QApplication::clipboard()->setText(QString(100001, 'a'));
        Click(w.optOnClipboard);
        QTest::mouseClick(w.cmdListWords, Qt::LeftButton);
        const auto shown = f.shownWithTitle(u"Too much clipboard text");
        QCOMPARE(shown.size(), size_t(1));
        QVERIFY(shown[0].text.find(u"There are 100,001 characters") != ustring::npos);
        QVERIFY(w.optInFile->isChecked());
        QCOMPARE(w.state().settings.Source, SourceKind::InFile);
    }

    void clipboardWithControlCharacters_isRefused() {
        WindowFixture f;
        frmMain& w = f.start();
        QApplication::clipboard()->setText(QString("binary") + QChar(27) + "junk");
        Click(w.optOnClipboard);
        QTest::mouseClick(w.cmdListWords, Qt::LeftButton);
        const auto shown = f.shownWithTitle(u"Invalid input");
        QCOMPARE(shown.size(), size_t(1));
        QCOMPARE(shown[0].text, ustring(u"The text on the clipboard does not consist\r\n"
                                        u"solely of natural language words."));
    }

    // --- A docx document -------------------------------------------------------------------------
    void docxCount_listsTheDocumentsWords() {
        WindowFixture f;
        frmMain& w = f.start();
        const QString path = f.scratchPath("letter.docx");
        qd::test::WriteDocx(path.toStdString(),
                            qd::test::DocumentXml("<w:p><w:r><w:t>Dear reader, dear friend</w:t>"
                                                  "</w:r></w:p><w:p><w:r><w:t>caf\xC3\xA9 reader"
                                                  "</w:t></w:r></w:p>"));
        ChooseInput(f, w, path);
        QVERIFY(w.chkUTF8->isChecked() || !w.state().settings.UTF8);
        QTest::mouseClick(w.cmdListWords, Qt::LeftButton);
        const QString out = Output(w);
        QVERIFY2(out.contains("  dear\n") && out.contains("  reader\n"), qPrintable(out));
        QVERIFY(out.contains(QString::fromUtf8("  caf\xC3\xA9\n")));
    }
};

} // namespace qd::gui::test

QTEST_MAIN(qd::gui::test::CountTest)
#include "CountTest.moc"
