#include "sources/ClipboardText.h"

#include "text/Formatting.h"
#include "text/Host.h"

#include <algorithm>

namespace qd {

bool IsPlainText(ustring_view text, int32_t n) {
    const size_t limit = std::min(text.size(), size_t(std::max(n, 0)));
    for (size_t i = 0; i < limit; ++i) {
        // The whole code is tested, not its low byte: a curly quote (U+2019), a dash
        // (U+2014) or a letter such as U+0107 is text, whatever its low byte.
        const char16_t c = text[i];
        if (c < 32 && c != 9 && c != 10 && c != 12 && c != 13) return false;
    }
    return true;
}

ustring ClipboardSizeCaption(ustring_view text, const NumberFormat& format) {
    return u"Contents of clipboard: " + FormatByteCount(double(text.size()), false, format);
}

void ShowClipboardSize(Host& host, ustring_view text, const NumberFormat& format) {
    host.setLabel(LabelId::SizeOfClipboardContents, ClipboardSizeCaption(text, format));
}

bool AcceptClipboardText(Host& host, ustring_view text, const NumberFormat& format) {
    host.setOutputText(u"");
    if (text.empty()) {
        host.setLabel(LabelId::SizeOfClipboardContents, u"");
        host.message(u"Clipboard is empty.", u"Clipboard empty", MsgIcon::None);
        return false;
    }
    ShowClipboardSize(host, text, format);
    if (text.size() > size_t(MaxClipboardChars)) {
        const ustring message = u"There are " + GroupDigits((long long)text.size(), format) +
                                u" characters in the text on the clipboard.\r\n" +
                                u"The maximum permitted is " +
                                GroupDigits(MaxClipboardChars, format) + u".  If possible,\r\n" +
                                u"count word frequencies for this text using an input file.";
        host.message(message, u"Too much clipboard text", MsgIcon::None);
        return false;
    }
    return true;
}

bool CheckClipboardTextIsPlain(Host& host, ustring_view text) {
    if (IsPlainText(text, kPlainTextCheckChars)) return true;
    host.message(u"The text on the clipboard does not consist\r\n"
                 u"solely of natural language words.",
                 u"Invalid input", MsgIcon::Exclamation);
    return false;
}

} // namespace qd
