#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace qd::gui {

namespace {

const QScreen* ScreenOf(const QWidget* w) {
    if (w && w->screen()) return w->screen();
    return QGuiApplication::primaryScreen();
}

double DpiX(const QWidget* w) {
    const QScreen* s = ScreenOf(w);
    return s ? s->logicalDotsPerInchX() : 96.0;
}

double DpiY(const QWidget* w) {
    const QScreen* s = ScreenOf(w);
    return s ? s->logicalDotsPerInchY() : 96.0;
}

} // namespace

int TwipsToPixelsX(double twips, const QWidget* w) {
    return int(std::lround(twips * DpiX(w) / kTwipsPerInch));
}

int TwipsToPixelsY(double twips, const QWidget* w) {
    return int(std::lround(twips * DpiY(w) / kTwipsPerInch));
}

double PixelsToTwipsX(int pixels, const QWidget* w) {
    return pixels * double(kTwipsPerInch) / DpiX(w);
}

double PixelsToTwipsY(int pixels, const QWidget* w) {
    return pixels * double(kTwipsPerInch) / DpiY(w);
}

} // namespace qd::gui
