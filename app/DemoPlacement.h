#pragma once

#include <QRect>
#include <QSize>

namespace dravinor::app {

// Where the demo's two windows stand, frames included.
struct DemoPlacement {
    QRect window;
    QRect panel;
};

// The engine panel sits beside the main window, both within the screen's
// available area, the pair centred. Where the two do not fit side by side
// the window gives up width, down to its minimum; on a screen narrower still
// the panel keeps all of itself on screen at the right edge, over the window.
DemoPlacement placeDemo(const QRect& available, QSize window, QSize panel, QSize windowMinimum, int gap);

// The panel's place beside a window that already stands: to its right, or
// against the screen's right edge where that is too far; never off screen.
QRect panelBeside(const QRect& available, const QRect& window, QSize panel, int gap);

}  // namespace dravinor::app
