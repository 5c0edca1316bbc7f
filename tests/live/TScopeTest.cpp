#include "live/TScope.h"
#include "SteppedTime.h"

#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using dravinor::live::TScope;
using dravinor::testing::SteppedTime;

namespace {

const QColor gray(128, 128, 128);
const QColor background(255, 255, 202);

// The form's size, with the grid spacing of an 800 x 600 window.
std::unique_ptr<TScope> formScope()
{
    auto scope = std::make_unique<TScope>();
    scope->setGeometry(0, 0, 256, 160);
    scope->setColor(background);
    scope->setGridSpacing(36);
    return scope;
}

bool hasRed(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == Qt::red)
                return true;
    return false;
}

}  // namespace

TEST(TScopeGrid, SpacingIsEvenTowardZeroAndLinesSitWhereTheyAlwaysHave)
{
    TScope scope;
    scope.setGridSpacing(35);
    EXPECT_EQ(scope.gridSpacing(), 34);
    scope.setGridSpacing(-3);
    EXPECT_EQ(scope.gridSpacing(), -2);  // and no endless grid loop

    const QImage image = formScope()->traceImage();
    ASSERT_EQ(image.size(), QSize(256, 160));
    for (int x : {35, 71, 107, 143, 179, 215, 251}) {
        EXPECT_EQ(image.pixelColor(x, 100), gray) << x;
        EXPECT_EQ(image.pixelColor(x + 1, 100), background) << x;
    }
    for (int y : {124, 88, 52, 16}) {
        EXPECT_EQ(image.pixelColor(100, y), gray) << y;
        EXPECT_EQ(image.pixelColor(100, y + 1), background) << y;
    }
}

TEST(TScopeSweep, SegmentsStartAtTwoAfterEveryWipeAndKeepTheirHeight)
{
    const auto scope = formScope();
    scope->setPosition(0, 15);
    for (int x = 0; x <= 252; x += 4) {  // the first sweep starts at the very left
        ASSERT_EQ(scope->sweepX(), x);
        scope->step();
    }
    for (int x = 2; x <= 250; x += 4) {
        ASSERT_EQ(scope->sweepX(), x);
        scope->step();
    }
    EXPECT_TRUE(hasRed(scope->traceImage()));

    scope->setPosition(0, 50);
    scope->step();  // the segment at 254 ends the sweep and is wiped with it
    EXPECT_EQ(scope->sweepX(), 2);
    EXPECT_EQ(scope->lastY(0), 80);
    EXPECT_FALSE(hasRed(scope->traceImage()));

    scope->step();  // continues from the height the wiped segment reached
    EXPECT_EQ(scope->traceImage().pixelColor(2, 80), QColor(Qt::red));
    EXPECT_EQ(scope->sweepX(), 6);
}

TEST(TScopeSweep, HeightRoundsHalvesToEvenAndOutOfRangeInputsAreClipped)
{
    TScope scope;
    scope.setGeometry(0, 0, 200, 150);  // 1.5 pixels per percent
    const int cases[][2] = {{1, 148}, {3, 146}, {5, 142}, {100, 0}, {1000, -1350}, {-40, 210}};
    for (const auto& [percent, y] : cases) {
        scope.setPosition(0, percent);
        scope.step();
        EXPECT_EQ(scope.lastY(0), y) << percent << " %";
    }
}

TEST(TScopeSweep, EachStepRepaintsOnlyItsSegmentAndTellsListeners)
{
    struct PaintRecorder : QObject {
        QRect painted;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                painted |= static_cast<QPaintEvent*>(event)->rect();
            return false;
        }
    } recorder;
    const auto scope = formScope();
    scope->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(scope.get()));
    scope->installEventFilter(&recorder);
    QSignalSpy stepped(scope.get(), &TScope::stepped);
    scope->setPosition(0, 50);
    scope->step();
    scope->step();
    QCoreApplication::processEvents();
    EXPECT_FALSE(recorder.painted.isEmpty());
    EXPECT_LE(recorder.painted.right(), 12);
    EXPECT_EQ(stepped.count(), 2);
}

TEST(TScopeTimer, ActiveRunsTheStepEveryIntervalTensOfMillisecondsOnceLoaded)
{
    SteppedTime time;
    TScope scope(nullptr, TScope::Creation::Loading);
    scope.setActive(true);
    scope.setInterval(10);
    scope.loaded();
    EXPECT_FALSE(scope.timerRunning());  // form values start no timer
    scope.setActive(true);
    EXPECT_TRUE(scope.timerRunning());
    QSignalSpy stepped(&scope, &TScope::stepped);
    time.advance(99);
    EXPECT_EQ(stepped.count(), 0);
    time.advance(1);
    EXPECT_EQ(stepped.count(), 1);
    time.advance(200);
    EXPECT_EQ(stepped.count(), 3);
    scope.setInterval(0);  // would fire without pause: stands still instead
    EXPECT_FALSE(scope.timerRunning());
    time.advance(500);
    EXPECT_EQ(stepped.count(), 3);
}

TEST(TScopeTimer, SettingActiveAgainOnEveryLiveTickKeepsTheSweepGoing)
{
    // The live poll sets Active every 50 ms; the 100 ms steps must still come,
    // every one of them.
    SteppedTime time;
    auto scope = formScope();
    scope->setInterval(10);
    QSignalSpy stepped(scope.get(), &TScope::stepped);
    for (int tick = 0; tick < 12; ++tick) {
        scope->setActive(true);
        time.advance(50);
    }
    EXPECT_EQ(stepped.count(), 6);
}

TEST(TScopeSize, ResizingKeepsThePictureUntilTheGridWipesIt)
{
    const auto scope = formScope();
    scope->setPosition(0, 50);
    scope->step();
    scope->setGeometry(0, 0, 400, 200);
    ASSERT_EQ(scope->traceImage().size(), QSize(400, 200));
    EXPECT_TRUE(hasRed(scope->traceImage()));
    scope->setGridSpacing(40);
    EXPECT_FALSE(hasRed(scope->traceImage()));
    EXPECT_EQ(scope->traceImage().pixelColor(399, 120), gray);
}

// A trace along the top edge must not survive a resize as stray marks above
// the new grid, while an ordinary end-of-sweep wipe keeps its edges.
TEST(TScopeSize, StrayMarksAboveTheTraceAfterAResizeAreWiped)
{
    const auto scope = formScope();
    scope->setPosition(0, 100);
    for (int i = 0; i < 4; ++i)
        scope->step();
    const auto redInTopRow = [&] {
        const QImage& image = scope->traceImage();
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, 0) == Qt::red)
                return true;
        return false;
    };
    ASSERT_TRUE(redInTopRow());
    scope->setGridSpacing(36);
    EXPECT_TRUE(redInTopRow());  // same size: the top row stays as it always has

    scope->setGeometry(0, 0, 400, 200);
    scope->setGridSpacing(40);
    EXPECT_FALSE(redInTopRow());
}
