#include "sources/RawFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qd {

RawFile::RawFile(ustring_view path) {
    const std::string name = ToUtf8(path);
    fd_ = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        error_ = std::error_code(errno, std::generic_category());
        return;
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        error_ = std::error_code(errno, std::generic_category());
    } else if (!S_ISREG(info.st_mode)) {
        // Pipes and devices have no end to read to: refuse them as unreadable.
        error_ = std::make_error_code(std::errc::invalid_argument);
    } else {
        length_ = int64_t(info.st_size);
        return;
    }
    ::close(fd_);
    fd_ = -1;
}

RawFile::~RawFile() {
    if (fd_ >= 0) ::close(fd_);
}

ptrdiff_t RawFile::read(char* buffer, size_t size) {
    if (fd_ < 0) return -1;
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::read(fd_, buffer + done, size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            error_ = std::error_code(errno, std::generic_category());
            return -1;
        }
        if (n == 0) break;
        done += size_t(n);
    }
    return ptrdiff_t(done);
}

bool RawFile::readInto(std::string& out, int64_t maxBytes) {
    constexpr size_t kChunk = 1 << 16;
    int64_t left = maxBytes;
    const int64_t expected = left >= 0 && left < length_ ? left : length_;
    if (expected > 0) out.reserve(out.size() + size_t(expected) + 1);
    for (;;) {
        size_t want = kChunk;
        if (left >= 0) {
            if (left == 0) return true;
            if (int64_t(want) > left) want = size_t(left);
        }
        const size_t start = out.size();
        out.resize(start + want);
        ptrdiff_t n = read(out.data() + start, want);
        if (n < 0) {
            out.resize(start);
            return false;
        }
        out.resize(start + size_t(n));
        if (left >= 0) left -= n;
        if (size_t(n) < want) return true;
    }
}

bool RawFile::seekFromEnd(int64_t offset) {
    if (fd_ < 0) return false;
    const int64_t at = offset < length_ ? length_ - offset : 0;
    return ::lseek(fd_, off_t(at), SEEK_SET) == off_t(at);
}

bool IsPermissionDenied(std::error_code error) {
    return error == std::errc::permission_denied || error == std::errc::operation_not_permitted;
}

} // namespace qd
