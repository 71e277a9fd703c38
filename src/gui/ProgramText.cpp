#include "ProgramText.h"

#include "QtText.h"
#include "count/RunState.h"

namespace qd::gui {

QString ProgramText(const RunState& state, int n) {
    return toQ(state.texts.GetText(n));
}

} // namespace qd::gui
