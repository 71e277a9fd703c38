#pragma once
// Streams a text file line by line without ever holding it whole: the file is read in large
// blocks and split at CR, CR LF or a lone LF. A line comes back as a view of its bytes, valid
// until the next call; converting it (Windows-1252, trimming) is the caller's business, so
// that the caller can reuse its own buffer.

#include "text/ErrorInfo.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace qd {

class TextFileReader {
public:
    // A line longer than this is handed out in parts of about this size, so that a file
    // without line ends is streamed in bounded memory like any other.
    static constexpr size_t kDefaultPartLimit = size_t(1) << 20;

    explicit TextFileReader(size_t blockSize = size_t(1) << 18,
                            size_t partLimit = kDefaultPartLimit);
    ~TextFileReader();
    TextFileReader(const TextFileReader&) = delete;
    TextFileReader& operator=(const TextFileReader&) = delete;

    // Opens the file for reading; false with error() set when it cannot be opened.
    bool open(const std::filesystem::path& path);
    // Reads from fd, a stream already open (standard input, a pipe), which close() leaves
    // open.
    void attach(int fd);
    void close();

    // The start of the stream, read before the first line is taken and without taking
    // anything: reads until the first block is full or the stream ends. atEnd() tells
    // whether the end was met, so that the head is the whole stream.
    std::string_view head();
    bool atEnd() const { return eof_; }

    // The next line's bytes, without its line end. False at the end of the file or after a
    // read error (then error() tells which). consumed() is the number of bytes this line
    // took from the file, its line end included. When lineContinues(), the bytes are only a
    // part of a long line, and the next call gives more of it.
    bool nextLine(std::string_view& line);
    int64_t consumed() const { return consumed_; }
    bool lineContinues() const { return continues_; }

    // Reads no further than this many bytes from the start, as if the file ended there.
    void setByteLimit(int64_t limit) { limit_ = limit; }

    // While a read waits for a stream's bytes, it also watches wakeFd (-1: none): once that
    // is readable the stream ends there, so that another thread can end a read that would
    // wait for ever. Just before such a wait, beforeWaiting (if any) is called, so that what
    // was read so far can be handed on. A regular file or a stream that does not wait is
    // read as before. Set after open() or attach(), which clear it.
    void setWakeFd(int wakeFd, std::function<void()> beforeWaiting = {});

    bool failed() const { return error_.number != 0; }
    const ErrorInfo& error() const { return error_; }

private:
    void reset();
    bool refill();
    // Reads up to max bytes (within the byte limit) to at: their number, 0 at the end or
    // -1 after an error.
    ssize_t readSome(char* at, size_t max);

    // Waits until fd_ has bytes, its end or an error: false when the wake fd came first.
    bool awaitBytes();

    int fd_ = -1;
    bool ownsFd_ = true;
    int wakeFd_ = -1;
    std::function<void()> beforeWaiting_;
    bool mayWait_ = false; // a read of fd_ may wait (set with the wake fd)
    std::string block_;
    size_t pos_ = 0;
    size_t end_ = 0;
    bool eof_ = false;
    std::string carry_;          // the start of a line that crosses a block boundary
    bool carryReturned_ = false; // the last line handed out was carry_ itself
    bool continues_ = false;
    size_t partLimit_;
    int64_t consumed_ = 0;
    int64_t limit_ = -1;
    int64_t read_ = 0; // bytes read from the file so far
    ErrorInfo error_;
};

} // namespace qd
