#include "input/RunStatus.h"
#include "RunState.h"
#include "input/ProgressBar.h"
#include "support/ScriptedHost.h"

#include <gtest/gtest.h>

#include <vector>

namespace qd {
namespace {

class BarHost : public test::ScriptedHost {
public:
    std::vector<ustring> drawn;
    void setLabel(LabelId label, ustring_view caption) override {
        ScriptedHost::setLabel(label, caption);
        if (label == LabelId::TotalNumOccurrences) drawn.emplace_back(caption);
    }
};

// --- The file progress bar

TEST(FileProgressBar, DrawsEveryChangeOfPositionAndNothingElse) {
    for (int64_t total : {1, 36, 37, 74, 1000, 10241, 123457}) {
        BarHost host;
        FileProgressBar bar(host, total);
        std::vector<ustring> expected;
        int last = -1;
        for (int64_t done = 0; done <= total; done += 1 + total / 5000) {
            bar.update(done);
            const int p = ProgressBarPosition(kProgressBarWidth, done, total);
            if (p != last) expected.push_back(ProgressBarCaption(p, kProgressBarWidth));
            last = p;
        }
        EXPECT_EQ(host.drawn, expected) << "total " << total;
    }
}

TEST(FileProgressBar, AnOvershootDrawsPastTheEnd) {
    BarHost host;
    FileProgressBar bar(host, 100);
    bar.update(100);
    bar.update(110);
    ASSERT_EQ(host.drawn.size(), 2u);
    EXPECT_EQ(host.drawn.back(), u"[" + ustring(40, u'-') + u">]");
}

TEST(ProgressBarLabel, PreparedEmptyAndResetAfter) {
    BarHost host;
    SetTotalNumOccurrencesForFileProgressBar(host);
    EXPECT_EQ(host.labelStyle[LabelId::TotalNumOccurrences], LabelStyle::ProgressBar);
    EXPECT_EQ(host.labels[LabelId::TotalNumOccurrences], u"[" + ustring(37, u' ') + u"]");
    ResetTotalNumOccurrencesLabel(host);
    EXPECT_EQ(host.labelStyle[LabelId::TotalNumOccurrences], LabelStyle::RightAligned);
    EXPECT_EQ(host.labels[LabelId::TotalNumOccurrences], u"");
}

// --- The count labels and the clear command

TEST(RunStatus, ConcealNumWordsHidesTheFourCountLabels) {
    test::ScriptedHost host;
    host.labels[LabelId::TimeElapsed] = u"Time elapsed: 3s";
    ConcealNumWords(host);
    for (LabelId l : {LabelId::NumberOfWords, LabelId::NumWordsExcluded, LabelId::NumOccurrences,
                      LabelId::TotalNumOccurrences})
        EXPECT_FALSE(host.labelVisible[l]);
    EXPECT_EQ(host.labels[LabelId::TimeElapsed], u"Time elapsed: 3s");
    ConcealNumWords(host, true);
    EXPECT_EQ(host.labels[LabelId::TimeElapsed], u"");
}

TEST(RunStatus, ClearOutputForgetsTheCountOnlyWhenIdle) {
    test::ScriptedHost host;
    RunState run(host);
    host.output = u"listing";
    run.blnWordsGot = true;
    SetCountButtonCaption(run, u"Stop");
    ASSERT_TRUE(CountIsRunning(run));
    cmdClearOutput_Click(run);
    EXPECT_EQ(host.output, u"");
    EXPECT_TRUE(run.blnWordsGot);
    SetCountButtonCaption(run, u"Count words");
    cmdClearOutput_Click(run);
    EXPECT_FALSE(run.blnWordsGot);
}

} // namespace
} // namespace qd
