#include "sources/PathIdentity.h"

#include "text/Folders.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace qd {

bool SameFile(ustring_view a, ustring_view b) {
    if (a.empty() || b.empty()) return false;
    const fs::path pa = ToPath(a);
    const fs::path pb = ToPath(b);
    std::error_code ec;
    if (fs::equivalent(pa, pb, ec) && !ec) return true;
    std::error_code eca, ecb;
    const fs::path ca = fs::weakly_canonical(pa, eca);
    const fs::path cb = fs::weakly_canonical(pb, ecb);
    if (!eca && !ecb) return ca == cb;
    return fs::absolute(pa, eca).lexically_normal() == fs::absolute(pb, ecb).lexically_normal();
}

} // namespace qd
