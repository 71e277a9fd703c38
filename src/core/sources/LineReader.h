#pragma once
// Reads a text file line by line as raw bytes. A line ends at a carriage return, at a line
// feed, or at the pair CR LF (one line end); Windows, Unix and old Macintosh files all read
// as lines at the same speed. The last line needs no line end.

#include "sources/RawFile.h"

#include <string>
#include <vector>

namespace qd {

class LineReader {
public:
    explicit LineReader(ustring_view path);

    bool isOpen() const { return file_.isOpen(); }
    // The opening or reading error, if any; next() returns false after one.
    std::error_code error() const { return file_.error(); }
    int64_t length() const { return file_.length(); }

    // The next line's bytes, without its line end, into line (its buffer is reused).
    // endLength is the number of bytes of the line end: 0 (end of file), 1 or 2.
    // False at the end of the file or on an error.
    bool next(std::string& line, int& endLength);
    bool next(std::string& line) {
        int endLength;
        return next(line, endLength);
    }

    // Bytes consumed so far, line ends included.
    int64_t consumed() const { return consumed_; }

    // Reads no further than this many bytes from the start of the file, as if it ended there.
    void setByteLimit(int64_t limit) { limit_ = limit; }

private:
    bool fill();

    RawFile file_;
    std::vector<char> buffer_;
    size_t pos_ = 0;
    size_t end_ = 0;
    bool eof_ = false;
    bool failed_ = false;
    int64_t consumed_ = 0;
    int64_t read_ = 0;
    int64_t limit_ = -1;
};

} // namespace qd
