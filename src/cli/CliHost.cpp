#include "CliHost.h"

namespace qd::cli {

void CliHost::show(ustring_view title, ustring_view text) {
    if (!title.empty()) err_ << TerminalText(title) << ": ";
    err_ << TerminalText(text) << '\n';
    err_.flush();
}

Answer CliHost::answerFor(Question question, Answer defaultButton) const {
    switch (question) {
    case Question::EncodingSeemsUtf8: // scanned as UTF-8 unless ANSI was asked for
        return encoding_ == EncodingChoice::Ansi ? Answer::No : Answer::Yes;
    case Question::EncodingSeemsAnsi: // scanned as ANSI unless UTF-8 was asked for
        return encoding_ == EncodingChoice::Utf8 ? Answer::Yes : Answer::No;
    case Question::LargeInput: // go on without naming a file
        return Answer::No;
    case Question::BadChecksum:
        return scanBadChecksum_ ? Answer::Yes : Answer::No;
    case Question::LargeDocx:
        return Answer::Yes;
    case Question::Stop:
    case Question::ConfirmStop:
    case Question::StopDocx:
    case Question::ListAfterStop:
    case Question::IgnoreCommonWords:
    case Question::ReadFileAnew:
    case Question::ReallyQuit:
    case Question::OverwriteOutput:
        break;
    }
    return defaultButton;
}

void CliHost::message(ustring_view text, ustring_view title, MsgIcon) {
    show(title, text);
}

Answer CliHost::ask(Question question, ustring_view text, ustring_view title, MsgIcon, MsgButtons,
                    Answer defaultButton) {
    // The encoding question is not shown when the command line has already answered it.
    const bool encoding =
        question == Question::EncodingSeemsUtf8 || question == Question::EncodingSeemsAnsi;
    if (!(encoding && encoding_ != EncodingChoice::Detected)) show(title, text);
    const Answer answer = answerFor(question, defaultButton);
    // A question left hanging reads as if the program waited for an answer: say what became
    // of the document, and how to have it scanned.
    if (question == Question::BadChecksum)
        show(u"", answer == Answer::Yes
                      ? u"Scanned anyway (--scan-bad-checksum)."
                      : u"Refused: the document was not scanned (--scan-bad-checksum scans it "
                        u"anyway).");
    return answer;
}

std::optional<ustring> CliHost::prompt(Question, ustring_view text, ustring_view title,
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
