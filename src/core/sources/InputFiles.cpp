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

std::vector<ustring> CountableFilesUnder(ustring_view folder, ustring_view excluded) {
    const fs::path root = ToPath(folder);
    std::vector<std::pair<std::string, ustring>> found; // relative path's bytes, full path
    std::error_code ec;
    fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        // A link to a file is read as the file; one to a folder is not entered (the
        // iterator never follows it) and is no regular file either.
        if (!it->is_regular_file(typeError)) continue;
        const ustring path = FromPath(it->path());
        if (!IsCountableFile(path) || SameFile(path, excluded)) continue;
        found.emplace_back(it->path().lexically_relative(root).native(), path);
    }
    // std::string compares its chars as unsigned: byte order.
    std::sort(found.begin(), found.end());
    std::vector<ustring> files;
    files.reserve(found.size());
    for (auto& [relative, path] : found)
        files.push_back(std::move(path));
    return files;
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
