#include "ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <algorithm>

namespace qd::gui {

namespace {

// The free area of the screen at place, else of the window's own screen.
QRect FreeArea(const QWidget* window, QPoint place) {
    const QScreen* screen = QGuiApplication::screenAt(place);
    if (!screen) screen = window->screen();
    return screen ? screen->availableGeometry() : QRect(place, window->size());
}

QSize Borders(const QWidget* window) {
    return window->frameGeometry().size() - window->size();
}

} // namespace

ScrollingPage::ScrollingPage(QWidget* content, QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    // The controls take the focus; the area scrolls to the one that has it.
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(true);
    setWidget(content);
}

QSize ScrollingPage::sizeHint() const {
    const int frame = 2 * frameWidth();
    return widget() ? widget()->sizeHint() + QSize(frame, frame) : QScrollArea::sizeHint();
}

QMargins WindowMargins(const QWidget* window) {
    const QStyle* style = window->style();
    return {style->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, window),
            style->pixelMetric(QStyle::PM_LayoutTopMargin, nullptr, window),
            style->pixelMetric(QStyle::PM_LayoutRightMargin, nullptr, window),
            style->pixelMetric(QStyle::PM_LayoutBottomMargin, nullptr, window)};
}

QSize SizeWithinScreen(const QWidget* window, QSize wanted, QPoint place) {
    const QRect free = FreeArea(window, place);
    const QSize room =
        QSize(free.right() - place.x() + 1, free.bottom() - place.y() + 1) - Borders(window);
    return wanted.boundedTo(room)
        .expandedTo(window->minimumSizeHint())
        .expandedTo(window->minimumSize());
}

QSize SizeWithinScreen(const QWidget* window, QSize wanted) {
    const QScreen* screen = window->screen();
    return screen ? SizeWithinScreen(window, wanted, screen->availableGeometry().topLeft())
                  : wanted;
}

QPoint PlaceWithinScreen(const QWidget* window, QPoint place) {
    const QRect free = FreeArea(window, place);
    const QSize outer = window->size() + Borders(window);
    return {std::max(free.left(), std::min(place.x(), free.right() + 1 - outer.width())),
            std::max(free.top(), std::min(place.y(), free.bottom() + 1 - outer.height()))};
}

} // namespace qd::gui
