#include "input/ClipboardText.h"
#include "support/ScriptedHost.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

// --- The size checks of a fresh clipboard text ---

TEST(ClipboardSize, TextAtTheLimitIsAcceptedAndItsSizeShown) {
    test::ScriptedHost host;
    host.output = u"old listing";
    const ustring text(MaxClipboardChars, u'a');
    EXPECT_TRUE(AcceptClipboardText(host, text));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.output.empty());
    EXPECT_EQ(host.labels[LabelId::SizeOfClipboardContents],
              u"Contents of clipboard: 100,000 bytes");
}

TEST(ClipboardSize, OneCharacterOverTheLimitIsRefusedWithGroupedNumbers) {
    test::ScriptedHost host;
    const ustring text(MaxClipboardChars + 1, u'a');
    EXPECT_FALSE(AcceptClipboardText(host, text));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, u"Too much clipboard text");
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(host.lastMessage(), "There are 100,001 characters in the text on the clipboard.\r\n"
                                  "The maximum permitted is 100,000.  If possible,\r\n"
                                  "count word frequencies for this text using an input file.");
    // The size is shown even for a refused text.
    EXPECT_EQ(host.labels[LabelId::SizeOfClipboardContents],
              u"Contents of clipboard: 100,001 bytes");
}

TEST(ClipboardSize, EmptyClipboardIsReportedAndTheSizeLabelEmptied) {
    test::ScriptedHost host;
    host.labels[LabelId::SizeOfClipboardContents] = u"Contents of clipboard: 5 bytes";
    EXPECT_FALSE(AcceptClipboardText(host, u""));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, u"Clipboard is empty.");
    EXPECT_EQ(host.messages[0].title, u"Clipboard empty");
    EXPECT_TRUE(host.labels[LabelId::SizeOfClipboardContents].empty());
}

TEST(ClipboardSize, CaptionCountsCharactersNotBytes) {
    // Two accented letters are two characters, though UTF-8 would take four bytes.
    EXPECT_EQ(ClipboardSizeCaption(u"\u00e9\u00e8"), u"Contents of clipboard: 2 bytes");
    EXPECT_EQ(ClipboardSizeCaption(u""), u"Contents of clipboard: 0 bytes");
}

// --- Natural-language text or not ---

TEST(PlainText, LineEndsTabsAndFormFeedsAreText) {
    EXPECT_TRUE(IsPlainText(u"", kPlainTextCheckChars));
    EXPECT_TRUE(IsPlainText(u"one\ttwo\r\nthree\ffour\nfive", kPlainTextCheckChars));
}

TEST(PlainText, NulOrEscapeWithinTheFirst3000CharactersIsRefused) {
    ustring text(2999, u'a');
    text += u'\0';
    EXPECT_FALSE(IsPlainText(text, kPlainTextCheckChars));
    text.back() = u'\x1b';
    EXPECT_FALSE(IsPlainText(text, kPlainTextCheckChars));
    EXPECT_FALSE(IsPlainText(u"a\bb", kPlainTextCheckChars)); // backspace too
}

TEST(PlainText, ControlCharacterAtPosition3001IsNotSeen) {
    ustring text(3000, u'a');
    text += u'\0';
    EXPECT_TRUE(IsPlainText(text, kPlainTextCheckChars));
}

TEST(PlainText, TypographicPunctuationAndLettersBeyondLatin1AreText) {
    // Their low bytes lie below 32, yet they are ordinary text.
    EXPECT_TRUE(IsPlainText(u"don\u2019t \u201cquoted\u201d \u2014 dash", kPlainTextCheckChars));
    EXPECT_TRUE(IsPlainText(u"\u0100 \u0107 \u010d \u0161", kPlainTextCheckChars));
}

TEST(PlainText, RefusalIsReported) {
    test::ScriptedHost host;
    EXPECT_TRUE(CheckClipboardTextIsPlain(host, u"plain words"));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(CheckClipboardTextIsPlain(host, u"binary\x01junk"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, u"Invalid input");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(host.lastMessage(), "The text on the clipboard does not consist\r\n"
                                  "solely of natural language words.");
}

} // namespace
} // namespace qd
