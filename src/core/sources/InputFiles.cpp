#include "sources/InputFiles.h"

#include "sources/FileNames.h"
#include "sources/PathIdentity.h"
#include "text/Folders.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>

namespace fs = std::filesystem;

namespace qd {

namespace {

// What a walk has found so far: full paths keyed by the bytes of their relative path.
struct Walk {
    fs::path root;
    ustring_view excluded;
    std::vector<std::pair<std::string, ustring>> files;
    std::vector<std::pair<std::string, UnreadableFolder>> unreadable;
};

// Lists one folder and then the folders it holds, one open folder at a time however deep.
void WalkFolder(Walk& walk, const fs::path& folder) {
    std::vector<fs::path> subfolders;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        // A link to a folder is not entered; a link to a file is read as the file.
        if (it->is_directory(typeError) && !it->is_symlink(typeError)) {
            subfolders.push_back(it->path());
            continue;
        }
        if (!it->is_regular_file(typeError)) continue;
        ustring path = FromPath(it->path());
        if (!IsCountableFile(path) || SameFile(path, walk.excluded)) continue;
        walk.files.emplace_back(it->path().lexically_relative(walk.root).native(), std::move(path));
    }
    if (ec)
        walk.unreadable.push_back({folder.lexically_relative(walk.root).native(),
                                   {FromPath(folder), FromUtf8(ec.message())}});
    for (const fs::path& subfolder : subfolders)
        WalkFolder(walk, subfolder);
}

} // namespace

FolderFiles CountableFilesUnder(ustring_view folder, ustring_view excluded) {
    Walk walk{ToPath(folder), excluded, {}, {}};
    WalkFolder(walk, walk.root);
    // std::string compares its chars as unsigned: byte order.
    std::sort(walk.files.begin(), walk.files.end());
    std::sort(walk.unreadable.begin(), walk.unreadable.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    FolderFiles found;
    found.files.reserve(walk.files.size());
    for (auto& [relative, path] : walk.files)
        found.files.push_back(std::move(path));
    for (auto& [relative, unreadable] : walk.unreadable)
        found.unreadable.push_back(std::move(unreadable));
    return found;
}

ustring JoinInputList(const std::vector<ustring>& paths) {
    if (paths.size() == 1) return paths.front();
    ustring line;
    for (const ustring& path : paths) {
        if (!line.empty()) line += u' ';
        line += u'"' + path + u'"';
    }
    return line;
}

std::vector<ustring> SplitInputList(ustring_view line) {
    const ustring_view trimmed = TrimSpaces(line);
    if (trimmed.empty()) return {};
    if (trimmed.front() != u'"') return {ustring(trimmed)};
    std::vector<ustring> paths;
    size_t pos = 0;
    while (pos < trimmed.size()) {
        const size_t open = trimmed.find(u'"', pos);
        if (open == ustring_view::npos) break;
        size_t close = trimmed.find(u'"', open + 1);
        if (close == ustring_view::npos) close = trimmed.size();
        const ustring_view path = TrimSpaces(trimmed.substr(open + 1, close - open - 1));
        if (!path.empty()) paths.emplace_back(path);
        pos = close + 1;
    }
    return paths;
}

} // namespace qd
