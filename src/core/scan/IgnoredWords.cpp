#include "scan/IgnoredWords.h"

namespace qd {

void IgnoredWords::assign(ustring spaced) {
    text_ = std::move(spaced);
    words_.clear();
    // Every stretch between two spaces is a word of the list (an empty one between two
    // adjacent spaces too, as a search for " word " would find it).
    const ustring_view text = text_;
    for (size_t start = text.find(u' '); start != ustring_view::npos;) {
        const size_t end = text.find(u' ', start + 1);
        if (end == ustring_view::npos) break;
        words_.emplace(text.substr(start + 1, end - start - 1));
        start = end;
    }
}

} // namespace qd
