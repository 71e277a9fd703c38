#include "table/OutputFileSink.h"

#include "text/Folders.h"

#include <cerrno>

namespace qd {

OutputFileSink::~OutputFileSink() {
    if (file_) std::fclose(file_);
}

bool OutputFileSink::open(ustring_view path) {
    errno = 0;
#ifdef _WIN32
    file_ = _wfopen(ToPath(path).c_str(), L"wb");
#else
    file_ = std::fopen(ToPath(path).c_str(), "wb");
#endif
    if (file_) return true;
    fail();
    // Creating a file fails this way only when its folder is missing.
    if (error_.number == 53) error_ = {76, u"Path not found"};
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
    if (!file_) return !failed_;
    errno = 0;
    const bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!ok && !failed_) fail();
    return ok && !failed_;
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
    if (failed_ || !file_) return;
    bytes_.clear();
    for (char16_t c : line) {
        const int b = UnicodeToCp1252(c);
        bytes_.push_back(b < 0 ? '?' : char(b));
    }
    if (lineEnd) bytes_ += "\r\n";
    errno = 0;
    if (!bytes_.empty() && std::fwrite(bytes_.data(), 1, bytes_.size(), file_) != bytes_.size())
        fail();
}

void OutputFileSink::fail() {
    failed_ = true;
    error_ = FileErrorInfo(errno != 0 ? errno : EIO);
}

} // namespace qd
