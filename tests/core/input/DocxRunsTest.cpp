#include "count/DocxText.h"
#include "count/RunState.h"
#include "count/RunStatus.h"
#include "sources/ProgressBar.h"
#include "support/ScriptedHost.h"
#include "text/Folders.h"

#include <gtest/gtest.h>

#include <random>

namespace qd {
namespace {

class DocxRunsTest : public ::testing::Test {
protected:
    // The joined text of the runs of xml; the size given back must be the joined length.
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
    RunState run{host, DefaultEnvironment()};
    std::vector<ustring> runs;
};

// --- The bounds of the text runs ---

TEST_F(DocxRunsTest, UnfinishedOrMisorderedElementsEndTheExtraction) {
    EXPECT_EQ(text("<w:t>open but never closed"), "");
    EXPECT_EQ(text("</w:t><w:t>after a stray end</w:t>"), "");
    EXPECT_EQ(text("<w:t>fine</w:t><w:t>cut"), "fine");
    const std::string xml = "<w:t>first</w:t><w:t>second</w:t>";
    EXPECT_EQ(text(xml, xml.find("<w:t>second")), "second");
    EXPECT_EQ(text(xml, xml.size()), "");
}

// --- What separates the words of two runs ---

TEST_F(DocxRunsTest, SpaceElementsAndParagraphEndsSeparateRunsAndNothingElseDoes) {
    const std::string bold = "<w:r><w:rPr><w:b/></w:rPr><w:t>bold</w:t></w:r>";
    EXPECT_EQ(text(bold + "<w:r><w:tab/><w:t>tabbed</w:t></w:r>"), "bold tabbed");
    EXPECT_EQ(text(bold + "<w:r><w:cr/><w:t>next</w:t></w:r>"), "bold next");
    EXPECT_EQ(text(bold + "<w:r><w:br w:type=\"page\"/><w:t>page</w:t></w:r>"), "bold page");
    EXPECT_EQ(text("<w:t>end</w:t><w:tab/></w:r><w:r><w:t>of run</w:t>"), "end of run");
    // A tab before the break: the break still counts, once.
    EXPECT_EQ(text("<w:t>a</w:t><w:tab/><w:br/><w:t>b</w:t>"), "a b");
    EXPECT_EQ(text("<w:t>para</w:t></w:r></w:p><w:p><w:r><w:t>graph</w:t>"), "para graph");
    // Formatting, bookmarks and proofing marks keep a split word whole; so do elements whose
    // names merely begin like a space element.
    EXPECT_EQ(text(bold + "<w:proofErr w:type=\"spellStart\"/><w:bookmarkStart w:id=\"0\"/>"
                          "<w:r><w:rPr><w:i/></w:rPr><w:t>face</w:t></w:r>"),
              "boldface");
    EXPECT_EQ(text("<w:t>in</w:t><w:tabs/><w:brk/><w:crx/><w:t>one</w:t>"), "inone");
    // Nothing is added after the last run.
    EXPECT_EQ(text("<w:t>last</w:t><w:tab/><w:br/></w:p>"), "last");
}

// --- Random markup: runs are never empty and the size is always their joined length ---

TEST_F(DocxRunsTest, MarkupSoupExtractsConsistently) {
    const std::string_view pieces[] = {
        "<w:t>", "<w:t ", ">",    "</w:t>", "<w:br/>", "<w:tab/>", "<w:cr/>", "</w:p>",
        "&amp;", "&lt;",  "&gt;", "\xC3",   "\xC2",    "\xE2\x80", "word",    " "};
    std::mt19937 rng(20240611);
    for (int round = 0; round < 500; ++round) {
        std::string xml;
        for (int i = int(rng() % 40); i > 0; --i)
            xml += pieces[rng() % std::size(pieces)];
        text(xml, rng() % (xml.size() + 1));
        for (const ustring& r : runs)
            EXPECT_FALSE(r.empty()) << xml;
    }
}

// --- Progress bar ---

TEST(ProgressBar, PositionRoundsHalvesToEvenAndCaptionsOvershoot) {
    EXPECT_EQ(ProgressBarPosition(37, 1, 74), 0); // 0.5
    EXPECT_EQ(ProgressBarPosition(37, 3, 74), 2); // 1.5
    EXPECT_EQ(ProgressBarPosition(37, 5, 74), 2); // 2.5
    EXPECT_EQ(ProgressBarPosition(37, 74, 74), 37);
    EXPECT_EQ(ProgressBarPosition(37, 5, 0), 0);
    EXPECT_EQ(ToUtf8(ProgressBarCaption(0, 5)), "[>     ]");
    EXPECT_EQ(ToUtf8(ProgressBarCaption(3, 5)), "[-->  ]");
    EXPECT_EQ(ToUtf8(ProgressBarCaption(7, 5)), "[------>]");
}

class BarHost : public test::ScriptedHost {
public:
    std::vector<ustring> drawn;
    void setLabel(LabelId label, ustring_view caption) override {
        ScriptedHost::setLabel(label, caption);
        if (label == LabelId::TotalNumOccurrences) drawn.emplace_back(caption);
    }
};

TEST(FileProgressBar, DrawsEveryChangeOfPositionAndNothingElse) {
    for (int64_t total : {1, 36, 37, 74, 1000, 10241, 123457}) {
        BarHost host;
        FileProgressBar bar(host, total);
        std::vector<ustring> expected;
        int last = -1;
        for (int64_t done = 0; done <= total + 10; done += 1 + total / 5000) {
            bar.update(done);
            const int p = ProgressBarPosition(kProgressBarWidth, done, total);
            if (p != last) expected.push_back(ProgressBarCaption(p, kProgressBarWidth));
            last = p;
        }
        EXPECT_EQ(host.drawn, expected) << "total " << total;
    }
}

} // namespace
} // namespace qd
