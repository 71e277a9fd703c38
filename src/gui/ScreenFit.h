#pragma once
// Windows on screens too small for them (large text, high scale factors): their controls
// scroll, and they are sized and placed to end inside the screen's free area.

#include <QMargins>
#include <QPoint>
#include <QScrollArea>
#include <QSize>

namespace qd::gui {

// A window's controls in a borderless scroll area that Tab passes through. Its size hint is
// the controls' own, so a window on a screen large enough for them looks as if they were laid
// out in it directly.
class ScrollingPage : public QScrollArea {
    Q_OBJECT
public:
    ScrollingPage(QWidget* content, QWidget* parent);
    QSize sizeHint() const override;
};

// The margins a window's own layout has, for the layout of its controls in a ScrollingPage.
QMargins WindowMargins(const QWidget* window);

// The part of wanted (a size inside the window's borders) with which window, the top left
// corner of its borders at place, ends inside the free area of the screen there; never less
// than the window's minimum size. The borders count once the window has been shown with them.
QSize SizeWithinScreen(const QWidget* window, QSize wanted, QPoint place);
// The same with the window's borders as large as the free area of its screen at most.
QSize SizeWithinScreen(const QWidget* window, QSize wanted);

// place moved left and up as far as window, with its borders, needs to end inside the free
// area of the screen there.
QPoint PlaceWithinScreen(const QWidget* window, QPoint place);

} // namespace qd::gui
