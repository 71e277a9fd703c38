#include "sources/TextFileReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qd {

namespace {

// The first CR or LF in [p, e), or e. Eight bytes at a time: a byte of the word that equals
// CR or LF leaves a zero byte after the XOR, which the classic zero-byte test finds.
const char* LineEndIn(const char* p, const char* e) {
    constexpr uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
    auto hasZeroByte = [](uint64_t x) { return (x - kOnes) & ~x & kHighs; };
    for (; e - p >= 8; p += 8) {
        uint64_t word;
        std::memcpy(&word, p, sizeof word);
        if (hasZeroByte(word ^ (kOnes * '\n')) | hasZeroByte(word ^ (kOnes * '\r'))) break;
    }
    while (p != e && *p != '\r' && *p != '\n')
        ++p;
    return p;
}

} // namespace

TextFileReader::TextFileReader(size_t blockSize, size_t partLimit)
    : block_(blockSize ? blockSize : 1, '\0'), partLimit_(partLimit ? partLimit : 1) {}

TextFileReader::~TextFileReader() {
    close();
}

void TextFileReader::reset() {
    close();
    error_ = {};
    pos_ = end_ = 0;
    eof_ = false;
    read_ = 0;
    carry_.clear();
    carryReturned_ = false;
    wakeFd_ = -1;
    beforeWaiting_ = nullptr;
    mayWait_ = false;
}

void TextFileReader::attach(int fd) {
    reset();
    fd_ = fd;
    ownsFd_ = false;
}

std::string_view TextFileReader::head() {
    if (pos_ == 0 && !eof_ && !failed() && fd_ >= 0) {
        while (end_ < block_.size()) {
            const ssize_t n = readSome(block_.data() + end_, block_.size() - end_);
            if (n < 0) break;
            if (n == 0) {
                eof_ = true;
                break;
            }
            end_ += size_t(n);
        }
    }
    return std::string_view(block_.data() + pos_, end_ - pos_);
}

bool TextFileReader::open(const std::filesystem::path& path) {
    reset();
    ownsFd_ = true;
    // Without waiting: a named pipe put in a file's place must not hang the program.
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        error_ = FileErrorInfo(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        error_ = S_ISDIR(info.st_mode) ? FileErrorInfo(EISDIR)
                                       : ErrorInfo{75, u"Path/File access error: not a file"};
        close();
        return false;
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
    return true;
}

void TextFileReader::close() {
    if (fd_ >= 0 && ownsFd_) ::close(fd_);
    fd_ = -1;
}

bool TextFileReader::refill() {
    if (eof_ || failed() || fd_ < 0) return false;
    const ssize_t n = readSome(block_.data(), block_.size());
    if (n < 0) return false;
    pos_ = 0;
    end_ = size_t(n);
    if (n == 0) eof_ = true;
    return n > 0;
}

void TextFileReader::setWakeFd(int wakeFd, std::function<void()> beforeWaiting) {
    wakeFd_ = wakeFd;
    beforeWaiting_ = std::move(beforeWaiting);
    struct stat info {};
    mayWait_ = wakeFd >= 0 && fd_ >= 0 && ::fstat(fd_, &info) == 0 && !S_ISREG(info.st_mode) &&
               !(::fcntl(fd_, F_GETFL) & O_NONBLOCK);
}

bool TextFileReader::awaitBytes() {
    pollfd watched[2] = {{fd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    int timeout = 0; // a look first: the warning comes only before a real wait
    for (;;) {
        const int n = ::poll(watched, 2, timeout);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) {
            if (beforeWaiting_) beforeWaiting_();
            timeout = -1;
            continue;
        }
        // A failed poll leaves the verdict to the read.
        return n < 0 || watched[1].revents == 0;
    }
}

ssize_t TextFileReader::readSome(char* at, size_t max) {
    if (limit_ >= 0) max = size_t(std::min<int64_t>(int64_t(max), limit_ - read_));
    if (max == 0) return 0;
    if (mayWait_ && !awaitBytes()) return 0;
    ssize_t n;
    do {
        n = ::read(fd_, at, max);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        error_ = FileErrorInfo(errno);
        return -1;
    }
    read_ += n;
    return n;
}

bool TextFileReader::nextLine(std::string_view& line) {
    consumed_ = 0;
    const bool midLine = continues_; // the last part handed out was not the line's last
    continues_ = false;
    if (carryReturned_) {
        carry_.clear();
        carryReturned_ = false;
    }
    for (;;) {
        if (pos_ == end_ && !refill()) {
            if (failed() || (carry_.empty() && !midLine)) return false;
            // The last line has no line end.
            line = carry_;
            consumed_ = int64_t(carry_.size());
            carryReturned_ = true;
            return true;
        }
        const char* base = block_.data();
        const char* p = base + pos_;
        const char* e = base + end_;
        const char* q = LineEndIn(p, e);
        if (q == e) {
            carry_.append(p, e);
            pos_ = end_;
            if (carry_.size() >= partLimit_) {
                line = carry_;
                consumed_ = int64_t(carry_.size());
                carryReturned_ = true;
                continues_ = true;
                return true;
            }
            continue;
        }
        pos_ = size_t(q - base) + 1;
        size_t lineEnd = 1;
        std::string_view bytes(p, size_t(q - p));
        if (!carry_.empty()) {
            carry_.append(bytes);
            bytes = carry_;
            carryReturned_ = true;
        }
        if (*q == '\r') {
            if (pos_ < end_) {
                if (block_[pos_] == '\n') {
                    ++pos_;
                    lineEnd = 2;
                }
            } else {
                // The LF of a CR LF pair may open the next block: keep the line safe first.
                if (!carryReturned_) {
                    carry_.assign(bytes);
                    bytes = carry_;
                    carryReturned_ = true;
                }
                if (refill() && block_[pos_] == '\n') {
                    ++pos_;
                    lineEnd = 2;
                }
            }
        }
        line = bytes;
        consumed_ = int64_t(bytes.size() + lineEnd);
        return true;
    }
}

} // namespace qd
