#include "CoreStandIns.h"

#include "Host.h"

namespace qd::gui::standin {

void cmdListWords_Click(RunState& state) {
    state.host.message(u"Counting is not available yet.", u"Quorvel Dorvane", MsgIcon::Information);
}

} // namespace qd::gui::standin
