// On Windows the window hears of no port coming back: while the adapter is
// away it looks for it every 0.6 s, and finds the controller again under the
// same COM name, as a USB adapter plugged in again gets it back.
#include "WindowOnLine.h"

#include "ui/connection/ReconnectWatch.h"

#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace dravinor;

namespace {

const QString lostText = QString::fromUtf8("Adapter portu COM1 odłączony - czekam, aż wróci");
const QString backText =
    QString::fromUtf8("Adapter portu COM1 podłączony ponownie - ten sam sterownik, parametry odczytane na nowo");

using WindowsReconnect = dravinor::testing::WindowOnLine;

TEST_F(WindowsReconnect, TheControllerIsFoundAgainUnderItsComNameWithoutAnyNotification)
{
    startWith(true);
    window->switchToPage(ui::MainWindow::TabViz);
    liveFor(200);
    controller.hangUp();
    window->livePage().tick();
    ASSERT_TRUE(window->reconnectWatch().waiting());
    EXPECT_EQ(status(1), lostText);
    ASSERT_LT(window->reconnectWatch().reconnection().descriptor(), 0) << "Windows' watcher has none";

    // Away a while: the looks find nothing and say nothing new.
    QTest::qWait(ui::ReconnectWatch::lookEveryMs * 2);
    EXPECT_EQ(status(1), lostText);

    // Back, under the same name.
    controller.replug(nullptr, true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->reconnectWatch().waiting(); }, 5000));
    EXPECT_EQ(status(1), backText) << status(1).toStdString();
    EXPECT_EQ(window->pageControl()->currentIndex(), ui::MainWindow::TabViz) << "the page the fitter was on";
}

}  // namespace
