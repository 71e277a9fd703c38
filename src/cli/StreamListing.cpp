#include "StreamListing.h"

#include "TerminalText.h"

#include <cerrno>

namespace qd::cli {

void StreamListing::begin() {
    joined_ = false;
}

void StreamListing::message(ustring_view text) {
    bytes_ = TerminalText(text);
    write();
}

void StreamListing::stopped() {
    message(u"\r\nListing stopped.\r\n");
}

void StreamListing::finish() {
    errno = 0;
    if (written_) out_ << '\n';
    out_.flush();
    noteFailure();
}

void StreamListing::header(ustring_view line) {
    bytes_.clear();
    AppendTerminalText(line, bytes_);
    bytes_ += '\n';
    write();
}

void StreamListing::entry(ustring_view line, int32_t) {
    bytes_.clear();
    if (format_ == ListFormat::WordsWithCommas) {
        if (joined_) bytes_ += ", ";
        joined_ = true;
        AppendTerminalText(line, bytes_);
    } else {
        AppendTerminalText(line, bytes_);
        bytes_ += '\n';
    }
    write();
}

void StreamListing::write() {
    if (bytes_.empty()) return;
    errno = 0;
    out_.write(bytes_.data(), std::streamsize(bytes_.size()));
    written_ = true;
    noteFailure();
}

void StreamListing::noteFailure() {
    // The first failure is the one to tell: a failed stream writes nothing more.
    if (!out_ && writeError_ == 0) writeError_ = errno != 0 ? errno : EIO;
}

} // namespace qd::cli
