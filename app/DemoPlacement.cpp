#include "DemoPlacement.h"

#include <algorithm>

namespace dravinor::app {

QRect panelBeside(const QRect& available, const QRect& window, QSize panel, int gap)
{
    const QSize size = panel.boundedTo(available.size());
    const int left = std::min(window.right() + 1 + gap, available.right() + 1 - size.width());
    const int top = std::clamp(window.top(), available.top(), available.bottom() + 1 - size.height());
    return {QPoint(std::max(left, available.left()), top), size};
}

DemoPlacement placeDemo(const QRect& available, QSize window, QSize panel, QSize windowMinimum, int gap)
{
    const QSize panelSize = panel.boundedTo(available.size());
    const int room = available.width() - panelSize.width() - gap;
    const QSize windowSize(std::max(std::min(window.width(), room), std::min(window.width(), windowMinimum.width())),
                           std::max(std::min(window.height(), available.height()), windowMinimum.height()));
    const int pairWidth = windowSize.width() + gap + panelSize.width();
    const int left = available.left() + std::max(0, (available.width() - pairWidth) / 2);
    const int top = available.top() + std::max(0, (available.height() - windowSize.height()) / 2);
    const QRect windowRect(QPoint(left, top), windowSize);
    return {windowRect, panelBeside(available, windowRect, panelSize, gap)};
}

}  // namespace dravinor::app
