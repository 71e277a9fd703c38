#include "text/ReplaceFile.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qd {

namespace {

constexpr size_t kBufferBytes = 1 << 16;
constexpr int kMaxLinks = 40; // as the system's own limit on links in one path

// Syncs the folder that holds a renamed file, so that the new name survives a power cut.
int SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    const int error = ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
    ::close(fd);
    return error;
}

// The temporary file's name beside the destination's: a dot, that name, this process and the
// attempt. The destination's name is shortened (never inside a UTF-8 character) so that the
// whole stays within the folder's limit on the length of a name.
std::string TempFileName(const fs::path& folder, const std::string& name, int attempt) {
    long nameMax = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (nameMax <= 0) nameMax = NAME_MAX;
    const std::string tail =
        "." + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp";
    size_t keep = name.size();
    if (1 + keep + tail.size() > size_t(nameMax)) {
        keep = size_t(nameMax) > 1 + tail.size() ? size_t(nameMax) - 1 - tail.size() : 0;
        while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
            --keep;
    }
    return "." + name.substr(0, keep) + tail;
}

int SystemWritePermission(const fs::path& path) {
    return ::access(path.c_str(), W_OK) == 0 ? 0 : errno;
}

} // namespace

int (*WritePermission)(const fs::path& path) = SystemWritePermission;

std::string SystemErrorText(int errnoValue) {
    return std::generic_category().message(errnoValue);
}

const char* SpecialFileKind(mode_t mode) {
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a named pipe";
    if (S_ISSOCK(mode)) return "a socket";
    return "a device";
}

fs::path WriteDestination(const fs::path& target) {
    fs::path dest = target;
    for (int links = 0;; ++links) {
        struct stat info {};
        if (::lstat(dest.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return dest;
        if (links == kMaxLinks) {
            errno = ELOOP;
            return {};
        }
        std::error_code ec;
        const fs::path next = fs::read_symlink(dest, ec);
        if (ec) {
            errno = ec.value();
            return {};
        }
        dest = next.is_absolute() ? next : dest.parent_path() / next;
    }
}

bool FileWriter::open(const fs::path& target) {
    abandon();
    error_ = 0;
    notAFile_ = nullptr;
    destination_ = WriteDestination(target);
    if (destination_.empty()) return fail(errno);

    struct stat existing {};
    const bool exists = ::stat(destination_.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT) return fail(errno);
    if (exists && S_ISCHR(existing.st_mode)) {
        // Without O_NONBLOCK a device could hold the open; writes then wait as usual.
        fd_ = ::open(destination_.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd_ < 0) return fail(errno);
        struct stat opened {};
        if (::fstat(fd_, &opened) != 0) return fail(errno);
        if (!S_ISCHR(opened.st_mode)) {
            notAFile_ = SpecialFileKind(opened.st_mode);
            return fail(EINVAL);
        }
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
        device_ = true;
        return true;
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        notAFile_ = SpecialFileKind(existing.st_mode);
        return fail(S_ISDIR(existing.st_mode) ? EISDIR : EINVAL);
    }
    if (exists) {
        if (const int refused = WritePermission(destination_); refused != 0) return fail(refused);
    }

    fs::path folder = destination_.parent_path();
    if (folder.empty()) folder = ".";
    const std::string name = destination_.filename().string();
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temp_ = folder / TempFileName(folder, name, attempt);
        fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) {
            temp_.clear();
            return fail(errno);
        }
    }
    if (fd_ < 0) {
        temp_.clear();
        return fail(EEXIST);
    }
    tempMark_.mark(temp_, false);
    if (exists && ::fchmod(fd_, existing.st_mode & 07777) != 0) return fail(errno);
    return true;
}

bool FileWriter::write(std::string_view bytes) {
    if (error_ != 0 || fd_ < 0) return false;
    buffer_.append(bytes);
    return buffer_.size() < kBufferBytes || flush();
}

bool FileWriter::flush() {
    for (size_t done = 0; done < buffer_.size();) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return fail(n < 0 ? errno : EIO);
        done += size_t(n);
    }
    buffer_.clear();
    return true;
}

bool FileWriter::commit() {
    if (error_ != 0 || fd_ < 0) return false;
    if (!flush()) return false;
    if (!device_ && ::fsync(fd_) != 0) return fail(errno);
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) return fail(errno);
    if (device_) return true;
    if (::rename(temp_.c_str(), destination_.c_str()) != 0) return fail(errno);
    temp_.clear();
    tempMark_.clear();
    fs::path folder = destination_.parent_path();
    if (const int error = SyncFolder(folder.empty() ? fs::path(".") : folder); error != 0)
        return fail(error);
    return true;
}

void FileWriter::abandon() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    device_ = false;
    buffer_.clear();
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
    tempMark_.clear();
}

bool FileWriter::fail(int error) {
    if (error_ == 0) error_ = error;
    abandon();
    return false;
}

std::string FileWriter::errorText() const {
    if (notAFile_) return std::string("it is ") + notAFile_ + ", not a file";
    return SystemErrorText(error_);
}

std::string ReplaceFileContents(const fs::path& target, std::string_view bytes) {
    FileWriter file;
    if (!file.open(target) || !file.write(bytes) || !file.commit()) return file.errorText();
    return {};
}

} // namespace qd
