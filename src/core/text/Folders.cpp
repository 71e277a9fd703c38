#include "text/Folders.h"

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

ustring CreateTempFolder(const fs::path& root, ustring_view stem, bool addTrailingSeparator) {
    std::error_code ec;
    if (!fs::is_directory(root, ec)) return {};
    for (int n = 1; n <= 999; ++n) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%03d", n);
        fs::path candidate = root / (ToUtf8(stem) + digits);
        if (fs::exists(fs::symlink_status(candidate, ec))) continue;
        // create_directory reports false when something appeared in between: try the next.
        if (!fs::create_directory(candidate, ec)) {
            if (ec) return {};
            continue;
        }
        ustring result = FromPath(candidate);
        if (addTrailingSeparator) result.push_back(char16_t(fs::path::preferred_separator));
        return result;
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
