#include "table/OutputFileSink.h"

#include "text/Folders.h"

#include <cerrno>

namespace qd {

ErrorInfo FileWriterError(const FileWriter& file) {
    if (file.notAFile()) return {75, u"Path/File access error: " + FromUtf8(file.errorText())};
    // Creating a file fails this way only when its folder is missing.
    if (file.error() == ENOENT) return {76, u"Path not found"};
    return FileErrorInfo(file.error());
}

bool OutputFileSink::open(ustring_view path) {
    if (file_.open(ToPath(path))) return true;
    fail();
    return false;
}

bool OutputFileSink::writeHead(bool commas) {
    writeLine(commas ? u"\"To open this file in Excel state that it is delimited by commas."
                     : u"\"To open this file in Excel state that it is delimited by spaces.",
              true);
    writeLine(u"\"Set File Origin: Windows (ANSI) & Text qualifier: double-quote.", true);
    writeLine(u"", true);
    return !failed_;
}

bool OutputFileSink::close() {
    if (failed_) {
        file_.abandon();
        return false;
    }
    if (file_.commit()) return true;
    fail();
    return false;
}

void OutputFileSink::header(ustring_view line) {
    writeLine(line, true);
}

void OutputFileSink::entry(ustring_view line, int32_t) {
    if (format_ != ListFormat::WordsWithCommas) {
        writeLine(line, true);
        return;
    }
    if (anyWord_) writeLine(u", ", false);
    anyWord_ = true;
    writeLine(line, false);
}

void OutputFileSink::writeLine(ustring_view line, bool lineEnd) {
    if (failed_) return;
    bytes_.clear();
    for (char16_t c : line) {
        const int b = UnicodeToCp1252(c);
        bytes_.push_back(b < 0 ? '?' : char(b));
    }
    if (lineEnd) bytes_ += "\r\n";
    if (!file_.write(bytes_)) fail();
}

void OutputFileSink::fail() {
    failed_ = true;
    error_ = FileWriterError(file_);
}

} // namespace qd
