#include "scan/CommentMarkers.h"

#include "ScanTestUtil.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>

using namespace qd;
using namespace qd::test;

namespace {

class CommentTest : public ScanTest {
protected:
    // A file of the given extension: its preset, and every ignore rule off.
    void OpenFile(ustring_view extension) {
        CountEveryWord();
        ASSERT_TRUE(SelectCommentPreset(run, extension));
        run.intWithinComment = -1;
    }
    void UserMarkers(std::array<ustring, 2> start, std::array<ustring, 2> end) {
        run.settings.StartComment = start;
        run.settings.EndComment = end;
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
    UserMarkers({u"#", u"{"}, {u"", u"}"});
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
        SCOPED_TRACE(ToUtf8(c.extension));
        run.blnCharacterEntitiesPossible = !c.entities;
        EXPECT_TRUE(SelectCommentPreset(run, c.extension));
        EXPECT_EQ(run.intNumCommentMarkers, c.pairs);
        EXPECT_EQ(run.blnCharacterEntitiesPossible, c.entities);
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(CommentTest, otherFilesGetTheUserPairsWhenAllowedAndAFailedCheckKeepsTheOldOnes) {
    run.settings.AllowCommentMarkers = true;
    UserMarkers({u"#", u""}, {u"", u""});
    EXPECT_TRUE(SelectCommentPreset(run, u"txt"));
    EXPECT_EQ(run.intNumCommentMarkers, 2);
    EXPECT_EQ(run.StartMarkers[0], u"#");
    SetCommentMarkers(run, u"C");
    run.settings.StartComment = {u"", u""};
    EXPECT_FALSE(SelectCommentPreset(run, u"txt"));
    EXPECT_EQ(run.intNumCommentMarkers, 2);
    EXPECT_EQ(run.StartMarkers[0], u"/*");
    EXPECT_EQ(host.messages.size(), 1u);
}

// --- Checking the user-defined pairs ---

TEST_F(CommentTest, faultyPairsAreRejectedWithTheirMessage) {
    const std::string check = "\r\n\r\nCheck the comment markers in the 'Settings' window";
    const std::string disallow = check + "\r\nand perhaps disallow comment markers.";
    auto rejection = [&](std::array<ustring, 2> start, std::array<ustring, 2> end) {
        host.messages.clear();
        UserMarkers(start, end);
        EXPECT_FALSE(ValidateCommentMarkers(run));
        EXPECT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages.back().title, u"Error");
        EXPECT_EQ(host.messages.back().icon, MsgIcon::Exclamation);
        return host.lastMessage();
    };
    EXPECT_EQ(rejection({u"", u""}, {u"*/", u""}),
              "If comment markers are allowed then at least one\r\n"
              "start-comment marker must be non-empty." +
                  disallow);
    EXPECT_EQ(rejection({u"#", u""}, {u"", u"*/"}), "Cannot have an empty start-comment marker\r\n"
                                                    "with a non-empty end-comment marker." +
                                                        disallow);
    EXPECT_EQ(rejection({u"/*", u"%"}, {u"*/", u"%"}),
              "Start-comment and end-comment markers must be different." + check + ".");
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
    // A marker of letters is part of a word; one with a digit only when numerals are allowed.
    run.settings.AllowWordsWithForwardslashes = false;
    UserMarkers({u"rem", u""}, {u"", u""});
    EXPECT_FALSE(CommentMarkersOK(run));
    run.settings.StartComment = {u"r2", u""};
    EXPECT_TRUE(CommentMarkersOK(run));
    run.settings.AllowWordsWithNumerals = true;
    EXPECT_FALSE(CommentMarkersOK(run));
}

// --- Skipping markup: file type, lines, the words left ---

TEST(CommentMarkers, markupIsSkippedByFileType) {
    const struct {
        const char16_t* extension;
        ScanCase scan;
    } cases[] = {
        {u"html", {"", "caf&eacute; &lt;b&gt;", {"b", "café"}}},
        {u"htm", {"", "it&#8217;s fine &#38 x", {"fine", "it", "x"}}}, // letters after &# go
        {u"html", {"", "x <b>bold</b> y <a href=\"z.html\">link</a>", {"bold", "link", "x", "y"}}},
        {u"html", {"", "<!-- a -- b -->", {}}},
        {u"html",
         {"", "before <!-- start|hidden words|more hidden|end --> after", {"after", "before"}}},
        {u"html", {"CaseSignificant=1", "<SCRIPT>var hidden;</Script> Shown", {"Shown"}}},
        {u"php", {"", "<?php echo $x; /* note */ print // rest of line", {"echo", "print", "x"}}},
        {u"xml", {"", "<?xml version=\"1.0\"?><r a=\"b\">text</r>", {"text"}}},
        {u"c", {"", "a // b c|x/*y*/z", {"a", "x", "z"}}},
        {u"cpp", {"", "int /* open|still inside|close */ after", {"after", "int"}}},
        {u"html", {"", "a <b|c> d &eacute", {"a", "d", "eacute"}}}, // unterminated at line end
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.extension) + ": " + c.scan.lines);
        Scanner s;
        s.Set(c.scan.settings);
        s.CountEveryWord();
        ASSERT_TRUE(SelectCommentPreset(s.run, c.extension));
        s.run.intWithinComment = -1;
        s.Scan(std::string_view(c.scan.lines));
        EXPECT_EQ(s.Words(), c.scan.words);
        EXPECT_EQ(s.run.intWithinComment, -1);
    }
}

