// The demo's engine panel beside the main window, both whole on the screen:
// on a small screen the window gives up width rather than hide the panel.
#include "DemoPlacement.h"

#include <gtest/gtest.h>

using dravinor::app::panelBeside;
using dravinor::app::placeDemo;

namespace {

constexpr QSize window{933, 677};
constexpr QSize minimum{640, 480};
constexpr QSize panel{330, 260};
constexpr int gap = 8;

void expectWhollyOn(const QRect& screen, const QRect& rect, const char* what)
{
    EXPECT_TRUE(screen.contains(rect)) << what << " " << rect.x() << "," << rect.y() << " " << rect.width() << "x"
                                       << rect.height();
}

}  // namespace

TEST(DemoPlacement, OnA1024By600ScreenThePanelStandsBesideANarrowerWindow)
{
    const QRect screen(0, 0, 1024, 600);
    const auto placed = placeDemo(screen, window, panel, minimum, gap);
    expectWhollyOn(screen, placed.window, "window");
    expectWhollyOn(screen, placed.panel, "panel");
    EXPECT_FALSE(placed.window.intersects(placed.panel));
    EXPECT_EQ(placed.panel.left(), placed.window.right() + 1 + gap);
    EXPECT_EQ(placed.window.width(), 1024 - 330 - 8);
    EXPECT_EQ(placed.window.height(), 600);
    EXPECT_EQ(placed.panel.size(), panel);

    // Where there is room, both keep their sizes and the pair is centred.
    const QRect wide(0, 28, 1920, 1052);
    const auto roomy = placeDemo(wide, window, panel, minimum, gap);
    EXPECT_EQ(roomy.window.size(), window);
    EXPECT_NEAR(roomy.window.left() - wide.left(), wide.right() - roomy.panel.right(), 1);
}

TEST(DemoPlacement, OnAScreenTooNarrowForBothThePanelStaysWhollyOnScreen)
{
    const QRect screen(0, 0, 800, 600);
    const auto placed = placeDemo(screen, window, panel, minimum, gap);
    EXPECT_EQ(placed.window.width(), minimum.width());
    expectWhollyOn(screen, placed.window, "window");
    expectWhollyOn(screen, placed.panel, "panel");
    EXPECT_EQ(placed.panel.right(), screen.right());

    // A screen smaller than the panel itself: the panel shrinks to it.
    const QRect tiny(0, 0, 300, 200);
    expectWhollyOn(tiny, placeDemo(tiny, window, panel, minimum, gap).panel, "panel");
}

TEST(DemoPlacement, OnceBothStandThePanelFollowsTheWindowsRealFrame)
{
    const QRect screen(0, 0, 1024, 600);
    // The window manager's frame made the window wider than planned.
    const QRect panelRect = panelBeside(screen, QRect(0, 0, 700, 600), QSize(340, 290), gap);
    expectWhollyOn(screen, panelRect, "panel");
    EXPECT_EQ(panelRect.right(), screen.right());
    // A second screen to the right of the first: coordinates move along.
    const QRect right(1920, 0, 1280, 1024);
    const QRect beside = panelBeside(right, QRect(1930, 100, 800, 677), panel, gap);
    EXPECT_EQ(beside.topLeft(), QPoint(1930 + 800 + gap, 100));
}
