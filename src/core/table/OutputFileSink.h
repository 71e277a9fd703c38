#pragma once
// The listing's output file: Windows-1252 text with CR LF line ends, written line by line as
// the pass goes, after a head that tells a spreadsheet how to read it. A regular file is
// replaced only when close() finds the new one complete (see FileWriter); a character device
// is written directly.

#include "scan/Settings.h"
#include "table/ListingSink.h"
#include "text/ErrorInfo.h"
#include "text/ReplaceFile.h"

#include <string>

namespace qd {

class OutputFileSink : public ListingSink {
public:
    explicit OutputFileSink(ListFormat displayFormat) : format_(displayFormat) {}

    // Prepares the file at path. False, with failure() set, when it cannot: a missing folder
    // is error 76 "Path not found", a folder or a pipe at the path names what it is.
    bool open(ustring_view path);
    // The two head lines and an empty line.
    bool writeHead(bool commas);
    // Completes the file; false, with failure() set, when the lines could not all be
    // written (an existing file is then left as it was).
    bool close();
    // Leaves an existing file as it was (what was written to a device stays written).
    void abandon() { file_.abandon(); }

    void header(ustring_view line) override;
    // Format 9 joins the words with ", " on one line that has no line end.
    void entry(ustring_view line, int32_t index) override;
    const ErrorInfo* failure() const override { return failed_ ? &error_ : nullptr; }

private:
    void writeLine(ustring_view line, bool lineEnd);
    void fail();

    ListFormat format_;
    FileWriter file_;
    std::string bytes_; // reused for every line
    bool anyWord_ = false;
    bool failed_ = false;
    ErrorInfo error_;
};

// The error of a failed FileWriter as the program reports it.
ErrorInfo FileWriterError(const FileWriter& file);

} // namespace qd
