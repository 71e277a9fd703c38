#include "CliHost.h"

namespace qd::cli {

namespace {

constexpr ustring_view kEncodingTitle = u"UTF-8 or ANSI file?";

} // namespace

std::string TerminalText(ustring_view text) {
    ustring lf;
    lf.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            lf.push_back(u'\n');
            if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else {
            lf.push_back(text[i]);
        }
    }
    return ToUtf8(lf);
}

void CliHost::aliasPath(ustring path, ustring alias) {
    aliases_.emplace_back(std::move(path), std::move(alias));
}

void CliHost::show(ustring_view title, ustring_view text) {
    ustring shown(text);
    for (const auto& [path, alias] : aliases_)
        for (size_t at = shown.find(path); at != ustring::npos;
             at = shown.find(path, at + alias.size()))
            shown.replace(at, path.size(), alias);
    if (!title.empty()) err_ << TerminalText(title) << ": ";
    err_ << TerminalText(shown) << '\n';
    err_.flush();
}

Answer CliHost::answerFor(ustring_view text, ustring_view title, MsgButtons buttons,
                          Answer defaultButton) const {
    if (title == kEncodingTitle) {
        // "seems to be UTF-8" is answered Yes unless ANSI was asked for; "does not seem"
        // only when UTF-8 was asked for.
        const bool seemsUtf8 = text.starts_with(u"This file seems");
        if (encoding_ == EncodingChoice::Ansi) return Answer::No;
        if (encoding_ == EncodingChoice::Utf8) return Answer::Yes;
        return seemsUtf8 ? Answer::Yes : Answer::No;
    }
    if (title == u"Large input file") return Answer::No; // go on without naming a file
    if (text.starts_with(u"Invalid checksum found")) return Answer::No;
    if (buttons == MsgButtons::YesNo && (title == u"Big file" || title.ends_with(u"text file")))
        return Answer::Yes;
    if (buttons == MsgButtons::Ok) return Answer::Ok;
    return defaultButton;
}

Answer CliHost::message(ustring_view text, ustring_view title, MsgIcon, MsgButtons buttons,
                        Answer defaultButton) {
    // The encoding question is not shown when the command line has already answered it.
    if (!(title == kEncodingTitle && encoding_ != EncodingChoice::Detected)) show(title, text);
    return answerFor(text, title, buttons, defaultButton);
}

std::optional<ustring> CliHost::prompt(ustring_view text, ustring_view title,
                                       ustring_view defaultValue) {
    // The only prompt of a count asks before an existing output file is replaced: it is.
    show(title, text);
    return ustring(defaultValue);
}

ustring CliHost::label(LabelId label) const {
    const auto it = labels_.find(label);
    return it == labels_.end() ? ustring() : it->second;
}

} // namespace qd::cli
