#include "text/Yielder.h"

#include "text/Host.h"

namespace qd {

void Yielder::processNow() {
    if (host_) {
        ++processed_;
        host_->processEvents();
        last_ = clock_();
    }
}

} // namespace qd
