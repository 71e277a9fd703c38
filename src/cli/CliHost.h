#pragma once
// The host of the command line: no windows. Every message goes to standard error as
// "Title: text"; questions get the answer a batch run wants; the labels are kept as text for
// the end of the run.

#include "CliOptions.h"
#include "TerminalText.h"
#include "text/Host.h"

#include <map>
#include <ostream>
#include <vector>

namespace qd::cli {

class CliHost : public Host {
public:
    // scanBadChecksum: a document with an invalid checksum is scanned, not refused.
    CliHost(std::ostream& err, EncodingChoice encoding, bool scanBadChecksum)
        : err_(err), encoding_(encoding), scanBadChecksum_(scanBadChecksum) {}

    void message(ustring_view text, ustring_view title, MsgIcon icon) override;
    Answer ask(Question question, ustring_view text, ustring_view title, MsgIcon icon,
               MsgButtons buttons, Answer defaultButton) override;
    std::optional<ustring> prompt(Question question, ustring_view text, ustring_view title,
                                  ustring_view defaultValue) override;
    ustring chooseOpenFile(ustring_view, ustring_view, ustring_view) override { return {}; }
    ustring chooseSaveFile(ustring_view, ustring_view, ustring_view) override { return {}; }
    ustring chooseOutputFile() override { return {}; }
    void processEvents() override {}

    // No output box: the listing goes to standard output through a StreamListing, and the
    // status texts meant for the box go nowhere.
    ustring outputText() const override { return {}; }
    size_t outputLength() const override { return 0; }
    void setOutputText(ustring_view) override {}
    void appendOutputText(ustring_view) override {}
    void setOutputCaret(bool) override {}

    void setLabel(LabelId label, ustring_view caption) override { labels_[label] = caption; }
    void setLabelVisible(LabelId, bool) override {}
    void setLabelStyle(LabelId, LabelStyle) override {}
    void repaint() override {}
    void settingsChanged() override {}

    ustring label(LabelId label) const;

private:
    Answer answerFor(Question question, Answer defaultButton) const;
    void show(ustring_view title, ustring_view text);

    std::ostream& err_;
    EncodingChoice encoding_;
    bool scanBadChecksum_;
    std::map<LabelId, ustring> labels_;
};

} // namespace qd::cli
