#include "Fonts.h"

#include <QApplication>
#include <QFontDatabase>

namespace qd::gui {

QFont RoleFont(FontRole role, double pointSize) {
    QFont font = QApplication::font();
    switch (role) {
    case FontRole::Arial:
    case FontRole::Symbol: // arrows are drawn from ordinary characters, see TwirlerGlyph
        font.setFamilies({"Arial", "Liberation Sans", "Helvetica", "DejaVu Sans"});
        font.setStyleHint(QFont::SansSerif);
        break;
    case FontRole::Tahoma:
        font.setFamilies({"Tahoma", "DejaVu Sans", "Verdana", "Liberation Sans"});
        font.setStyleHint(QFont::SansSerif);
        break;
    case FontRole::CourierNew: {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        QStringList families = {"Courier New", "Liberation Mono", "DejaVu Sans Mono"};
        families.append(font.families());
        font.setFamilies(families);
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
        break;
    }
    }
    if (pointSize > 0) font.setPointSizeF(pointSize);
    return font;
}

QChar TwirlerGlyph(char16_t twirlerChar) {
    // The Symbol font draws codes 172 to 175 as the arrows left, up, right and down.
    if (twirlerChar >= 172 && twirlerChar <= 175)
        return QChar(char16_t(0x2190 + twirlerChar - 172));
    return QChar(twirlerChar);
}

} // namespace qd::gui
