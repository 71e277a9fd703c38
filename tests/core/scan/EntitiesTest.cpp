#include "scan/Entities.h"

#include "ScanTestUtil.h"

#include <gtest/gtest.h>

#include <set>

using namespace qd;

// --- The entity table ---

TEST(EntityTable, holdsTheLatin1LettersAndFiveOthers) {
    const auto& table = EntityTable();
    std::set<ustring> names;
    std::set<char16_t> letters;
    for (const EntityEntry& e : table) {
        const ustring_view name = e.entity;
        EXPECT_EQ(name.front(), u'&');
        EXPECT_EQ(name.back(), u';');
        names.insert(ustring(name));
        if (e.character >= 0xC0 && e.character <= 0xFF) letters.insert(e.character);
    }
    EXPECT_EQ(names.size(), 67u);
    EXPECT_EQ(letters.size(), 62u); // 0xC0..0xFF without × and ÷
    EXPECT_EQ(letters.count(0xD7), 0u);
    EXPECT_EQ(letters.count(0xF7), 0u);
}

// --- Decoding ---

TEST(DecodeEntities, decodesKnownEntitiesAndLeavesOthers) {
    EXPECT_EQ(ToUtf8(DecodeEntities(u"caf&eacute; &lt;b&gt;")), "café &lt;b&gt;");
    EXPECT_EQ(ToUtf8(DecodeEntities(u"&Auml;&szlig;&yuml;&THORN;&copy;")), "ÄßÿÞ©");
    EXPECT_EQ(DecodeEntities(u"&quot;x&quot;"), u"\"x\"");
    EXPECT_EQ(DecodeEntities(u"a&nbsp;b&#160;c"), u"a b c");
    EXPECT_EQ(DecodeEntities(u"a&#8212;b"), u"a\u2014b");
}

TEST(DecodeEntities, isCaseSensitive) {
    EXPECT_EQ(DecodeEntities(u"&EACUTE; &Eacute;"), u"&EACUTE; É");
}

TEST(DecodeEntities, decodesOnlyOnce) {
    EXPECT_EQ(DecodeEntities(u"&amp;eacute;"), u"&eacute;");
    EXPECT_EQ(DecodeEntities(u"&amp;&amp;"), u"&&");
}

TEST(DecodeEntities, unknownStretchIsSkippedWithTheAmpersandsInIt) {
    EXPECT_EQ(DecodeEntities(u"&foo &amp; x"), u"&foo &amp; x");
    EXPECT_EQ(DecodeEntities(u"&foo; &amp;"), u"&foo; &");
}

TEST(DecodeEntities, ampersandWithoutSemicolonEndsDecoding) {
    EXPECT_EQ(DecodeEntities(u"a & b &eacute"), u"a & b &eacute");
    EXPECT_EQ(DecodeEntities(u"&eacute; & &eacute"), u"é & &eacute");
    EXPECT_EQ(DecodeEntities(u""), u"");
}

TEST(DecodeEntities, megabyteOfAmpersandsWithoutSemicolon) {
    const ustring s(1 << 20, u'&');
    EXPECT_EQ(DecodeEntities(s), s);
    ustring many;
    for (int i = 0; i < 100000; ++i)
        many += u"&eacute;";
    EXPECT_EQ(DecodeEntities(many), ustring(100000, u'é'));
}

// --- Where an entity begins ---

TEST(IsEntityAt, givesThePositionOfTheSemicolon) {
    EXPECT_EQ(IsEntityAt(u"&lt;b"), 4);
    EXPECT_EQ(IsEntityAt(u"&Eacute; x"), 8);
    EXPECT_EQ(IsEntityAt(u"&" + ustring(18, u'x') + u";"), 20);
    EXPECT_EQ(IsEntityAt(u"&" + ustring(19, u'x') + u";"), 0);
}

TEST(IsEntityAt, numericEntitiesGiveOne) {
    EXPECT_EQ(IsEntityAt(u"&#8217;s"), 1);
    EXPECT_EQ(IsEntityAt(u"&#xy"), 1);
    EXPECT_EQ(IsEntityAt(u"&#x"), 0); // shorter than four
}

TEST(IsEntityAt, rejectsWhatIsNoEntity) {
    EXPECT_EQ(IsEntityAt(u"&lt"), 0);
    EXPECT_EQ(IsEntityAt(u"x&lt;"), 0);
    EXPECT_EQ(IsEntityAt(u"&lt b;"), 0);
    EXPECT_EQ(IsEntityAt(u"& b;"), 0);
    EXPECT_EQ(IsEntityAt(u"&1x;"), 0);
    EXPECT_EQ(IsEntityAt(u"&abcdef"), 0);
    EXPECT_EQ(IsEntityAt(u"&" + ustring(1 << 20, u'a')), 0);
}
