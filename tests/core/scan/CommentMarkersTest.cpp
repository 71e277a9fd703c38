#include "scan/CommentMarkers.h"

#include "ScanTestUtil.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace qd;
using qd::test::ScanTest;

using Strings = std::vector<std::string>;

namespace {

class CommentTest : public ScanTest {
protected:
    // A file of the given extension: its preset, and every ignore rule off.
    void OpenFile(ustring_view extension) {
        CountEveryWord();
        ASSERT_TRUE(SelectCommentPreset(run, extension));
        run.intWithinComment = -1;
    }
};

} // namespace

// --- Presets ---

TEST_F(CommentTest, presetsLoadTheirPairsInOrder) {
    SetCommentMarkers(run, u"PHP");
    EXPECT_EQ(run.intNumCommentMarkers, 8);
    EXPECT_EQ(run.StartMarkers[4], u"<?php");
    EXPECT_EQ(run.EndMarkers[4], u"php");
    EXPECT_EQ(run.EndMarkers[7], u"");
    SetCommentMarkers(run, u"C");
    EXPECT_EQ(run.intNumCommentMarkers, 2);
    EXPECT_EQ(run.StartMarkers[0], u"/*");
    EXPECT_EQ(run.StartMarkers[2], u"<style"); // beyond the count, left as it was
    SetCommentMarkers(run, u"None");
    EXPECT_EQ(run.intNumCommentMarkers, 0);
    EXPECT_EQ(run.StartMarkers[0], u"");
    EXPECT_EQ(run.EndMarkers[1], u"");
    SetCommentMarkers(run, u"XML");
    EXPECT_EQ(run.intNumCommentMarkers, 3);
    EXPECT_EQ(run.StartMarkers[0], u"<?xml");
    SetCommentMarkers(run, u"Anything");
    EXPECT_EQ(run.intNumCommentMarkers, 0);
}

TEST_F(CommentTest, userDefinedPresetCopiesTheSettings) {
    run.settings.StartComment = {u"#", u"{"};
    run.settings.EndComment = {u"", u"}"};
    SetCommentMarkers(run, u"User-defined");
    EXPECT_EQ(run.intNumCommentMarkers, 2);
    EXPECT_EQ(run.StartMarkers[1], u"{");
    EXPECT_EQ(run.EndMarkers[1], u"}");
}

