#include "text/Yielder.h"

#include "text/Host.h"

namespace qd {

void Yielder::tick() {
    if (!host_) return;
    if (everyCall_) {
        processNow();
        return;
    }
    const TimePoint now = clock_();
    if (now - last_ >= interval_) {
        last_ = now;
        processNow();
    }
}

void Yielder::processNow() {
    if (host_) {
        ++processed_;
        host_->processEvents();
        last_ = clock_();
    }
}

} // namespace qd
