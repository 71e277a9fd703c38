#include "scan/TextRoutines.h"
#include "scan/CaseFolding.h"
#include "scan/Entities.h"
#include "scan/RunCache.h"
#include "scan/WordChars.h"

#include "scan/WordRules.h"
#include "sources/LineCharacters.h"

#include <gtest/gtest.h>

using namespace qd;

namespace {
struct Case {
    ustring in, out;
};

// The text of the given Windows-1252 byte values.
ustring Bytes(std::initializer_list<int> bytes) {
    ustring out;
    for (int b : bytes)
        out.push_back(Cp1252ToUnicode((unsigned char)b));
    return out;
}
} // namespace

// --- CleanLine: tabs and line breaks become single spaces, a backspace joins its neighbours ---

TEST(CleanLine, ReplacesControlCharactersAsTheLineNeeds) {
    const Case cases[] = {
        {u"a\tb\r\nc", u"a b c"},
        {u"a\rb\nc\fd", u"a b c d"},
        {u"ab\bc", u"abc"},
        {u"\b\b", u""},
        {u"\r\r\n\n", u"   "}, // CR, CR LF, LF: merged only as pairs
        {u"a\r\b\nb", u"a b"}, // the backspace goes first
        {u"\n\r", u"  "},
        {Bytes({'a', 160, 'b'}), u"a b"}, // no-break space
        {u"\t\b\r\n\f\x01\x1f", u"   \x01\x1f"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CleanLine(c.in), c.out) << ToUtf8(c.in);
}

// --- Lower-casing: accented capitals to their own small letters, others by the usual mapping ---

TEST(LowerCaseAccented, LongLinesMixingAsciiAndOtherCharactersLowerEveryCharacter) {
    // Lines are lowered in blocks while they are ASCII; every block boundary must hold.
    const ustring pieces[] = {u"ABCDEFGH", u"@[`{", u"Z", u"a", u"É", u"Ÿ", u"ŠKODA ", u"Ω", u"x"};
    uint32_t seed = 7;
    for (int round = 0; round < 500; ++round) {
        ustring s;
        for (int k = 0; k < 12; ++k) {
            seed = seed * 1103515245u + 12345u;
            s += pieces[(seed >> 16) % std::size(pieces)];
        }
        ustring expected;
        for (const char16_t c : s)
            expected.push_back(LowerChar(c));
        ASSERT_EQ(LowerCaseAccented(s), expected) << ToUtf8(s);
    }
    EXPECT_EQ(ToUtf8(LowerCaseAccented(u"ÑANDÚ ŸÐÇØ ÆŒÞ ß×÷")), "ñandú ÿðçø æœþ ß×÷");
}

// --- Decoding: known entities once, an unknown stretch skipped with its ampersands ---

TEST(DecodeEntities, DecodesKnownEntitiesOnceAndLeavesOthers) {
    EXPECT_EQ(DecodeEntities(u"&amp;eacute; &foo &amp; x"), u"&eacute; &foo &amp; x");
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
        {u"&" + ustring(18, u'x') + u";", 20},
        {u"&" + ustring(19, u'x') + u";", 0},
        {u"&#xy", 1},
        {u"&#x", 0}, // shorter than four
        {u"&" + ustring(1 << 20, u'a'), 0},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(IsEntityAt(text), expected) << ToUtf8(text.substr(0, 30));
}

// --- The table of word characters against the character test, and the longest run ---

TEST(WordCharTable, AgreesWithTheCharacterTest) {
    const ustring extras = u"-'\u2018_:\\/.@0123456789";
    for (const ustring_view e : {ustring_view(u""), ustring_view(u"-"), ustring_view(extras)}) {
        WordCharTable table;
        table.update(e);
        for (unsigned c = 0; c < 0x10000; c += 7)
            ASSERT_EQ(table.isWordChar(char16_t(c)), IsWordChar(char16_t(c), false, e)) << c;
    }
}

TEST(ScanWordRun, CountsConsecutiveWordCharactersUpTo65000) {
    EXPECT_EQ(ScanWordRun(u"well-known end", 0, false, u"-"), 10);
    EXPECT_EQ(ScanWordRun(u"well-known end", 0, false, u""), 4);
    EXPECT_EQ(ScanWordRun(u"well-known end", 11, false, u""), 3);
    EXPECT_EQ(ScanWordRun(u"abc", 3, false, u""), 0);
    EXPECT_EQ(ScanWordRun(u"abc", 99, false, u""), 0);
    EXPECT_EQ(ScanWordRun(u"", 0, false, u""), 0);
    const ustring letters(70000, u'a');
    EXPECT_EQ(ScanWordRun(letters, 0, false, u""), 65000);
    EXPECT_EQ(ScanWordRun(letters, 65000, false, u""), 5000);
    WordCharTable table;
    table.update(u"");
    EXPECT_EQ(table.scanWordRun(letters, 0), 65000);
}

// The table's scan takes Latin letters eight at a time: any other character, at any place,
// must end the run (or not) exactly where the character test says.
TEST(ScanWordRun, TableScanAgreesWhateverCharacterBreaksTheLetters) {
    const ustring extras = u"'-";
    WordCharTable table;
    table.update(extras);
    for (const char16_t c : {u' ', u'\'', u'-', u'@', u'[', u'`', u'{', u'Z', u'\u00E9', u'\u0161',
                             u'\u2019', u'\uFF41'})
        for (size_t at = 0; at < 20; ++at) {
            ustring s = u"abcdefghijklmnopqrstUVWXYZ ";
            s[at] = c;
            ASSERT_EQ(table.scanWordRun(s, 0), ScanWordRun(s, 0, false, extras))
                << at << " " << int(c);
        }
}

// A run is found again only as itself: runs of every length that differ in one character,
// at any place, never answer for one another.
TEST(RunCache, FindsEachRunAsRecordedAndNoOther) {
    RunCache cache;
    for (size_t n = 1; n <= RunCache::kLongestRun; ++n) {
        const ustring run = ustring(u"abcdefghijklmnopqrstuvwxyz").substr(0, n);
        RunCache::Verdict verdict;
        verdict.wordLength = uint8_t(n);
        verdict.token = int32_t(n);
        cache.record(run, RunCache::HashOf(run), verdict);
        const RunCache::Verdict* found = cache.find(run, RunCache::HashOf(run));
        ASSERT_TRUE(found != nullptr) << n;
        EXPECT_EQ(found->token, int32_t(n));
        for (size_t at = 0; at < n; ++at) {
            ustring other = run;
            other[at] = u'-';
            const RunCache::Verdict* wrong = cache.find(other, RunCache::HashOf(run));
            EXPECT_TRUE(wrong == nullptr) << n << " " << at;
        }
    }
}

// Widening goes sixteen ASCII bytes at a time: every byte value, at every place in a block,
// lowered or not, must come out as the code page and the lowering say one by one.
TEST(WidenCp1252, BlocksOfAsciiAndOtherBytesWidenAsEachByteAlone) {
    std::string bytes;
    for (int i = 0; i < 700; ++i)
        bytes.push_back(char(i < 320 || i % 3 ? 32 + i % 95 : (i * 37) % 256));
    for (const bool lower : {false, true}) {
        ustring widened;
        WidenCp1252(bytes, lower, widened);
        ASSERT_EQ(widened.size(), bytes.size());
        for (size_t i = 0; i < bytes.size(); ++i) {
            const char16_t c = Cp1252ToUnicode(static_cast<unsigned char>(bytes[i]));
            const char16_t expected = lower ? LowerCaseAccented(ustring_view(&c, 1))[0] : c;
            ASSERT_EQ(widened[i], expected) << "byte " << i << (lower ? " lowered" : "");
        }
    }
}
