#pragma once
// The help window's text: eleven paragraphs, each followed by an empty line. It is built into
// the program and does not follow the language of the program texts.

#include <QString>

namespace qd::gui {

QString HelpText();

} // namespace qd::gui
