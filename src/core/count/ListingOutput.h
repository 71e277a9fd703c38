#pragma once
// Where the listing of a count goes: the window's output box, or a stream the front end
// chooses (the command line's standard output). A listing calls begin() once, then gives
// either a message that takes the listing's place or the header and entry lines through
// lines(), and finish() once the listing is complete.

#include "scan/Settings.h"
#include "table/ListingSink.h"
#include "text/UString.h"

namespace qd {

struct RunState;

class ListingOutput {
public:
    virtual ~ListingOutput() = default;
    // A listing starts: whatever an earlier one left goes.
    virtual void begin() = 0;
    // Text in place of the listing (CR LF between its lines, none after the last): why no
    // word is listed, or that the output to file was stopped.
    virtual void message(ustring_view text) = 0;
    // The sink for the lines of a listing pass.
    virtual ListingSink& lines() = 0;
    // The listing was stopped after some of its lines.
    virtual void stopped() = 0;
    // The listing or the message is complete: the line end after it.
    virtual void finish() = 0;
};

// The output box as the listing's place: the header at once, the entries in batches of 20
// within OutputTextLimit (the twirler turning with every line), format 9's words joined by
// ", " on one line.
class OutputBoxListing : public ListingOutput, private ListingSink {
public:
    explicit OutputBoxListing(RunState& run);
    void begin() override;
    void message(ustring_view text) override;
    ListingSink& lines() override { return *this; }
    void stopped() override;
    void finish() override;

private:
    void header(ustring_view line) override;
    void entry(ustring_view line, int32_t index) override;
    bool flush() override;
    void turnTwirler(int32_t index);

    RunState& run_;
    ListFormat format_;
    ustring pending_;
};

} // namespace qd