TEST_F(CommentTest, cCommentGoesOnIntoTheNextLine) {
    OpenFile(u"cpp");
    Scan("int /* open");
    EXPECT_EQ(run.intWithinComment, 0);
}

TEST_F(CommentTest, userMarkerWithoutEndSkipsTheRestOfEachLine) {
    run.settings.AllowCommentMarkers = true;
    UserMarkers({u"#", u""}, {u"", u""});
    OpenFile(u"txt");
    Scan("keep # drop this|# all gone|also kept");
    EXPECT_EQ(Words(), (Strings{"also", "keep", "kept"}));
}

TEST_F(CommentTest, unterminatedCommentHidesTheRestOfTheSource) {
    OpenFile(u"html");
    Scan("seen <!-- never closed|hidden text|hidden text");
    EXPECT_EQ(Words(), Strings{"seen"});
    EXPECT_EQ(run.intWithinComment, 3);
}

TEST_F(CommentTest, openCommentOfAPairNoLongerInForceIsDropped) {
    SetCommentMarkers(run, u"C");
    run.intWithinComment = 42;
    CountEveryWord();
    Scan("still counted");
    EXPECT_EQ(Words(), (Strings{"counted", "still"}));
}

// --- Finding and skipping, step by step ---

TEST_F(CommentTest, findCommentStartPrefersTheFirstPairInOrder) {
    SetCommentMarkers(run, u"PHP");
    run.blnCharacterEntitiesPossible = true;
    const struct {
        const char16_t* line;
        size_t from;
        int pair;
    } cases[] = {{u"<?php x ", 0, 4}, {u"<!-- x ", 0, 3},
                 {u"<p> ", 0, 5},     {u"& x; ", 0, -1}, // "&" but no entity
                 {u"x<", 1, 5},       {u"x<", 2, -1}};
    for (const auto& c : cases) {
        run.strLine = c.line;
        run.lngLP = c.from;
        EXPECT_EQ(FindCommentStart(run), c.pair) << ToUtf8(c.line) << " from " << c.from;
    }
    SetCommentMarkers(run, u"None");
    run.strLine = u"/* x */ ";
    run.lngLP = 0;
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

// --- Double hyphens ---

TEST(BlankDoubleHyphens, blanksInMidLineButNotAtTheStartOrInCommentMarkup) {
    const std::pair<ustring_view, ustring_view> cases[] = {
        {u"see a--b", u"see a  b"}, {u"ab----c", u"ab    c"},
        {u"x----y", u"x--  y"},     {u"a--b", u"a--b"},
        {u"--ab", u"--ab"},         {u"x <!-- y --> z", u"x <!-- y --> z"},
        {u"a-b-c", u"a-b-c"},       {u"", u""}};
    for (const auto& [in, out] : cases)
        EXPECT_EQ(BlankDoubleHyphens(in), out) << ToUtf8(in);
    const ustring out = BlankDoubleHyphens(ustring(1 << 20, u'-'));
    EXPECT_EQ(out.substr(0, 2), u"--");
    EXPECT_EQ(out.find(u'-', 2), ustring::npos);
}
