#include "text/Folders.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qd {

fs::path ToPath(ustring_view path) {
    return fs::path(ToUtf8(path));
}

ustring FromPath(const fs::path& path) {
    return FromUtf8(path.string());
}

bool IsDirectory(ustring_view path) {
    ustring_view trimmed = TrimSpaces(path);
    if (trimmed.empty()) return false;
    std::error_code ec;
    return fs::is_directory(ToPath(trimmed), ec);
}

bool FileExists(ustring_view path) {
    if (path.empty()) return false;
    std::error_code ec;
    const auto status = fs::status(ToPath(path), ec);
    return !ec && fs::exists(status) && !fs::is_directory(status);
}

int64_t FileLength(ustring_view path) {
    std::error_code ec;
    auto size = fs::file_size(ToPath(path), ec);
    return ec ? -1 : int64_t(size);
}

fs::path SystemTempRoot() {
    std::error_code ec;
    fs::path root = fs::temp_directory_path(ec);
    return ec ? fs::path("/tmp") : root;
}

void TempFolderClaim::release() {
    if (fd_ < 0) return;
    folderMark_.clear();
    struct stat info {};
    // Unlinked while still locked, so that nobody takes over a lock file on its way out.
    if (::lstat(folder_.c_str(), &info) != 0) ::unlink(lockFile_.c_str());
    ::close(fd_);
    fd_ = -1;
    lockMark_.clear();
}

namespace {

// Locks the lock file of a numbered folder. Tells whether the file was there before.
enum class Lock { Taken, TakenNew, InUse };

Lock LockFile(const fs::path& lockFile, int& fd) {
    bool existed = true;
    fd = ::open(lockFile.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        existed = false;
        fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    }
    if (fd < 0) return Lock::InUse;
    // The lock must be on the file that still has that name, and the file this user's.
    struct stat locked {
    }, named{};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &locked) == 0 &&
        ::lstat(lockFile.c_str(), &named) == 0 && locked.st_dev == named.st_dev &&
        locked.st_ino == named.st_ino && S_ISREG(named.st_mode) && named.st_uid == ::geteuid())
        return existed ? Lock::Taken : Lock::TakenNew;
    ::close(fd);
    fd = -1;
    return Lock::InUse;
}

} // namespace

ustring CreateTempFolder(const fs::path& root, ustring_view stem, bool addTrailingSeparator,
                         TempFolderClaim& claim) {
    claim.release();
    std::error_code ec;
    if (!fs::is_directory(root, ec)) return {};
    for (int n = 1; n <= 999; ++n) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%03d", n);
        const fs::path candidate = root / (ToUtf8(stem) + digits);
        const fs::path lockFile = root / (ToUtf8(stem) + digits + ".lock");
        int fd = -1;
        const Lock lock = LockFile(lockFile, fd);
        if (lock == Lock::InUse) continue;
        // Holding the lock, the number is ours; a folder there is a leftover when its lock
        // file was there before, and only then.
        struct stat info {};
        bool free = ::lstat(candidate.c_str(), &info) != 0;
        if (!free && lock == Lock::Taken && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid()) {
            DeleteFolder(FromPath(candidate), true);
            free = ::lstat(candidate.c_str(), &info) != 0;
        }
        if (free && ::mkdir(candidate.c_str(), 0700) == 0) {
            claim.fd_ = fd;
            claim.folder_ = candidate;
            claim.lockFile_ = lockFile;
            claim.lockMark_.mark(lockFile, false);
            claim.folderMark_.mark(candidate, true);
            ustring result = FromPath(candidate);
            if (addTrailingSeparator) result.push_back(char16_t(fs::path::preferred_separator));
            return result;
        }
        if (lock == Lock::TakenNew) ::unlink(lockFile.c_str());
        ::close(fd);
    }
    return {};
}

void DeleteFolder(ustring_view path, bool force) {
    if (path.empty()) return;
    const fs::path folder = ToPath(path);
    std::error_code ec;
    if (force) {
        // Make read-only entries writable so that they can go too.
        for (auto it = fs::recursive_directory_iterator(folder, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(folder, ec);
}

fs::path DefaultProgramFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        fs::path folder = exe.parent_path();
        if (fs::exists(folder / "dvn.dat", ec)) return folder;
        // An installed tree moved elsewhere as a whole: bin/ beside share/quorvel-dorvane/.
        fs::path installed = folder.parent_path() / "share" / "quorvel-dorvane";
        if (fs::exists(installed / "dvn.dat", ec)) return installed;
    }
#ifdef QD_DATA_DIR
    return fs::path(QD_DATA_DIR);
#else
    return ec ? fs::current_path(ec) : exe.parent_path();
#endif
}

Environment DefaultEnvironment() {
    return {SystemTempRoot(), DefaultProgramFolder()};
}

} // namespace qd
