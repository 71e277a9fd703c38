#pragma once
// Window places and sizes given in twips (1440 to the inch), turned into pixels at the
// screen's logical resolution.

#include <QPoint>
#include <QSize>

class QWidget;

namespace qd::gui {

inline constexpr int kTwipsPerInch = 1440;

// Pixels for a horizontal or vertical length in twips on the screen that shows w (the primary
// screen when w is null or not yet shown). Rounded to the nearest pixel.
int TwipsToPixelsX(double twips, const QWidget* w = nullptr);
int TwipsToPixelsY(double twips, const QWidget* w = nullptr);
double PixelsToTwipsX(int pixels, const QWidget* w = nullptr);
double PixelsToTwipsY(int pixels, const QWidget* w = nullptr);

inline QPoint TwipsToPixels(double xTwips, double yTwips, const QWidget* w = nullptr) {
    return {TwipsToPixelsX(xTwips, w), TwipsToPixelsY(yTwips, w)};
}

} // namespace qd::gui
