#include "scan/Entities.h"

#include "ScanTestUtil.h"

#include <gtest/gtest.h>

using namespace qd;

// --- Decoding: known entities once, an unknown stretch skipped with its ampersands ---

TEST(DecodeEntities, DecodesKnownEntitiesOnceAndLeavesOthers) {
    const std::pair<ustring_view, ustring_view> cases[] = {
        {u"&EACUTE; &Eacute;", u"&EACUTE; É"}, // case-sensitive
        {u"&amp;eacute;", u"&eacute;"},        // decoded only once
        {u"&foo &amp; x", u"&foo &amp; x"},
        {u"&foo; &amp;", u"&foo; &"},
        // An ampersand without a semicolon ends decoding.
        {u"&eacute; & &eacute", u"é & &eacute"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(DecodeEntities(in), out) << ToUtf8(in);
    const ustring s(1 << 20, u'&');
    EXPECT_EQ(DecodeEntities(s), s);
    ustring many;
    for (int i = 0; i < 100000; ++i)
        many += u"&eacute;";
    EXPECT_EQ(DecodeEntities(many), ustring(100000, u'é'));
}

// --- Where an entity begins: the position of the semicolon, 1 for a numeric one, else 0 ---

TEST(IsEntityAt, GivesThePositionOfTheSemicolon) {
    const std::pair<ustring, int> cases[] = {
        {u"&lt;b", 4},
        {u"&" + ustring(18, u'x') + u";", 20},
        {u"&" + ustring(19, u'x') + u";", 0},
        {u"&#xy", 1},
        {u"&#x", 0}, // shorter than four
        {u"x&lt;", 0},
        {u"&lt b;", 0},
        {u"&1x;", 0},
        {u"&" + ustring(1 << 20, u'a'), 0},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(IsEntityAt(text), expected) << ToUtf8(text.substr(0, 30));
}
