#include "live/LivePage.h"
#include "WindowOnLine.h"
#include "live/TScope.h"

#include <QApplication>
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>

using namespace dravinor;

namespace {

// The window on the live page, polling the simulated engine. Timer1's ticks
// are driven here, 50 ms of simulated time apart.
struct LiveFixture : dravinor::testing::WindowOnLine {
    void SetUp() override { startWith(true); }
    int liveRequests() const
    {
        const auto frames = controller.receivedFrames();
        return static_cast<int>(
            std::count_if(frames.begin(), frames.end(), [](const auto& f) { return f.bytes[0] == 'V'; }));
    }
    QString text(const char* name) const { return window->findChild<QLabel*>(name)->text(); }
};

}  // namespace

TEST_F(LiveFixture, PollsWhileTheLivePageIsShownAndStopsWhenLeft)
{
    controller.clearReceivedFrames();
    window->switchToPage(ui::MainWindow::TabViz);
    EXPECT_TRUE(window->findChild<QTimer*>("Timer1")->isActive());
    liveFor(1500);
    EXPECT_EQ(liveRequests(), 30);
    const int rpm = text("Manometr_RPMED").toInt();
    EXPECT_GE(rpm, 800);  // the idling engine, in steps of 50
    EXPECT_LE(rpm, 900);
    EXPECT_EQ(text("BenzGazLed"), "Benzyna");
    EXPECT_TRUE(text("Lambda_BarED").endsWith("V"));
    EXPECT_TRUE(window->findChild<QLabel*>("TermVizED")->isVisible());

    window->switchToPage(ui::MainWindow::TabPar1);
    EXPECT_FALSE(window->findChild<QTimer*>("Timer1")->isActive());
    EXPECT_FALSE(window->findChild<live::TScope*>("Scope1")->timerRunning());
}

TEST_F(LiveFixture, FuelSwitchAsksForAutomaticAndTheNextPollShowsIt)
{
    window->switchToPage(ui::MainWindow::TabViz);
    liveFor(200);
    window->findChild<QToolButton*>("SwitchVIZ")->click();
    const auto frames = controller.receivedFrames();
    const auto request = std::find_if(frames.begin(), frames.end(), [](const auto& f) { return f.bytes[0] == 'r'; });
    ASSERT_NE(request, frames.end());
    EXPECT_EQ(request->bytes[1], 125);
    EXPECT_EQ(request->bytes[2], 254);
    liveFor(50);
    EXPECT_EQ(text("BenzGazLed"), "Benzyna/Automat");
}

TEST_F(LiveFixture, UnpluggedAdapterKeepsTheWindowAlive)
{
    window->switchToPage(ui::MainWindow::TabViz);
    liveFor(200);
    controller.hangUp();
    // Every tick now fails at once instead of waiting out the reply window.
    const std::uint32_t before = controller.clock().nowMs;
    window->livePage().tick();
    EXPECT_EQ(controller.clock().nowMs, before);
    EXPECT_TRUE(session->port().deviceLost());
    EXPECT_TRUE(window->findChild<QTimer*>("Timer1")->isActive());
    window->switchToPage(ui::MainWindow::TabPar1);
    EXPECT_EQ(window->pageControl()->currentIndex(), ui::MainWindow::TabPar1);
}

TEST_F(LiveFixture, ASilentControllerLeavesTheLastGoodReadingsMarkedOldAfterASecond)
{
    window->switchToPage(ui::MainWindow::TabViz);
    liveFor(200);
    const int rpm = text("Manometr_RPMED").toInt();
    ASSERT_GE(rpm, 800);
    auto* notice = window->findChild<QLabel*>("NieaktualneL");
    ASSERT_NE(notice, nullptr);
    EXPECT_FALSE(notice->isVisible());
    controller.setSilent(true);
    liveFor(700);
    // Unanswered polls are no readings: the page keeps what it had.
    EXPECT_EQ(text("Manometr_RPMED").toInt(), rpm) << "not 0, nor a value from an unanswered poll";
    EXPECT_TRUE(window->findChild<QLabel*>("Manometr_RPMED")->isEnabled()) << "not old yet";
    EXPECT_FALSE(notice->isVisible());
    liveFor(400);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(text("Manometr_RPMED").toInt(), rpm);
    EXPECT_EQ(text("BenzGazLed"), "Benzyna");
    EXPECT_FALSE(window->findChild<QLabel*>("Manometr_RPMED")->isEnabled()) << "drawn grey while old";
    EXPECT_EQ(notice->text(), QString::fromUtf8("Brak poprawnej odpowiedzi sterownika - wartości nieaktualne"));

    controller.setSilent(false);
    liveFor(50);
    EXPECT_FALSE(notice->isVisible());
    EXPECT_TRUE(window->findChild<QLabel*>("Manometr_RPMED")->isEnabled());
}

// The live page is laid out only while it is shown: a resize on another page
// reaches it at its next showing.
TEST_F(LiveFixture, AResizeOnAnotherPageReachesTheLivePageAtItsShowing)
{
    const auto resizeOnPage1 = [this](QSize size) {
        window->switchToPage(ui::MainWindow::TabPar1);
        window->resize(size);
        QApplication::processEvents();
    };
    const QSize initial = window->size();
    window->switchToPage(ui::MainWindow::TabViz);
    auto* meter = window->findChild<QWidget*>("Manometr_RPM");
    const QRect small = meter->geometry();
    resizeOnPage1({1180, 860});
    window->switchToPage(ui::MainWindow::TabViz);
    const QRect large = meter->geometry();
    EXPECT_GT(large.width(), small.width());
    resizeOnPage1(initial);
    window->pageControl()->setCurrentIndex(ui::MainWindow::TabViz);
    EXPECT_EQ(meter->geometry(), small);
}
