#pragma once
// A regular file opened for reading raw bytes. Opening never blocks (a named pipe or a device
// is refused rather than waited on), and every failure is kept as a system error code.

#include "text/UString.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <system_error>

namespace qd {

class RawFile {
public:
    explicit RawFile(ustring_view path);
    ~RawFile();
    RawFile(const RawFile&) = delete;
    RawFile& operator=(const RawFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // Why opening or the last read failed; empty otherwise.
    std::error_code error() const { return error_; }
    // The length found when the file was opened.
    int64_t length() const { return length_; }

    // Reads up to size bytes; fewer only at the end of the file. -1 on an error.
    ptrdiff_t read(char* buffer, size_t size);
    // Appends up to maxBytes bytes (all that remain when maxBytes is negative); false on an
    // error, with what was read before it kept.
    bool readInto(std::string& out, int64_t maxBytes = -1);
    // Goes to offset bytes before the end (the start, when the file is shorter).
    bool seekFromEnd(int64_t offset);

private:
    int fd_ = -1;
    int64_t length_ = 0;
    std::error_code error_;
};

// Whether an error means the file may not be read (rather than that it broke).
bool IsPermissionDenied(std::error_code error);

} // namespace qd
