#include "ui/window/WindowFit.h"

#include <algorithm>

namespace dravinor::ui {

QSize atLeast(QSize size, QSize minimum)
{
    return size.expandedTo(minimum);
}

QRect fitOnScreen(QRect frame, QRect available, QSize minimum)
{
    if (!available.isValid())
        return frame;
    const QSize size = frame.size().boundedTo(available.size()).expandedTo(minimum);
    // Right and bottom edges go back onto the screen first; the top-left
    // corner wins where the window is larger, so its menu stays reachable.
    const int left = std::max(available.left(), std::min(frame.left(), available.right() + 1 - size.width()));
    const int top = std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - size.height()));
    return {QPoint(left, top), size};
}

}  // namespace dravinor::ui
