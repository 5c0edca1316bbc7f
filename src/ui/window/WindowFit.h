#pragma once

#include <QRect>
#include <QSize>

namespace dravinor::ui {

// The main window's outer size at start-up, and its smallest.
inline constexpr QSize initialWindowSize{933, 677};
inline constexpr QSize minimumWindowSize{640, 480};

// A size grown back to the minimum in each direction where it fell below.
QSize atLeast(QSize size, QSize minimum);

// An outer window rectangle made to fit the screen's available area: no
// larger than the area (but never below the minimum), and moved so that
// its top-left corner, and as much of the rest as fits, lies on the screen.
QRect fitOnScreen(QRect frame, QRect available, QSize minimum = minimumWindowSize);

}  // namespace dravinor::ui
