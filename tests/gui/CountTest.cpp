// Counting through the real main window: listing again on a change of order or format, why
// words were left out (the tally's tooltip, "Show words left out"), the stop button and its
// question, closing during a count, the output file's questions and the empty file of a count
// that lists no word, words shown as they are found, and the clipboard as the source (with
// the notice of words the output file's code page cannot hold).

#include "GuiTestSupport.h"
#include "QtText.h"
#include "SettingsWindow.h"
#include "count/RunTexts.h"

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
    const char* words[] = {"alpha", "bravo", "charlie", "delta", "echo", "foxtrot", "golf"};
    for (int i = 0; i < lines; ++i)
        text += QByteArray(words[i % 7]) + " hotel india juliet kilo lima mike november oscar\r\n";
    return text;
}

// A count may now be over before the usual 15 ms between turns of the event loop: these tests
// act during one, so the loop turns at every reading of the clock.
void EventsWhileCounting(frmMain& w) {
    w.state().yield.setInterval(std::chrono::milliseconds(0));
}

} // namespace

class CountTest : public QObject {
    Q_OBJECT
private slots:
    void count_thenOrderAndFormatListAgainWithoutReading() {
        WindowFixture f;
        frmMain& w = f.start();
        const QString input = f.writeFile("in.txt", "pear pear pear apple apple fig\r\n");
        ChooseFile(f, w, 0, input);
        Click(w.cmdListWords);
        QVERIFY(Output(w).indexOf("pear") < Output(w).indexOf("apple"));
        QVERIFY(w.lblNumberOfWords->isVisible());
        const size_t asked = f.dialogs().shown.size();
        QFile::remove(input); // whatever is listed now comes from the table
        Pick(w.cboWordOrder, 1);
        QVERIFY(Output(w).indexOf("apple") < Output(w).indexOf("pear"));
        Pick(w.cboDisplayFormat, 8);
        QCOMPARE(Output(w), QString("Word (longest has 5 characters)\napple\nfig\npear\n\n"));
        QCOMPARE(f.dialogs().shown.size(), asked);
        // A cleared box forgets the count: a change of format lists nothing.
        w.Timer1_Timer();
        Click(w.cmdClearOutput);
        Pick(w.cboDisplayFormat, 0);
        QVERIFY(Output(w).isEmpty());
    }

    void wordsLeftOut_tooltipAndCommandTellHowTheyRelateToTheLabel() {
        WindowFixture f;
        frmMain& w = f.start();
        QVERIFY(!w.cmdShowIgnored->isEnabled());
        QCOMPARE(Caption(w.cmdShowIgnored), QString("Show words left out"));
        ChooseFile(f, w, 0, f.writeFile("in.txt", "apple apple pear of zzz zzz xiv\r\n"));
        Click(w.cmdListWords);
        // The label counts only the words ignored after the count; the command counts every
        // word left out, and the tooltip tells the two groups apart.
        QVERIFY(w.lblNumWordsExcluded->text().endsWith(" 1"));
        QCOMPARE(w.lblNumWordsExcluded->toolTip(),
                 QString("Ignored after the count (the number of words ignored): 1 word, "
                         "1 instance\n"
                         "  Roman numeral below 40: 1 word, 1 instance\n"
                         "Left out while counting (not in that number): 2 words, 3 instances\n"
                         "  repetition of one letter: 1 word, 2 instances\n"
                         "  too short: 1 word, 1 instance"));
        QVERIFY(w.cmdShowIgnored->isEnabled());
        QCOMPARE(Caption(w.cmdShowIgnored), QString("Show words left out (3)"));
        QCOMPARE(w.cmdShowIgnored->text(), QString("Show wo&rds left out (3)"));
        Click(w.cmdShowIgnored);
        QCOMPARE(Output(w), QString("   Freq  Word left out  Rule\n"
                                    "      2  zzz            repetition of one letter\n"
                                    "      1  of             too short\n"
                                    "      1  xiv            Roman numeral below 40\n"));
        // A change of order brings the listing back; the command then follows the new order.
        Pick(w.cboWordOrder, 1);
        QVERIFY(Output(w).startsWith("   Rank"));
        Click(w.cmdShowIgnored);
        QVERIFY(Output(w).indexOf("of ") < Output(w).indexOf("xiv"));
        QVERIFY(Output(w).indexOf("xiv") < Output(w).indexOf("zzz"));
        Pick(w.cboDisplayFormat, 8);
        QCOMPARE(Output(w), QString("Word (longest has 5 characters)\napple\npear\n\n"));

        // Nothing ignored after the count, words left out while counting: the label's 0 and
        // the command's number are told apart.
        ChooseFile(f, w, 0, f.writeFile("short.txt", "a b c a pear aaa\r\n"));
        Click(w.cmdListWords);
        QVERIFY(w.lblNumWordsExcluded->text().endsWith(" 0"));
        QCOMPARE(Caption(w.cmdShowIgnored), QString("Show words left out (4)"));
        QVERIFY(w.lblNumWordsExcluded->toolTip().startsWith(
            "Ignored after the count (the number of words ignored): 0 words, 0 instances\n"
            "Left out while counting (not in that number): 4 words, 5 instances\n"));

        // Nothing left out: both groups say so and the command lists nothing.
        ChooseFile(f, w, 0, f.writeFile("plain.txt", "apple pear apple\r\n"));
        Click(w.cmdListWords);
        QCOMPARE(w.lblNumWordsExcluded->toolTip(),
                 QString("Ignored after the count (the number of words ignored): 0 words, "
                         "0 instances\n"
                         "Left out while counting (not in that number): 0 words, 0 instances"));
        QCOMPARE(Caption(w.cmdShowIgnored), QString("Show words left out (0)"));
        Click(w.cmdShowIgnored);
        QCOMPARE(Output(w), QString("No words were left out."));
        // A cleared box forgets the count, and the command with it.
        w.Timer1_Timer();
        Click(w.cmdClearOutput);
        QVERIFY(!w.cmdShowIgnored->isEnabled());
        w.Timer1_Timer();
        QVERIFY(!w.cmdShowIgnored->isEnabled());
        QCOMPARE(Caption(w.cmdShowIgnored), QString("Show words left out"));
    }

