#pragma once
// The listing's output file: text with CR LF line ends, written line by line as the pass
// goes, after a head that tells a spreadsheet how to read it. A regular file is replaced only
// when close() finds the new one complete (see FileWriter); a character device is written
// directly.
//
// Windows-1252 (the default) writes the lines as the listing makes them; a character the code
// page lacks becomes '?'. UTF-8 keeps every character and is written for spreadsheets to
// import cleanly: a byte-order mark first (their sign of UTF-8), head lines that are whole
// quoted fields (a Windows-1252 head line opens a quote it never closes, which joins the two
// head lines into one cell), and, with commas, fields without the padding that lines up the
// columns (", " between the words of format 9 becomes ",").

#include "scan/Settings.h"
#include "table/ListingSink.h"
#include "text/ErrorInfo.h"
#include "text/ReplaceFile.h"

#include <string>

namespace qd {

// The listed words that hold a character Windows-1252 lacks, each such character written as
// '?': how many, and the first of them in the file's order.
struct UnencodableWords {
    int32_t count = 0;
    ustring first;
};

class OutputFileSink : public ListingSink {
public:
    // commas: the lines come in the comma layout (OutputWithCommas).
    OutputFileSink(ListFormat displayFormat, FileEncoding encoding, bool commas)
        : format_(displayFormat), encoding_(encoding), commas_(commas) {}

    // Prepares the file at path. False, with failure() set, when it cannot: a missing folder
    // is error 76 "Path not found" naming the folder, a folder or a pipe at the path names
    // what it is.
    bool open(ustring_view path);
    // The two head lines and an empty line (after the byte-order mark of UTF-8).
    bool writeHead();
    // Completes the file; false, with failure() set, when the lines could not all be
    // written (an existing file is then left as it was).
    bool close();
    // Leaves an existing file as it was (what was written to a device stays written).
    void abandon() { file_.abandon(); }

    void header(ustring_view line) override;
    // Format 9 joins the words with ", " on one line that has no line end.
    void entry(ustring_view line, int32_t index) override;
    const ErrorInfo* failure() const override { return failed_ ? &error_ : nullptr; }
    // Always none in UTF-8.
    const UnencodableWords& unencodableWords() const { return unencodable_; }

private:
    // A line of the listing: unpadded when the fields must be, then written.
    void listLine(ustring_view line, bool lineEnd);
    // The line in the file's encoding, bytes_ reused.
    void writeLine(ustring_view line, bool lineEnd);
    void writeBytes();
    void noteUnencodable(ustring_view line);
    bool unpadded() const { return commas_ && encoding_ == FileEncoding::Utf8; }
    void fail();

    ListFormat format_;
    FileEncoding encoding_;
    bool commas_;
    FileWriter file_;
    std::string bytes_; // reused for every line
    ustring fields_;    // reused for every line whose fields lose their padding
    bool anyWord_ = false;
    bool failed_ = false;
    ErrorInfo error_;
    UnencodableWords unencodable_;
};

// The error of a failed FileWriter as the program reports it.
ErrorInfo FileWriterError(const FileWriter& file);

} // namespace qd
