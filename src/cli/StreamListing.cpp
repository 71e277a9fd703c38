#include "StreamListing.h"

#include "TerminalText.h"

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
    if (written_) out_ << '\n';
    out_.flush();
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
    out_.write(bytes_.data(), std::streamsize(bytes_.size()));
    written_ = true;
}

} // namespace qd::cli
