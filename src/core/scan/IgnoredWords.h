#pragma once
// The words to ignore, as the list reads (one space before and after each word) and as a set
// looked up in constant time, however long the list.

#include "text/UString.h"

#include <functional>
#include <unordered_set>

namespace qd {

class IgnoredWords {
public:
    // spaced is " one two " (the normalised list between two spaces) or empty.
    void assign(ustring spaced);
    void clear() { assign({}); }
    bool empty() const { return text_.empty(); }
    const ustring& text() const { return text_; }

    // Whether the list holds loweredWord between two spaces.
    bool contains(ustring_view loweredWord) const {
        return !text_.empty() && words_.find(loweredWord) != words_.end();
    }

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(ustring_view s) const { return std::hash<ustring_view>{}(s); }
    };
    ustring text_;
    std::unordered_set<ustring, Hash, std::equal_to<>> words_;
};

} // namespace qd
