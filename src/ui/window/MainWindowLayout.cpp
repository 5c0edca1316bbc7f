#include "ui/window/MainWindow.h"

#include "live/LivePage.h"
#include "ui/pages/ParameterPageLayout.h"
#include "ui/pages/ParameterPages.h"
#include "ui/window/WindowFit.h"
#include "ui/window/WindowMenus.h"
#include "ui/window/WindowPlacement.h"

#include <QFontMetrics>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>

namespace dravinor::ui {

QRect MainWindow::screenArea() const
{
    return placement_->screenArea();
}

void MainWindow::placeOnScreen(QSize outer, bool centred)
{
    QRect wanted(frameGeometry().topLeft(), outer);
    if (const QRect area = screenArea(); centred && area.isValid())
        wanted.moveCenter(area.center());
    placeFrame(wanted);
}

void MainWindow::placeFrame(const QRect& wanted)
{
    placement_->place(wanted);
}

void MainWindow::setStartFrame(const QRect& outer)
{
    startFrame_ = outer;
    placeFrame(outer);
}

void MainWindow::chooseResolution(QSize outer)
{
    // The sizes are outer sizes, frame included; a screen smaller than the
    // size gets the largest window that fits it, still on screen.
    const QSize frame = frameGeometry().size() - geometry().size();
    requestedResolution_ = fitOnScreen(QRect(frameGeometry().topLeft(), outer), screenArea()).size() - frame;
    placeOnScreen(outer, false);
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // Never smaller than 640 x 480 outside; the frame is known only once
    // shown. The minimum is only a hint to the window manager: a size below
    // it that arrives all the same is set back here.
    const QSize minimum = minimumWindowSize - (frameGeometry().size() - geometry().size());
    if (minimumSize() != minimum)
        setMinimumSize(minimum);
    if (atLeast(size(), minimum) != size())
        resize(atLeast(size(), minimum));
    // Any size but the one a resolution item asked for clears its tick;
    // the window manager may deliver that size only later.
    if (size() != requestedResolution_) {
        menus_->clearResolutionTicks();
        requestedResolution_ = {};
    }
    layoutPages();
}

void MainWindow::layoutPages()
{
    const QSize outer = frameGeometry().size();
    pages_->layout(outer.width(), outer.height());
    livePage_->layout(outer.width(), outer.height());
    fitPageCaptions(outer);
}

void MainWindow::fitPageCaptions(QSize outer)
{
    // The page captions and status lines grow with the pages' font, and
    // shrink where the four captions would not fit side by side.
    constexpr int tabPadding = 26;
    QTabBar* tabs = pageControl_->tabBar();
    QFont font = tabs->font();
    font.setPointSize(std::max(9, parameterPagesFontSize(outer.width(), outer.height()) * 3 / 4));
    const auto captionsWidth = [&](const QFont& f) {
        const QFontMetrics metrics(f);
        int width = 0;
        for (int i = 0; i < tabs->count(); ++i)
            width += metrics.horizontalAdvance(tabs->tabText(i)) + tabPadding;
        return width;
    };
    while (font.pointSize() > 6 && captionsWidth(font) > width() - 8)
        font.setPointSize(font.pointSize() - 1);
    if (font != tabs->font())
        tabs->setFont(font);
    for (QStatusBar* bar : statusBars_)
        bar->setFont(font);
}

}  // namespace dravinor::ui
