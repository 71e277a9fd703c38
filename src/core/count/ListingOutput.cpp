#include "count/ListingOutput.h"

#include "count/ListingPass.h"
#include "count/RunState.h"
#include "text/Host.h"

namespace qd {

namespace {

constexpr char16_t kCrLf[] = u"\r\n";

} // namespace

OutputBoxListing::OutputBoxListing(RunState& run)
    : run_(run), format_(run.settings.output.DisplayFormat) {}

void OutputBoxListing::begin() {
    run_.host.setOutputText(u"");
    run_.host.repaint();
}

void OutputBoxListing::message(ustring_view text) {
    run_.host.setOutputText(text);
}

void OutputBoxListing::stopped() {
    run_.host.appendOutputText(u"\r\nListing stopped.\r\n");
    run_.host.setOutputCaret(true);
}

void OutputBoxListing::finish() {
    Host& host = run_.host;
    if (host.outputLength() < 3) return;
    if (format_ == ListFormat::WordsWithCommas) {
        ustring text = host.outputText();
        if (text.ends_with(u", ")) {
            text.resize(text.size() - 2);
            host.setOutputText(text);
        }
    }
    host.appendOutputText(kCrLf);
}

void OutputBoxListing::header(ustring_view line) {
    ustring text(line);
    text += kCrLf;
    run_.host.appendOutputText(text);
    turnTwirler(0);
}

void OutputBoxListing::entry(ustring_view line, int32_t index) {
    pending_ += line;
    pending_ += format_ == ListFormat::WordsWithCommas ? u", " : kCrLf;
    turnTwirler(index);
}

bool OutputBoxListing::flush() {
    if (pending_.empty()) return true;
    if (run_.host.outputLength() + pending_.size() > size_t(OutputTextLimit)) {
        pending_.clear();
        return false;
    }
    run_.host.appendOutputText(pending_);
    run_.host.setOutputCaret(false);
    pending_.clear();
    return true;
}

void OutputBoxListing::turnTwirler(int32_t index) {
    // Drawn at the next yield; forcing a repaint for every line would slow a long listing.
    run_.host.setLabel(LabelId::Twirler, TwirlerChar(index));
}

} // namespace qd
