#include "sources/LineReader.h"

#include <algorithm>

namespace qd {

namespace {
constexpr size_t kBufferSize = 1 << 16;
}

LineReader::LineReader(ustring_view path) : file_(path), buffer_(kBufferSize) {
    failed_ = !file_.isOpen();
}

bool LineReader::fill() {
    if (eof_ || failed_) return false;
    size_t want = buffer_.size();
    if (limit_ >= 0 && int64_t(want) > limit_ - read_) want = size_t(limit_ - read_);
    ptrdiff_t n = want ? file_.read(buffer_.data(), want) : 0;
    if (n < 0) {
        failed_ = true;
        return false;
    }
    read_ += n;
    pos_ = 0;
    end_ = size_t(n);
    if (n == 0) eof_ = true;
    return n > 0;
}

bool LineReader::next(std::string& line, int& endLength) {
    line.clear();
    endLength = 0;
    if (failed_) return false;
    bool any = false;
    for (;;) {
        if (pos_ == end_ && !fill()) {
            if (failed_) return false;
            consumed_ += int64_t(line.size());
            return any;
        }
        any = true;
        const char* begin = buffer_.data() + pos_;
        const char* stop = buffer_.data() + end_;
        const char* found =
            std::find_if(begin, stop, [](char c) { return c == '\r' || c == '\n'; });
        line.append(begin, found);
        pos_ = size_t(found - buffer_.data());
        if (found == stop) continue;
        const char ender = *found;
        ++pos_;
        endLength = 1;
        if (ender == '\r') {
            // The LF of a CR LF pair may lie in the next block.
            if (pos_ == end_) fill();
            if (failed_) return false;
            if (pos_ < end_ && buffer_[pos_] == '\n') {
                ++pos_;
                endLength = 2;
            }
        }
        consumed_ += int64_t(line.size()) + endLength;
        return true;
    }
}

} // namespace qd
