#pragma once
// The lines of a text file (or stream) as a count reads them: blanks and control characters
// at both ends trimmed, empty lines skipped, the bytes read as UTF-8 or Windows-1252, lower-cased
// unless case is significant, one space appended. A line too long to hold whole comes in parts
// (lineGoesOn), each cut where decoding it alone gives what decoding the whole line would.

#include "count/CountText.h"
#include "scan/Settings.h"
#include "sources/TextFileReader.h"
#include "text/ErrorInfo.h"
#include "text/Yielder.h"

#include <cstdint>
#include <string>

namespace qd {

// The lines of a file or stream, with how far they have come and how reading ended.
class FileLineSource : public LineSource {
public:
    // The bytes taken from the file so far, line ends included.
    virtual int64_t consumed() const = 0;
    // The read error met by the lines given so far (no more follow), or null.
    virtual const ErrorInfo* readError() const = 0;
};

class TextFileLines : public FileLineSource {
public:
    // Yields before each line is read. The encoding and the case setting are taken now and
    // hold for the whole file.
    TextFileLines(TextFileReader& reader, const Settings& settings, Yielder& yield)
        : reader_(reader), utf8_(settings.input.UTF8), lowerCase_(!settings.words.CaseSignificant),
          yield_(yield) {}

    bool nextLine(ustring& line) override;
    bool lineGoesOn() const override { return goesOn_; }
    int64_t consumed() const override { return consumed_; }
    const ErrorInfo* readError() const override {
        return reader_.failed() ? &reader_.error() : nullptr;
    }

private:
    void decode(std::string_view bytes, ustring& line);

    TextFileReader& reader_;
    const bool utf8_;
    const bool lowerCase_;
    Yielder& yield_;
    int64_t consumed_ = 0;
    bool goesOn_ = false;
    bool midLine_ = false; // a part of the line was given
    std::string held_;     // the end of the last part, given with the next one
    std::string heldNext_;
};

} // namespace qd
