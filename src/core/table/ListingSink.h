#pragma once
// Receives the lines of one pass. The pass calls header() first (never for format 9), then
// entry() for each listed word, flush() after every 20th entry and once at the end.

#include "text/ErrorInfo.h"
#include "text/UString.h"

#include <cstdint>

namespace qd {

class ListingSink {
public:
    virtual ~ListingSink() = default;
    virtual void header(ustring_view line) = 0;
    // index is the entry's place in the table.
    virtual void entry(ustring_view line, int32_t index) = 0;
    // False when the lines gathered since the last flush do not fit (they are then dropped).
    virtual bool flush() { return true; }
    // Set once writing failed; the pass then reports it and ends.
    virtual const ErrorInfo* failure() const { return nullptr; }
};

} // namespace qd
