#include "scan/Entities.h"

#include "ScanTestUtil.h"

#include <gtest/gtest.h>

#include <set>

using namespace qd;

// --- The entity table ---

TEST(EntityTable, holdsTheLatin1LettersAndFiveOthers) {
    std::set<ustring> names;
    std::set<char16_t> letters;
    for (const EntityEntry& e : EntityTable()) {
        const ustring_view name = e.entity;
        EXPECT_EQ(name.front(), u'&');
        EXPECT_EQ(name.back(), u';');
        names.insert(ustring(name));
        if (e.character >= 0xC0 && e.character <= 0xFF) letters.insert(e.character);
    }
    EXPECT_EQ(names.size(), 67u);
    EXPECT_EQ(letters.size(), 62u); // 0xC0..0xFF without × and ÷
    EXPECT_EQ(letters.count(0xD7) + letters.count(0xF7), 0u);
}

// --- Decoding ---

TEST(DecodeEntities, decodesKnownEntitiesOnceAndLeavesOthers) {
    const std::pair<ustring_view, ustring_view> cases[] = {
        {u"caf&eacute; &lt;b&gt;", u"café &lt;b&gt;"},
        {u"&Auml;&szlig;&yuml;&THORN;&copy;", u"ÄßÿÞ©"},
        {u"&quot;x&quot;", u"\"x\""},
        {u"a&nbsp;b&#160;c", u"a b c"},
        {u"a&#8212;b", u"a\u2014b"},
        {u"&EACUTE; &Eacute;", u"&EACUTE; É"}, // case-sensitive
        {u"&amp;eacute;", u"&eacute;"},        // decoded only once
        {u"&amp;&amp;", u"&&"},
        // An unknown stretch is skipped with the ampersands in it.
        {u"&foo &amp; x", u"&foo &amp; x"},
        {u"&foo; &amp;", u"&foo; &"},
        // An ampersand without a semicolon ends decoding.
        {u"a & b &eacute", u"a & b &eacute"},
        {u"&eacute; & &eacute", u"é & &eacute"},
        {u"", u""},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(DecodeEntities(in), out) << ToUtf8(in);
}

TEST(DecodeEntities, megabyteOfAmpersandsWithoutSemicolon) {
    const ustring s(1 << 20, u'&');
    EXPECT_EQ(DecodeEntities(s), s);
    ustring many;
    for (int i = 0; i < 100000; ++i)
        many += u"&eacute;";
    EXPECT_EQ(DecodeEntities(many), ustring(100000, u'é'));
}

// --- Where an entity begins: the position of the semicolon, 1 for a numeric one, else 0 ---

TEST(IsEntityAt, givesThePositionOfTheSemicolon) {
    const std::pair<ustring, int> cases[] = {
        {u"&lt;b", 4},
        {u"&Eacute; x", 8},
        {u"&" + ustring(18, u'x') + u";", 20},
        {u"&" + ustring(19, u'x') + u";", 0},
        {u"&#8217;s", 1},
        {u"&#xy", 1},
        {u"&#x", 0}, // shorter than four
        {u"&lt", 0},
        {u"x&lt;", 0},
        {u"&lt b;", 0},
        {u"& b;", 0},
        {u"&1x;", 0},
        {u"&abcdef", 0},
        {u"&" + ustring(1 << 20, u'a'), 0},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(IsEntityAt(text), expected) << ToUtf8(text.substr(0, 30));
}