    void stopButton_asksNoGoesOnYesStops_data() {
        QTest::addColumn<bool>("listFound");
        QTest::newRow("found words listed") << true;
        QTest::newRow("found words not listed") << false;
    }

    void stopButton_asksNoGoesOnYesStops() {
        QFETCH(bool, listFound);
        WindowFixture f;
        frmMain& w = f.start();
        ChooseFile(f, w, 0, f.writeFile("large.txt", LargeText(200000)));
        EventsWhileCounting(w);
        const ustring stop = RunText(w.state().texts, kTextStop);
        int stopQuestions = 0;
        f.answer(Question::LargeInput, Answer::No);
        f.answer(Question::Stop, [&](const ShownDialog&) {
            if (++stopQuestions > 1) return Answer::Yes;
            // Clicked again at the next turn of the event loop, and then answered yes.
            QTimer::singleShot(0, w.cmdListWords, [&] { Click(w.cmdListWords); });
            return Answer::No;
        });
        f.answer(Question::ListAfterStop, listFound ? Answer::Yes : Answer::No);
        bool runLooked = false; // while the count runs, only its button is for the person
        QTimer::singleShot(0, w.cmdListWords, [&] {
            runLooked = Caption(w.cmdListWords) == toQ(stop) && !w.cmdFile[0]->isEnabled() &&
                        !w.cmdSetParameters->isEnabled() && !w.cboDisplayFormat->isEnabled();
            Click(w.cmdListWords);
        });
        Click(w.cmdListWords);
        QVERIFY(runLooked);
        QCOMPARE(stopQuestions, 2);
        QCOMPARE(f.countAsked(Question::ListAfterStop), size_t(1));
        QCOMPARE(Output(w).contains("Rank"), listFound);
        QVERIFY(!w.state().session.wordsGot); // a stopped count is not kept for listing again
        QCOMPARE(Caption(w.cmdListWords), QString("Count words"));
        QVERIFY(w.cmdFile[0]->isEnabled() && w.cboDisplayFormat->isEnabled());
    }

    void closingTheWindowDuringACount_stopsItAndQuitsAfterwards() {
        WindowFixture f;
        frmMain& w = f.start();
        ChooseFile(f, w, 0, f.writeFile("large.txt", LargeText(200000)));
        EventsWhileCounting(w);
        f.answer(Question::LargeInput, Answer::No);
        f.answer(Question::ListAfterStop, Answer::No);
        QTimer::singleShot(0, &w, [&] { w.close(); });
        Click(w.cmdListWords);
        QVERIFY(WaitFor([&] { return !w.isVisible(); }, 5000));
        QCOMPARE(f.countAsked(Question::ListAfterStop), size_t(1));
    }

    void largeInputAnsweredYes_letsThePersonChooseTheOutputFile() {
        WindowFixture f;
        frmMain& w = f.start();
        ChooseFile(f, w, 0, f.writeFile("large.txt", LargeText(5000)));
        const QString output = f.scratchPath("list.txt");
        f.answer(Question::LargeInput, Answer::Yes);
        f.dialogs().fileAnswers.push_back(fromQ(output));
        Click(w.cmdListWords);
        QCOMPARE(w.txbFile[1]->text(), output);
        QVERIFY(w.chkDisableOutputToFile->isEnabled());
        QVERIFY(QFile(output).size() > 0);
    }

    void overwritePromptCancelled_ticksDisableAndListsToTheBoxOnly() {
        WindowFixture f;
        frmMain& w = f.start();
        ChooseFile(f, w, 0, f.writeFile("in.txt", "some words here\r\n"));
        const QString output = f.writeFile("out.txt", "old listing");
        ChooseFile(f, w, 1, output);
        Click(w.cmdSetParameters);
        Click(w.params().chkWarnOnOverwrite);
        f.dialogs().promptAnswers[Question::OverwriteOutput] = std::nullopt;
        Click(w.cmdListWords);
        QCOMPARE(f.countAsked(Question::OverwriteOutput), size_t(1));
        QVERIFY(w.chkDisableOutputToFile->isChecked());
        QVERIFY(Output(w).contains("  words\n"));
        // Only a complete new list replaces a file: the old one is left as it was.
        QCOMPARE(QFile(output).size(), qint64(sizeof "old listing" - 1));
    }

