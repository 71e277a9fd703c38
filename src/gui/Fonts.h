#pragma once
// The program's font roles. The families are the program's traditional ones; where they are
// not installed the nearest family of the same kind stands in.

#include <QFont>

namespace qd::gui {

enum class FontRole {
    Arial,      // captions of frames, buttons, check boxes, labels, lists; intro and help text
    CourierNew, // the file boxes, the output box, the progress bar: columns must line up
    Tahoma,     // the pop-up message
    Symbol,     // the twirler's arrows
};

// The font of a role; pointSize 0 keeps the application's size.
QFont RoleFont(FontRole role, double pointSize = 0);

// The four arrows left, up, right and down that stand for the twirler's characters.
QChar TwirlerGlyph(char16_t twirlerChar);

} // namespace qd::gui
