#include "RunState.h"
#include "input/DocxText.h"
#include "input/ProgressBar.h"
#include "support/ScriptedHost.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

class DocxRunsTest : public ::testing::Test {
protected:
    // The joined text of the runs of xml.
    std::string text(std::string_view xml, size_t start = 0) {
        int32_t size = int32_t(xml.size());
        const int32_t count = ExtractDocxRuns(run, xml, start, runs, size);
        EXPECT_EQ(count, int32_t(runs.size()));
        ustring joined;
        for (const ustring& r : runs)
            joined += r;
        EXPECT_EQ(size, int32_t(joined.size()));
        return ToUtf8(joined);
    }

    test::ScriptedHost host;
    RunState run{host};
    std::vector<ustring> runs;
};

// ---- Runs, paragraphs and breaks ------------------------------------------------------------

TEST_F(DocxRunsTest, RunsOfOneParagraphJoinWithoutSpace) {
    EXPECT_EQ(text("<w:p><w:r><w:t>Hel</w:t></w:r><w:r><w:t>lo</w:t></w:r></w:p>"
                   "<w:p><w:r><w:t>world</w:t></w:r></w:p>"),
              "Hello world");
    EXPECT_EQ(runs.size(), 3u);
}

TEST_F(DocxRunsTest, LineBreakOrParagraphEndSeparatesWords) {
    EXPECT_EQ(text("<w:t>one</w:t><w:br/><w:t>two</w:t></w:p><w:t>three</w:t>"), "one two three");
    // After the last run nothing is appended, whatever follows.
    EXPECT_EQ(text("<w:t>last</w:t></w:p><w:br/>"), "last");
}

TEST_F(DocxRunsTest, OpeningTagAttributesAreDropped) {
    EXPECT_EQ(text("<w:t xml:space=\"preserve\"> two words </w:t>"), " two words ");
}

TEST_F(DocxRunsTest, BlankRunsBecomeOneSpace) {
    EXPECT_EQ(text("<w:t>a</w:t><w:t xml:space=\"preserve\">     </w:t><w:t>b</w:t>"), "a b");
    EXPECT_EQ(text("<w:t>a</w:t><w:t></w:t><w:t>b</w:t>"), "a b");
}

TEST_F(DocxRunsTest, OtherElementsStartingLikeTextAreSkipped) {
    EXPECT_EQ(text("<w:tbl><w:tr><w:tc><w:p><w:r><w:tab/><w:t>cell</w:t></w:r></w:p></w:tc>"
                   "</w:tr></w:tbl><w:t/><w:t>end</w:t>"),
              "cell end");
}

TEST_F(DocxRunsTest, UnfinishedOrMisorderedElementsEndTheExtraction) {
    EXPECT_EQ(text("<w:t>open but never closed"), "");
    EXPECT_EQ(text("</w:t><w:t>after a stray end</w:t>"), "");
    EXPECT_EQ(text("<w:t>fine</w:t><w:t>cut"), "fine");
    EXPECT_EQ(text(""), "");
}

TEST_F(DocxRunsTest, StartOffsetSkipsEarlierRuns) {
    const std::string xml = "<w:t>first</w:t><w:t>second</w:t>";
    EXPECT_EQ(text(xml, xml.find("<w:t>second")), "second");
    EXPECT_EQ(text(xml, xml.size()), "");
}

// ---- Entities and encodings -----------------------------------------------------------------

TEST_F(DocxRunsTest, OnlyThreeEntitiesAreDecodedInOrder) {
    EXPECT_EQ(text("<w:t>a &amp; b &lt;c&gt;</w:t>"), "a & b <c>");
    EXPECT_EQ(text("<w:t>&amp;lt;</w:t>"), "<");
    EXPECT_EQ(text("<w:t>&quot;x&quot; &apos;y&apos; &#233;</w:t>"),
              "&quot;x&quot; &apos;y&apos; &#233;");
}

