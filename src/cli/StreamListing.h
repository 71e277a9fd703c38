#pragma once
// The listing of a count written to a stream as it is produced: each line in UTF-8 with an
// LF line end the moment the pass hands it over, format 9's words joined by ", " on one line.

#include "count/ListingOutput.h"
#include "scan/Settings.h"

#include <ostream>
#include <string>

namespace qd::cli {

class StreamListing : public ListingOutput, private ListingSink {
public:
    StreamListing(std::ostream& out, ListFormat displayFormat)
        : out_(out), format_(displayFormat) {}
    void begin() override;
    void message(ustring_view text) override;
    ListingSink& lines() override { return *this; }
    void stopped() override;
    void finish() override;

    // The errno value of the first write that failed (a full disk, a closed pipe), or 0.
    int writeError() const { return writeError_; }

private:
    void header(ustring_view line) override;
    void entry(ustring_view line, int32_t index) override;
    void write();
    void noteFailure();

    std::ostream& out_;
    ListFormat format_;
    std::string bytes_; // reused for every line
    bool written_ = false;
    bool joined_ = false; // format 9: a word is on the line already
    int writeError_ = 0;
};

} // namespace qd::cli