    void countListingNoWord_leavesAnEmptyOutputFile() {
        WindowFixture f;
        frmMain& w = f.start();
        ChooseFile(f, w, 0, f.writeFile("in.txt", "a I 12\r\n"));
        const QString output = f.writeFile("out.txt", "old listing");
        ChooseFile(f, w, 1, output);
        Click(w.cmdListWords);
        QCOMPARE(Output(w), QString("No words satisfying the conditions were found.\n"));
        QVERIFY(QFile::exists(output));
        QCOMPARE(QFile(output).size(), qint64(0));
    }

    void wordsAreShownAsFound_unlessSuppressed() {
        WindowFixture f;
        frmMain& w = f.start();
        QByteArray text;
        for (int i = 0; i < 60000; ++i)
            text += "word" + QByteArray::number(i * 7919 % 100003, 36) + " again\r\n";
        ChooseFile(f, w, 0, f.writeFile("many.txt", text));
        EventsWhileCounting(w);
        f.answer(Question::LargeInput, Answer::No);
        for (bool suppressed : {false, true}) {
            // What the box holds at a turn of the event loop while the file is read.
            // The counts of the previous listing never show while the next file is read.
            std::optional<QString> seen;
            bool staleCount = false;
            QTimer sample;
            sample.setInterval(0);
            connect(&sample, &QTimer::timeout, &w, [&] {
                if (!w.lblTotalNumOccurrences->text().startsWith("[")) return;
                if (!seen) seen = toQ(w.host().outputText());
                staleCount |= w.lblNumberOfWords->isVisible() &&
                              w.lblNumberOfWords->text().contains("in this list");
            });
            sample.start();
            Click(w.cmdListWords);
            QVERIFY(seen && !staleCount);
            QCOMPARE(seen->contains(" again "), !suppressed);
            QVERIFY(Output(w).startsWith("   Rank"));
            Click(w.chkSuppressWords);
        }
    }

    void clipboard_showsItsSizeAndCounts_tooMuchGoesBackToTheFile() {
        WindowFixture f;
        frmMain& w = f.start();
        QApplication::clipboard()->setText(
            QString("Words on the clipboard, words again. ").repeated(40));
        Click(w.optOnClipboard);
        QCOMPARE(w.lblSizeOfClipboardContents->text(),
                 QString("Contents of clipboard: 1,480 bytes"));
        Click(w.cmdListWords);
        QVERIFY2(Output(w).contains("  words\n"), qPrintable(Output(w)));
        QVERIFY(w.optOnClipboard->isChecked());
        QApplication::clipboard()->setText(QString(100001, 'a'));
        Click(w.cmdListWords);
        QCOMPARE(f.countShown(u"Too much clipboard text"), size_t(1));
        QVERIFY(w.optInFile->isChecked());
        QVERIFY(w.lblSizeOfClipboardContents->text().isEmpty());
    }

    void clipboardWordsWindows1252Lacks_areToldOfOnceTheOutputFileIsWritten() {
        WindowFixture f;
        frmMain& w = f.start();
        const QString output = f.scratchPath("out.txt");
        ChooseFile(f, w, 1, output);
        QApplication::clipboard()->setText(
            QString::fromUtf8("Łódź and Kraków, then Gdańsk; and łódź again."));
        Click(w.optOnClipboard);
        Click(w.cmdListWords);
        QCOMPARE(f.countShown(u"Output file"), size_t(1));
        const ShownDialog& notice = f.dialogs().shown.back();
        QCOMPARE(notice.icon, MsgIcon::Information);
        QCOMPARE(toQ(notice.text),
                 QString::fromUtf8("2 words in the output file\r\n%1\r\nhold characters that "
                                   "Windows-1252 lacks, written as \"?\" (the first is "
                                   "\"łódź\").\r\nThe UTF-8 output encoding keeps them.")
                     .arg(output));
        QFile file(output);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("  ?\xF3"
                                        "d?\r\n"));
        file.close();
        QVERIFY(Output(w).contains(QString::fromUtf8("łódź")));

        // In UTF-8 the file keeps them: listing again tells of nothing.
        Click(w.cmdSetParameters);
        Pick(w.params().cboOutputEncoding, int(FileEncoding::Utf8));
        Pick(w.cboDisplayFormat, 8);
        QCOMPARE(f.countShown(u"Output file"), size_t(1));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(file.readAll()).contains(QString::fromUtf8("\r\nłódź\r\n")));
    }
};

} // namespace qd::gui::test

QTEST_MAIN(qd::gui::test::CountTest)
#include "CountTest.moc"
