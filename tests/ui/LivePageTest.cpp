#include "ControllerSession.h"
#include "ControllerSimulator.h"
#include "FakeDialogs.h"
#include "LivePage.h"
#include "MainWindow.h"
#include "TScope.h"

#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>

using namespace dravinor;
using dravinor::testing::FakeDialogs;

namespace {

// The window on the live page, polling the simulated engine over a pty.
struct LiveFixture : ::testing::Test {
    sim::ControllerSimulator controller;
    std::unique_ptr<params::ControllerSession> session;
    FakeDialogs dialogs;
    std::unique_ptr<ui::MainWindow> window;

    void SetUp() override
    {
        ASSERT_TRUE(controller.start());
        link::PortMap map;
        map.assign(0, controller.slavePath());
        session = std::make_unique<params::ControllerSession>(map);
        window = std::make_unique<ui::MainWindow>(*session, &dialogs);
        window->startUp();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    int liveRequests() const
    {
        const auto frames = controller.receivedFrames();
        return static_cast<int>(std::count_if(frames.begin(), frames.end(), [](const auto& f) { return f.bytes[0] == 'V'; }));
    }
    QString text(const char* name) const { return window->findChild<QLabel*>(name)->text(); }
};

}  // namespace

TEST_F(LiveFixture, PollsWhileTheLivePageIsShownAndStopsWhenLeft)
{
    controller.clearReceivedFrames();
    window->switchToPage(ui::MainWindow::TabViz);
    EXPECT_TRUE(window->findChild<QTimer*>("Timer1")->isActive());
    QTest::qWait(1500);
    const int polls = liveRequests();
    EXPECT_GE(polls, 10);  // about 30 at 20 a second; a loaded machine may lose some
    EXPECT_LE(polls, 31);
    const int rpm = text("Manometr_RPMED").toInt();
    EXPECT_GE(rpm, 800);  // the idling engine, in steps of 50
    EXPECT_LE(rpm, 900);
    EXPECT_EQ(text("BenzGazLed"), "Benzyna");
    EXPECT_TRUE(text("Lambda_BarED").endsWith("V"));
    EXPECT_TRUE(window->findChild<QLabel*>("TermVizED")->isVisible());

    window->switchToPage(ui::MainWindow::TabPar1);
    const int afterLeaving = liveRequests();
    QTest::qWait(300);
    EXPECT_EQ(liveRequests(), afterLeaving);
    EXPECT_FALSE(window->findChild<QTimer*>("Timer1")->isActive());
    EXPECT_FALSE(window->findChild<live::TScope*>("Scope1")->timerRunning());
}

TEST_F(LiveFixture, FuelSwitchAsksForAutomaticAndTheNextPollShowsIt)
{
    window->switchToPage(ui::MainWindow::TabViz);
    QTest::qWait(200);
    window->findChild<QToolButton*>("SwitchVIZ")->click();
    const auto frames = controller.receivedFrames();
    const auto request = std::find_if(frames.begin(), frames.end(), [](const auto& f) { return f.bytes[0] == 'r'; });
    ASSERT_NE(request, frames.end());
    EXPECT_EQ(request->bytes[1], 125);
    EXPECT_EQ(request->bytes[2], 254);
    EXPECT_TRUE(QTest::qWaitFor([&] { return text("BenzGazLed") == "Benzyna/Automat"; }, 2000));
}

TEST_F(LiveFixture, UnpluggedAdapterKeepsTheWindowAlive)
{
    window->switchToPage(ui::MainWindow::TabViz);
    QTest::qWait(200);
    controller.hangUp();
    // Every tick now fails at once instead of waiting out the reply window.
    QTest::qWait(500);
    EXPECT_TRUE(session->port().deviceLost());
    EXPECT_TRUE(window->findChild<QTimer*>("Timer1")->isActive());
    window->switchToPage(ui::MainWindow::TabPar1);
    EXPECT_EQ(window->pageControl()->currentIndex(), ui::MainWindow::TabPar1);
}

TEST_F(LiveFixture, ASilentControllerLeavesTheLastGoodReadingsMarkedOldAfterASecond)
{
    window->switchToPage(ui::MainWindow::TabViz);
    ASSERT_TRUE(QTest::qWaitFor([&] { return text("Manometr_RPMED").toInt() >= 800; }, 2000));
    auto* notice = window->findChild<QLabel*>("NieaktualneL");
    ASSERT_NE(notice, nullptr);
    EXPECT_FALSE(notice->isVisible());
    controller.setSilent(true);
    QTest::qWait(400);
    // Unanswered polls are no readings: the page keeps what it had.
    const int rpm = text("Manometr_RPMED").toInt();
    EXPECT_GE(rpm, 800) << "not 0, nor a value from an unanswered poll";
    EXPECT_TRUE(window->findChild<QLabel*>("Manometr_RPMED")->isEnabled()) << "not old yet";
    ASSERT_TRUE(QTest::qWaitFor([&] { return notice->isVisible(); }, 3000));
    EXPECT_EQ(text("Manometr_RPMED").toInt(), rpm);
    EXPECT_EQ(text("BenzGazLed"), "Benzyna");
    EXPECT_FALSE(window->findChild<QLabel*>("Manometr_RPMED")->isEnabled()) << "drawn grey while old";
    EXPECT_EQ(notice->text(), QString::fromUtf8("Brak poprawnej odpowiedzi sterownika - wartości nieaktualne"));

    controller.setSilent(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !notice->isVisible(); }, 3000));
    EXPECT_TRUE(window->findChild<QLabel*>("Manometr_RPMED")->isEnabled());
}
