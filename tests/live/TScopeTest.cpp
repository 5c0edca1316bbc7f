#include "TScope.h"

#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using dravinor::live::horizontalGridLines;
using dravinor::live::TScope;
using dravinor::live::verticalGridLines;

namespace {

// A scope the size of the form's, with the grid spacing of an 800 x 600 window.
std::unique_ptr<TScope> formScope()
{
    auto scope = std::make_unique<TScope>();
    scope->setGeometry(0, 0, 256, 160);
    scope->setColor(QColor(255, 255, 202));
    scope->setGridsize(36);
    return scope;
}

bool columnHas(const QImage& image, int x, QColor color)
{
    for (int y = 0; y < image.height(); ++y)
        if (image.pixelColor(x, y) == color)
            return true;
    return false;
}

bool imageHas(const QImage& image, QColor color)
{
    for (int x = 0; x < image.width(); ++x)
        if (columnHas(image, x, color))
            return true;
    return false;
}

// Records the rectangles the scope is asked to paint.
class PaintRecorder : public QObject {
public:
    std::vector<QRect> rects;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            rects.push_back(static_cast<QPaintEvent*>(event)->rect());
        return false;
    }
};

}  // namespace

TEST(TScopeGrid, SpacingIsStoredEvenTowardZero)
{
    TScope scope;
    scope.setGridsize(35);
    EXPECT_EQ(scope.gridsize(), 34);
    scope.setGridsize(-3);
    EXPECT_EQ(scope.gridsize(), -2);
    scope.setGridsize(0);  // no endless grid loop
    EXPECT_EQ(scope.gridsize(), 0);
}

TEST(TScopeGrid, LinesSitLeftOfEverySpacingAndUpFromTheBottom)
{
    EXPECT_EQ(verticalGridLines(256, 36), (std::vector<int>{-1, 35, 71, 107, 143, 179, 215, 251}));
    EXPECT_EQ(horizontalGridLines(160, 36), (std::vector<int>{160, 124, 88, 52, 16}));

    const auto scope = formScope();
    const QImage& image = scope->traceImage();
    ASSERT_EQ(image.size(), QSize(256, 160));
    const QColor gray(128, 128, 128);
    const QColor background(255, 255, 202);
    EXPECT_EQ(image.pixelColor(35, 100), gray);
    EXPECT_EQ(image.pixelColor(36, 100), background);
    EXPECT_EQ(image.pixelColor(100, 124), gray);
    EXPECT_EQ(image.pixelColor(100, 125), background);
}

TEST(TScopeSweep, SegmentsStartAtTwoAfterEveryWipeAndKeepTheirHeight)
{
    const auto scope = formScope();
    scope->setPosition(0, 15);
    std::vector<int> starts;
    for (int i = 0; i < 64; ++i) {  // the first sweep starts at the very left
        starts.push_back(scope->sweepX());
        scope->step();
    }
    EXPECT_EQ(starts.front(), 0);
    EXPECT_EQ(starts.back(), 252);
    EXPECT_EQ(scope->sweepX(), 2);

    starts.clear();
    for (int i = 0; i < 63; ++i) {
        starts.push_back(scope->sweepX());
        scope->step();
    }
    std::vector<int> expected;
    for (int x = 2; x <= 250; x += 4)
        expected.push_back(x);
    EXPECT_EQ(starts, expected);
    EXPECT_TRUE(imageHas(scope->traceImage(), Qt::red));

    scope->setPosition(0, 50);
    scope->step();  // the segment at 254 ends the sweep and is wiped with it
    EXPECT_EQ(scope->sweepX(), 2);
    EXPECT_EQ(scope->lastY(0), 80);
    EXPECT_FALSE(imageHas(scope->traceImage(), Qt::red));

    scope->setPosition(0, 15);
    scope->step();  // continues from the height the wiped segment reached
    EXPECT_EQ(scope->lastY(0), 136);
    EXPECT_EQ(scope->traceImage().pixelColor(2, 80), QColor(Qt::red));
    EXPECT_EQ(scope->sweepX(), 6);
}

