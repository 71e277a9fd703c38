#include "TerminalText.h"

namespace qd::cli {

namespace {

bool IsControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

void AppendEscaped(char16_t c, std::string& out) {
    constexpr char kHex[] = "0123456789ABCDEF";
    out += "\\x";
    out += kHex[(c >> 4) & 0xF];
    out += kHex[c & 0xF];
}

} // namespace

void AppendTerminalText(ustring_view text, std::string& out) {
    // Runs without a control character are appended whole: a listing line has none.
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (!IsControl(text[i])) continue;
        AppendUtf8(text.substr(start, i - start), out);
        if (text[i] == u'\n') {
            out += '\n';
        } else if (text[i] == u'\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else {
            AppendEscaped(text[i], out);
        }
        start = i + 1;
    }
    AppendUtf8(text.substr(start), out);
}

std::string TerminalText(ustring_view text) {
    std::string out;
    out.reserve(text.size());
    AppendTerminalText(text, out);
    return out;
}

std::string TerminalText(std::string_view utf8) {
    return TerminalText(FromUtf8(utf8));
}

} // namespace qd::cli
