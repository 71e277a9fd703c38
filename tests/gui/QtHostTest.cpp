// The desktop host as the core sees it: the output box's text and length, words appended in
// batches, the caret, the status labels, and the scripted dialogs.

#include "Fonts.h"
#include "GuiTestSupport.h"
#include "QtText.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

namespace qd::gui::test {

class QtHostTest : public QObject {
    Q_OBJECT
private slots:
    // --- The output box -----------------------------------------------------------------------
    void outputText_keepsCrLfAndCountsItAsTwo() {
        WindowFixture f;
        frmMain& w = f.start();
        QtHost& host = w.host();
        host.setOutputText(u"one\r\ntwo");
        QCOMPARE(host.outputLength(), size_t(8));
        host.appendOutputText(u"\r\nthree");
        QCOMPARE(host.outputLength(), size_t(15));
        QCOMPARE(host.outputText(), ustring(u"one\r\ntwo\r\nthree"));
        QCOMPARE(w.txbOutput->toPlainText(), QString("one\ntwo\nthree"));
    }

    void appendedWords_reachTheBoxWhenTheProgramYields() {
        WindowFixture f;
        frmMain& w = f.start();
        QtHost& host = w.host();
        host.setOutputText(u"");
        for (const char16_t* word : {u"alpha ", u"beta ", u"gamma "})
            host.appendOutputText(word);
        QCOMPARE(host.outputLength(), size_t(17));
        host.processEvents();
        QCOMPARE(w.txbOutput->toPlainText(), QString("alpha beta gamma "));
    }

    void appendedWords_areShownEvenWithoutAYield() {
        WindowFixture f;
        frmMain& w = f.start();
        w.host().setOutputText(u"");
        w.host().appendOutputText(u"late");
        QTest::qWait(10); // back in the event loop
        QCOMPARE(w.txbOutput->toPlainText(), QString("late"));
    }

    void caretAtEnd_scrollsToTheNewestWords() {
        WindowFixture f;
        frmMain& w = f.start();
        QtHost& host = w.host();
        host.setOutputText(u"");
        for (int i = 0; i < 400; ++i) {
            host.appendOutputText(u"line\r\n");
            host.setOutputCaret(true);
        }
        host.processEvents();
        QCOMPARE(w.txbOutput->textCursor().position(),
                 w.txbOutput->document()->characterCount() - 1);
        QVERIFY(w.txbOutput->verticalScrollBar()->value() > 0);
        QVERIFY(w.txbOutput->viewport()->rect().intersects(w.txbOutput->cursorRect()));
        host.setOutputCaret(false);
        QCOMPARE(w.txbOutput->textCursor().position(), 0);
    }

    void typedText_isMeasuredAgain() {
        WindowFixture f;
        frmMain& w = f.start();
        w.host().setOutputText(u"");
        w.txbOutput->setFocus();
        QTest::keyClicks(w.txbOutput, "typed");
        QCOMPARE(w.host().outputLength(), size_t(5));
        QCOMPARE(w.host().outputText(), ustring(u"typed"));
    }

    // --- Labels
    // -----------------------------------------------------------------------------------
    void twirlerCharacters_becomeArrows() {
        WindowFixture f;
        frmMain& w = f.start();
        w.host().setLabel(LabelId::Twirler, ustring(1, char16_t(172)));
        QCOMPARE(w.lblTwirler->text(), QString(QChar(0x2190)));
        w.host().setLabel(LabelId::Twirler, ustring(1, char16_t(175)));
        QCOMPARE(w.lblTwirler->text(), QString(QChar(0x2193)));
    }

    void progressBar_isBoldFixedPitchAndLeftAligned() {
        WindowFixture f;
        frmMain& w = f.start();
        w.SetTotalNumOccurrencesForFileProgressBar();
        QLabel* bar = w.lblTotalNumOccurrences;
        QVERIFY(bar->isVisible());
        QVERIFY(bar->font().bold());
        QVERIFY(QFontInfo(bar->font()).fixedPitch());
        QVERIFY(bar->alignment() & Qt::AlignLeft);
        QCOMPARE(bar->text(), "[" + QString(37, ' ') + "]");
        w.ResetTotalNumOccurrencesLabel();
        QVERIFY(!bar->font().bold());
        QVERIFY(bar->alignment() & Qt::AlignRight);
        QVERIFY(bar->text().isEmpty());
    }

    void concealNumWords_hidesTheCountsAndOnRequestTheTime() {
        WindowFixture f;
        frmMain& w = f.start();
        for (LabelId id : {LabelId::NumberOfWords, LabelId::NumWordsExcluded,
                           LabelId::NumOccurrences, LabelId::TotalNumOccurrences})
            w.host().setLabelVisible(id, true);
        w.host().setLabel(LabelId::TimeElapsed, u"Time elapsed: 5s");
        w.ConcealNumWords();
        QVERIFY(!w.lblNumberOfWords->isVisible() && !w.lblTotalNumOccurrences->isVisible());
        QCOMPARE(w.lblTimeElapsed->text(), QString("Time elapsed: 5s"));
        w.ConcealNumWords(true);
        QVERIFY(w.lblTimeElapsed->text().isEmpty());
    }

    // --- Scripted dialogs
    // ---------------------------------------------------------------------------
    void scriptedDialogs_answerInOrderAndRecordWhatWasAsked() {
        WindowFixture f;
        frmMain& w = f.start();
        f.dialogs().answers = {Answer::No};
        f.dialogs().promptAnswers = {std::nullopt};
        QCOMPARE(w.host().message(u"Go on?", u"Question", MsgIcon::Question, MsgButtons::YesNo,
                                  Answer::Yes),
                 Answer::No);
        QCOMPARE(w.host().prompt(u"Name?", u"Prompt", u"default"), std::optional<ustring>());
        // Nothing queued: the default button and the default value.
        QCOMPARE(w.host().message(u"Again?", u"Question", MsgIcon::Question,
                                  MsgButtons::YesNoCancel, Answer::Cancel),
                 Answer::Cancel);
        QCOMPARE(w.host().prompt(u"Name?", u"Prompt", u"default"),
                 std::optional<ustring>(u"default"));
        QCOMPARE(f.dialogs().shown.size(), size_t(4));
        QCOMPARE(f.dialogs().unscriptedCount(), 2);
        QCOMPARE(f.dialogs().shown[0].icon, MsgIcon::Question);
        QCOMPARE(f.dialogs().shown[1].kind, DialogKind::Prompt);
    }

    void defaultNotAmongTheButtons_isTheFirstButton() {
        WindowFixture f;
        frmMain& w = f.start();
        QCOMPARE(w.host().message(u"?", u"t", MsgIcon::None, MsgButtons::YesNo, Answer::Ok),
                 Answer::Yes);
    }
};

} // namespace qd::gui::test

QTEST_MAIN(qd::gui::test::QtHostTest)
#include "QtHostTest.moc"
