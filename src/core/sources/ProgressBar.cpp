#include "sources/ProgressBar.h"

#include <cmath>

namespace qd {

int ProgressBarPosition(int width, int64_t done, int64_t total) {
    if (total <= 0) return 0;
    // nearbyint rounds halves to even in the default rounding mode.
    return int(std::nearbyint(double(width) * double(done) / double(total)));
}

ustring ProgressBarCaption(int p, int width) {
    ustring caption = u"[";
    if (p <= 0) {
        caption += u'>';
        caption.append(size_t(width > 0 ? width : 0), u' ');
    } else {
        caption.append(size_t(p - 1), u'-');
        caption += u'>';
        if (p <= width) caption.append(size_t(width - p), u' ');
    }
    caption += u']';
    return caption;
}

} // namespace qd
