#include "scan/CommentMarkers.h"

#include "ScanTestUtil.h"

#include <gtest/gtest.h>

using namespace qd;
using namespace qd::test;

// --- Comments across lines and counts ---

TEST_F(ScanTest, OpenCommentOfAPairNoLongerInForceIsDropped) {
    SetCommentMarkers(run, u"C");
    run.intWithinComment = 42;
    CountEveryWord();
    Scan("still counted");
    EXPECT_EQ(Words(), (Strings{"counted", "still"}));
}

TEST_F(ScanTest, EndMarkerMayOverlapTheStartMarker) {
    SetCommentMarkers(run, u"PHP");
    run.strLine = u"<?php echo ";
    run.lngLP = 0;
    run.intWithinComment = 4;
    SkipComment(run);
    EXPECT_EQ(run.lngLP, 5u);
    EXPECT_EQ(run.intWithinComment, -1);
}

// --- Double hyphens ---

TEST(BlankDoubleHyphens, BlanksInMidLineButNotAtTheStartOrInCommentMarkup) {
    const std::pair<ustring_view, ustring_view> cases[] = {{u"see a--b", u"see a  b"},
                                                           {u"x----y", u"x--  y"},
                                                           {u"a--b", u"a--b"},
                                                           {u"--ab", u"--ab"},
                                                           {u"x <!-- y --> z", u"x <!-- y --> z"}};
    for (const auto& [in, out] : cases)
        EXPECT_EQ(BlankDoubleHyphens(in), out) << ToUtf8(in);
    const ustring out = BlankDoubleHyphens(ustring(1 << 20, u'-'));
    EXPECT_EQ(out.substr(0, 2), u"--");
    EXPECT_EQ(out.find(u'-', 2), ustring::npos);
}
