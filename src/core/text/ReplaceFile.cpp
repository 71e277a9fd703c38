#include "text/ReplaceFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qd {

std::string SystemErrorText(int errnoValue) {
    return std::generic_category().message(errnoValue);
}

std::string ReplaceFileContents(const fs::path& target, std::string_view bytes) {
    std::error_code ec;
    fs::path dest = target;
    if (fs::is_symlink(dest, ec)) {
        fs::path resolved = fs::weakly_canonical(dest, ec);
        if (!ec) dest = resolved;
    }
    struct stat existing {};
    const bool exists = ::stat(dest.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) return SystemErrorText(EISDIR);

    fs::path folder = dest.parent_path();
    if (folder.empty()) folder = ".";
    const std::string stem = "." + dest.filename().string() + "." + std::to_string(::getpid());
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder / (stem + "-" + std::to_string(attempt) + ".tmp");
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return SystemErrorText(errno);
    }
    if (fd < 0) return SystemErrorText(EEXIST);

    auto abandon = [&](int err) {
        if (fd >= 0) ::close(fd);
        ::unlink(temp.c_str());
        return SystemErrorText(err);
    };
    if (exists && ::fchmod(fd, existing.st_mode & 07777) != 0) return abandon(errno);
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return abandon(errno);
        }
        done += size_t(n);
    }
    if (::fsync(fd) != 0) return abandon(errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return abandon(errno);
    if (::rename(temp.c_str(), dest.c_str()) != 0) return abandon(errno);
    return {};
}

} // namespace qd
