#pragma once
// The lines of a text file (or stream) as a count reads them: blanks and control characters
// at both ends trimmed, empty lines skipped, the bytes read as UTF-8 or Windows-1252, lower-cased
// unless case is significant, one space appended.

#include "count/CountText.h"
#include "scan/Settings.h"
#include "sources/TextFileReader.h"
#include "text/Yielder.h"

#include <cstdint>

namespace qd {

class TextFileLines : public LineSource {
public:
    // Yields before each line is read.
    TextFileLines(TextFileReader& reader, const Settings& settings, Yielder& yield)
        : reader_(reader), settings_(settings), yield_(yield) {}

    bool nextLine(ustring& line) override;
    // The bytes taken from the file so far, line ends included.
    int64_t consumed() const { return consumed_; }

private:
    TextFileReader& reader_;
    const Settings& settings_;
    Yielder& yield_;
    int64_t consumed_ = 0;
};

} // namespace qd