TEST_F(DocxRunsTest, Utf8PairsAndTypographicPunctuationAreDecoded) {
    EXPECT_EQ(text("<w:t>caf\xC3\xA9 na\xC3\xAFve</w:t>"), "caf\xC3\xA9 na\xC3\xAFve");
    EXPECT_EQ(text("<w:t>don\xE2\x80\x99t \xE2\x80\x9Cquote\xE2\x80\x9D</w:t>"), "don't \"quote\"");
    EXPECT_EQ(text("<w:t>a\xE2\x80\x94z</w:t>"), "a -- z");
    // Characters beyond U+00FF stay as their bytes, one character each.
    EXPECT_EQ(runs.size(), 1u);
    EXPECT_EQ(text("<w:t>\xE2\x82\xAC</w:t>"), "\xC3\xA2\xE2\x80\x9A\xC2\xAC");
}

// ---- Feedback while extracting --------------------------------------------------------------

std::string ManyRuns(int n) {
    std::string xml;
    for (int i = 1; i <= n; ++i)
        xml += "<w:t>r" + std::to_string(i) + "</w:t>";
    return xml;
}

TEST_F(DocxRunsTest, BigDocumentsEchoEveryTwentiethRun) {
    const std::string xml = ManyRuns(45);
    int32_t size = 1024001;
    ExtractDocxRuns(run, xml, 0, runs, size);
    EXPECT_EQ(host.outputUtf8(), "r20\r\nr40\r\n");

    host.output.clear();
    const std::string more = ManyRuns(420);
    size = 2000000;
    ExtractDocxRuns(run, more, 0, runs, size);
    EXPECT_EQ(host.outputUtf8(), "r400\r\nr420\r\n"); // emptied at the 400th

    host.output.clear();
    size = 1024000;
    ExtractDocxRuns(run, more, 0, runs, size);
    EXPECT_EQ(host.outputUtf8(), "");
}

TEST_F(DocxRunsTest, LongXmlDrawsTheProgressBar) {
    int32_t size = 0;
    ExtractDocxRuns(run, ManyRuns(3), 0, runs, size);
    EXPECT_EQ(host.labels.count(LabelId::TotalNumOccurrences), 0u);

    const std::string xml = std::string(1000000, ' ') + "<w:t>a</w:t><w:t>b</w:t>";
    ExtractDocxRuns(run, xml, 0, runs, size);
    // The bar shows where the search for the last run began: almost at the end.
    EXPECT_EQ(ToUtf8(host.labels[LabelId::TotalNumOccurrences]), "[" + std::string(36, '-') + ">]");
}

TEST_F(DocxRunsTest, YieldsOncePerRun) {
    run.yield.setEveryCall(true);
    int32_t size = 0;
    ExtractDocxRuns(run, "<w:t>a</w:t><w:tab/><w:t>b</w:t><w:t>c</w:t>", 0, runs, size);
    EXPECT_EQ(host.processEventsCalls, 3);
}

// ---- Progress bar ---------------------------------------------------------------------------

TEST(ProgressBar, CaptionsAcrossTheRange) {
    EXPECT_EQ(ToUtf8(ProgressBarCaption(0, 5)), "[>     ]");
    EXPECT_EQ(ToUtf8(ProgressBarCaption(1, 5)), "[>    ]");
    EXPECT_EQ(ToUtf8(ProgressBarCaption(3, 5)), "[-->  ]");
    EXPECT_EQ(ToUtf8(ProgressBarCaption(5, 5)), "[---->]");
    EXPECT_EQ(ToUtf8(ProgressBarCaption(7, 5)), "[------>]");
}

TEST(ProgressBar, PositionRoundsHalvesToEven) {
    EXPECT_EQ(ProgressBarPosition(37, 1, 74), 0); // 0.5
    EXPECT_EQ(ProgressBarPosition(37, 3, 74), 2); // 1.5
    EXPECT_EQ(ProgressBarPosition(37, 5, 74), 2); // 2.5
    EXPECT_EQ(ProgressBarPosition(37, 74, 74), 37);
    EXPECT_EQ(ProgressBarPosition(37, 5, 0), 0);
}

} // namespace
} // namespace qd
