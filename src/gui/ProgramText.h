#pragma once
// Numbered program texts as the windows show them.

#include <QString>

namespace qd {
struct RunState;
}

namespace qd::gui {

QString ProgramText(const RunState& state, int n);

} // namespace qd::gui