TEST_F(CommentTest, extensionChoosesThePreset) {
    const struct {
        const char16_t* extension;
        int pairs;
        bool entities;
    } cases[] = {{u"php", 8, true},   {u"xml", 3, false}, {u"htm", 5, true}, {u"html", 5, true},
                 {u"shtml", 5, true}, {u"cpp", 2, false}, {u"c", 2, false},  {u"txt", 0, false},
                 {u"HTML", 0, false}, {u"", 0, false}};
    for (const auto& c : cases) {
        run.blnCharacterEntitiesPossible = !c.entities;
        EXPECT_TRUE(SelectCommentPreset(run, c.extension));
        EXPECT_EQ(run.intNumCommentMarkers, c.pairs) << ToUtf8(c.extension);
        EXPECT_EQ(run.blnCharacterEntitiesPossible, c.entities) << ToUtf8(c.extension);
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(CommentTest, otherFilesGetTheUserPairsWhenAllowed) {
    run.settings.AllowCommentMarkers = true;
    run.settings.StartComment = {u"#", u""};
    run.settings.EndComment = {u"", u""};
    EXPECT_TRUE(SelectCommentPreset(run, u"txt"));
    EXPECT_EQ(run.intNumCommentMarkers, 2);
    EXPECT_EQ(run.StartMarkers[0], u"#");
}

TEST_F(CommentTest, failedCheckKeepsTheMarkersInForce) {
    SetCommentMarkers(run, u"C");
    run.settings.AllowCommentMarkers = true;
    run.settings.StartComment = {u"", u""};
    EXPECT_FALSE(SelectCommentPreset(run, u"txt"));
    EXPECT_EQ(run.intNumCommentMarkers, 2);
    EXPECT_EQ(run.StartMarkers[0], u"/*");
    EXPECT_EQ(host.messages.size(), 1u);
}

// --- Checking the user-defined pairs ---

TEST_F(CommentTest, bothStartMarkersEmptyIsRejected) {
    run.settings.StartComment = {u"", u""};
    EXPECT_FALSE(ValidateCommentMarkers(run));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.lastMessage(), "If comment markers are allowed then at least one\r\n"
                                  "start-comment marker must be non-empty.\r\n\r\n"
                                  "Check the comment markers in the 'Settings' window\r\n"
                                  "and perhaps disallow comment markers.");
    EXPECT_EQ(host.messages[0].title, u"Error");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
}

TEST_F(CommentTest, endMarkerWithoutStartMarkerIsRejected) {
    run.settings.StartComment = {u"#", u""};
    run.settings.EndComment = {u"", u"*/"};
    EXPECT_FALSE(ValidateCommentMarkers(run));
    EXPECT_EQ(host.lastMessage(), "Cannot have an empty start-comment marker\r\n"
                                  "with a non-empty end-comment marker.\r\n\r\n"
                                  "Check the comment markers in the 'Settings' window\r\n"
                                  "and perhaps disallow comment markers.");
}

TEST_F(CommentTest, equalMarkersAreRejected) {
    run.settings.StartComment = {u"/*", u"%"};
    run.settings.EndComment = {u"*/", u"%"};
    EXPECT_FALSE(ValidateCommentMarkers(run));
    EXPECT_EQ(host.lastMessage(), "Start-comment and end-comment markers must be different.\r\n"
                                  "\r\nCheck the comment markers in the 'Settings' window.");
}

TEST_F(CommentTest, defaultMarkersPass) {
    EXPECT_TRUE(ValidateCommentMarkers(run));
    EXPECT_TRUE(CommentMarkersOK(run));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(CommentTest, startMarkerThatCouldBePartOfAWordIsRejected) {
    test::TempDir dir;
    ASSERT_GT(run.texts.Load(dir.write("dvn.dat", "[en]\n34=<34>\n")), 0);
    run.settings.AllowWordsWithForwardslashes = true;
    EXPECT_FALSE(CommentMarkersOK(run));
    EXPECT_EQ(run.CurrentExtraChars, u"-/"); // rebuilt by the check
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.lastMessage(),
              "With the current settings the start-comment marker\r\n\"//\" could be part of "
              "a word.\r\n\r\nCheck the start-comment markers in the 'Settings' window and\r\n"
              "perhaps disallow comment markers or restrict allowable words.");
    EXPECT_EQ(host.messages[0].title, u"<34>");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
}

TEST_F(CommentTest, letterMarkerIsPartOfAWordUnlessNumeralsMatter) {
    run.settings.StartComment = {u"rem", u""};
    run.settings.EndComment = {u"", u""};
    EXPECT_FALSE(CommentMarkersOK(run));
    run.settings.StartComment = {u"r2", u""};
    EXPECT_TRUE(CommentMarkersOK(run));
    run.settings.AllowWordsWithNumerals = true;
    EXPECT_FALSE(CommentMarkersOK(run));
}

// --- Skipping markup ---

TEST_F(CommentTest, htmlEntitiesAreDecodedOrSkipped) {
    OpenFile(u"html");
    Scan("caf&eacute; &lt;b&gt;");
    EXPECT_EQ(Words(), (Strings{"b", "café"}));
}

TEST_F(CommentTest, numericEntityIsSkippedWithTheLettersAfterIt) {
    OpenFile(u"htm");
    Scan("it&#8217;s fine &#38 x");
    EXPECT_EQ(Words(), (Strings{"fine", "it", "x"}));
}

TEST_F(CommentTest, tagsAreSkipped) {
    OpenFile(u"html");
    Scan("x <b>bold</b> y <a href=\"z.html\">link</a>");
    EXPECT_EQ(Words(), (Strings{"bold", "link", "x", "y"}));
}

TEST_F(CommentTest, htmlCommentWithDoubleHyphensInsideHidesEverything) {
    OpenFile(u"html");
    Scan("<!-- a -- b -->");
    EXPECT_EQ(Words(), Strings{});
    EXPECT_EQ(run.intWithinComment, -1);
}

TEST_F(CommentTest, commentOverSeveralLinesHidesTheLinesBetween) {
    OpenFile(u"html");
    Scan("before <!-- start");
    Scan("hidden words");
    Scan("more hidden");
    Scan("end --> after");
    EXPECT_EQ(Words(), (Strings{"after", "before"}));
}

TEST_F(CommentTest, markersMatchWithoutRegardToCase) {
    run.settings.CaseSignificant = true;
    OpenFile(u"html");
    Scan("<SCRIPT>var hidden;</Script> Shown");
    EXPECT_EQ(Words(), Strings{"Shown"});
}

TEST_F(CommentTest, phpCodeIsScannedWithItsCommentsSkipped) {
    OpenFile(u"php");
    Scan("<?php echo $x; /* note */ print // rest of line");
    EXPECT_EQ(Words(), (Strings{"echo", "print", "x"}));
}

TEST_F(CommentTest, xmlDeclarationAndTagsAreSkipped) {
    OpenFile(u"xml");
    Scan("<?xml version=\"1.0\"?><r a=\"b\">text</r>");
    EXPECT_EQ(Words(), Strings{"text"});
}

TEST_F(CommentTest, cCommentsAreSkipped) {
    OpenFile(u"c");
    Scan("a // b c");
    Scan("x/*y*/z");
    EXPECT_EQ(Words(), (Strings{"a", "x", "z"}));
}

TEST_F(CommentTest, cCommentGoesOnIntoTheNextLines) {
    OpenFile(u"cpp");
    Scan("int /* open");
    EXPECT_EQ(run.intWithinComment, 0);
    Scan("still inside");
    Scan("close */ after");
    EXPECT_EQ(Words(), (Strings{"after", "int"}));
    EXPECT_EQ(run.intWithinComment, -1);
}

TEST_F(CommentTest, userMarkerWithoutEndSkipsTheRestOfEachLine) {
    run.settings.AllowCommentMarkers = true;
    run.settings.StartComment = {u"#", u""};
    run.settings.EndComment = {u"", u""};
    OpenFile(u"txt");
    Scan("keep # drop this");
    Scan("# all gone");
    Scan("also kept");
    EXPECT_EQ(Words(), (Strings{"also", "keep", "kept"}));
}

TEST_F(CommentTest, unterminatedCommentHidesTheRestOfTheSource) {
    OpenFile(u"html");
    Scan("seen <!-- never closed");
    for (int i = 0; i < 3; ++i)
        Scan("hidden text");
    EXPECT_EQ(Words(), Strings{"seen"});
    EXPECT_EQ(run.intWithinComment, 3);
}

TEST_F(CommentTest, unterminatedTagAndEntityAtTheEndOfALine) {
    OpenFile(u"html");
    Scan("a <b");
    Scan("c> d &eacute");
    EXPECT_EQ(Words(), (Strings{"a", "d", "eacute"}));
}

// --- Finding and skipping, step by step ---

TEST_F(CommentTest, findCommentStartPrefersTheFirstPairInOrder) {
    SetCommentMarkers(run, u"PHP");
    run.blnCharacterEntitiesPossible = true;
    run.strLine = u"<?php x ";
    run.lngLP = 0;
    EXPECT_EQ(FindCommentStart(run), 4);
    run.strLine = u"<!-- x ";
    EXPECT_EQ(FindCommentStart(run), 3);
    run.strLine = u"<p> ";
    EXPECT_EQ(FindCommentStart(run), 5);
    run.strLine = u"& x; ";
    EXPECT_EQ(FindCommentStart(run), -1); // "&" but no entity
    run.strLine = u"x<";
    run.lngLP = 1;
    EXPECT_EQ(FindCommentStart(run), 5);
    run.lngLP = 2;
    EXPECT_EQ(FindCommentStart(run), -1);
}

TEST_F(CommentTest, endMarkerMayOverlapTheStartMarker) {
    SetCommentMarkers(run, u"PHP");
    run.strLine = u"<?php echo ";
    run.lngLP = 0;
    run.intWithinComment = 4;
    SkipComment(run);
    EXPECT_EQ(run.lngLP, 5u);
    EXPECT_EQ(run.intWithinComment, -1);
}

TEST_F(CommentTest, noMarkersFindNothing) {
    SetCommentMarkers(run, u"None");
    run.strLine = u"/* x */ ";
    run.lngLP = 0;
    EXPECT_EQ(FindCommentStart(run), -1);
}

// --- Double hyphens ---

TEST(BlankDoubleHyphens, blanksDoubleHyphensInMidLine) {
    EXPECT_EQ(BlankDoubleHyphens(u"see a--b"), u"see a  b");
    EXPECT_EQ(BlankDoubleHyphens(u"ab----c"), u"ab    c");
    EXPECT_EQ(BlankDoubleHyphens(u"x----y"), u"x--  y");
}

TEST(BlankDoubleHyphens, leavesTheFirstTwoPositionsAndCommentMarkup) {
    EXPECT_EQ(BlankDoubleHyphens(u"a--b"), u"a--b");
    EXPECT_EQ(BlankDoubleHyphens(u"--ab"), u"--ab");
    EXPECT_EQ(BlankDoubleHyphens(u"x <!-- y --> z"), u"x <!-- y --> z");
    EXPECT_EQ(BlankDoubleHyphens(u"a-b-c"), u"a-b-c");
    EXPECT_EQ(BlankDoubleHyphens(u""), u"");
}

TEST(BlankDoubleHyphens, megabyteOfHyphens) {
    const ustring s(1 << 20, u'-');
    const ustring out = BlankDoubleHyphens(s);
    EXPECT_EQ(out.substr(0, 2), u"--");
    EXPECT_EQ(out.find(u'-', 2), ustring::npos);
}

TEST_F(CommentTest, openCommentOfAPairNoLongerInForceIsDropped) {
    SetCommentMarkers(run, u"C");
    run.intWithinComment = 42;
    CountEveryWord();
    Scan("still counted");
    EXPECT_EQ(Words(), (Strings{"counted", "still"}));
}
