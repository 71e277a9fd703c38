#include "scan/BinarySearch.h"

namespace qd {

bool BinarySearchStrings(ustring_view key, const std::vector<ustring>& strings, int32_t n,
                         int32_t& pos, int32_t start) {
    if (n > int32_t(strings.size())) n = int32_t(strings.size());
    const size_t skip = start > 1 ? size_t(start - 1) : 0;
    return BinarySearchSorted(key, n, pos, [&](int32_t i) {
        const ustring_view s = strings[size_t(i - 1)];
        return skip < s.size() ? s.substr(skip) : ustring_view();
    });
}

} // namespace qd