TEST(TScopeSweep, HeightRoundsHalvesToEvenAndOutOfRangeInputsAreClipped)
{
    TScope scope;
    scope.setGeometry(0, 0, 200, 150);  // 1.5 pixels per percent
    const struct {
        int percent;
        int y;
    } cases[] = {{1, 148}, {3, 146}, {5, 142}, {100, 0}, {0, 150}, {1000, -1350}, {-40, 210}};
    for (const auto& c : cases) {
        scope.setPosition(0, c.percent);
        scope.step();
        EXPECT_EQ(scope.lastY(0), c.y) << c.percent << " %";
    }
}

TEST(TScopeSweep, LaterChannelsPaintOverEarlierOnesAndHiddenOnesKeepTheirHeight)
{
    const auto scope = formScope();
    scope->setChannelDrawn(2, false);
    scope->setChannelDrawn(3, false);
    scope->setLinecolor(1, QColor(255, 0, 255));
    for (int channel = 0; channel < 3; ++channel)
        scope->setPosition(channel, 50);
    for (int i = 0; i < 3; ++i)
        scope->step();
    EXPECT_EQ(scope->traceImage().pixelColor(10, 80), QColor(255, 0, 255));
    EXPECT_EQ(scope->lastY(1), 80);
    EXPECT_EQ(scope->lastY(2), 0);  // not drawn, so not moved
}

TEST(TScopeSweep, EachStepRepaintsOnlyItsSegmentAndTellsListeners)
{
    const auto scope = formScope();
    scope->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(scope.get()));
    PaintRecorder recorder;
    scope->installEventFilter(&recorder);
    QSignalSpy stepped(scope.get(), &TScope::stepped);

    scope->setPosition(0, 50);
    scope->step();  // 0,0 to 4,80
    scope->step();  // 4,80 to 8,80
    QCoreApplication::processEvents();
    ASSERT_FALSE(recorder.rects.empty());
    QRect painted;
    for (const QRect& r : recorder.rects)
        painted |= r;
    EXPECT_LE(painted.right(), 12);
    EXPECT_EQ(stepped.count(), 2);
}

TEST(TScopeTimer, ActiveRunsTheStepEveryIntervalTensOfMilliseconds)
{
    TScope scope;
    scope.setInterval(10);
    EXPECT_FALSE(scope.timerRunning());
    scope.setActive(true);
    EXPECT_TRUE(scope.timerRunning());
    QSignalSpy stepped(&scope, &TScope::stepped);
    EXPECT_TRUE(stepped.wait(1000));
    scope.setInterval(0);  // would fire without pause: stands still instead
    EXPECT_FALSE(scope.timerRunning());
    scope.setActive(false);
    scope.setInterval(5);
    EXPECT_FALSE(scope.timerRunning());
}

TEST(TScopeTimer, FormValuesWaitForLoadingAndStartNoTimer)
{
    TScope scope(nullptr, TScope::Creation::Loading);
    scope.resize(256, 160);
    scope.setGridsize(34);
    scope.setActive(true);
    scope.setInterval(10);
    EXPECT_FALSE(scope.timerRunning());
    scope.loaded();
    EXPECT_EQ(scope.traceImage().pixelColor(33, 50), QColor(128, 128, 128));
    EXPECT_FALSE(scope.timerRunning());
    scope.setActive(true);
    EXPECT_TRUE(scope.timerRunning());
}

TEST(TScopeSize, ResizingKeepsThePictureUntilTheNextWipe)
{
    const auto scope = formScope();
    scope->setPosition(0, 50);
    scope->step();
    scope->step();
    scope->setGeometry(0, 0, 400, 200);
    ASSERT_EQ(scope->traceImage().size(), QSize(400, 200));
    EXPECT_TRUE(columnHas(scope->traceImage(), 5, Qt::red));
    scope->setGridsize(40);
    EXPECT_FALSE(imageHas(scope->traceImage(), Qt::red));
    EXPECT_EQ(scope->traceImage().pixelColor(399, 120), QColor(128, 128, 128));  // line at 200 - 2 x 40
}
