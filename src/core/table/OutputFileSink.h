#pragma once
// The listing's output file: Windows-1252 text with CR LF line ends, written line by line as
// the pass goes, after a head that tells a spreadsheet how to read it.

#include "scan/Settings.h"
#include "table/ListingSink.h"
#include "text/ErrorInfo.h"

#include <cstdio>
#include <string>

namespace qd {

class OutputFileSink : public ListingSink {
public:
    explicit OutputFileSink(ListFormat displayFormat) : format_(displayFormat) {}
    ~OutputFileSink() override;
    OutputFileSink(const OutputFileSink&) = delete;
    OutputFileSink& operator=(const OutputFileSink&) = delete;

    // Creates or empties the file at path. False, with failure() set, when it cannot.
    bool open(ustring_view path);
    // The two head lines and an empty line.
    bool writeHead(bool commas);
    // Closes the file; false, with failure() set, when the last lines could not be written.
    bool close();

    void header(ustring_view line) override;
    // Format 9 joins the words with ", " on one line that has no line end.
    void entry(ustring_view line, int32_t index) override;
    const ErrorInfo* failure() const override { return failed_ ? &error_ : nullptr; }

private:
    void writeLine(ustring_view line, bool lineEnd);
    void fail();

    ListFormat format_;
    std::FILE* file_ = nullptr;
    std::string bytes_; // reused for every line
    bool anyWord_ = false;
    bool failed_ = false;
    ErrorInfo error_;
};

} // namespace qd
