#pragma once
// The lines of a text file (or stream) as a count reads them: blanks and control characters
// at both ends trimmed, empty lines skipped, the bytes read as UTF-8 or Windows-1252, lower-cased
// unless case is significant, one space appended. A line too long to hold whole comes in parts
// (lineGoesOn), each cut where decoding it alone gives what decoding the whole line would.

#include "count/CountText.h"
#include "scan/Settings.h"
#include "sources/TextFileReader.h"
#include "text/Yielder.h"

#include <cstdint>
#include <string>

namespace qd {

class TextFileLines : public LineSource {
public:
    // Yields before each line is read.
    TextFileLines(TextFileReader& reader, const Settings& settings, Yielder& yield)
        : reader_(reader), settings_(settings), yield_(yield) {}

    bool nextLine(ustring& line) override;
    bool lineGoesOn() const override { return goesOn_; }
    // The bytes taken from the file so far, line ends included.
    int64_t consumed() const { return consumed_; }

private:
    void decode(std::string_view bytes, ustring& line);

    TextFileReader& reader_;
    const Settings& settings_;
    Yielder& yield_;
    int64_t consumed_ = 0;
    bool goesOn_ = false;
    bool midLine_ = false; // a part of the line was given
    std::string held_;     // the end of the last part, given with the next one
    std::string heldNext_;
};

} // namespace qd
