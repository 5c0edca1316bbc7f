// On Windows the window looks for an adapter that is away every 0.6 s, and
// finds the controller again under the same COM name, as a USB adapter
// plugged in again gets it back; a USB adapter's going and coming that the
// system announces (WM_DEVICECHANGE) is taken at once. Wine announces none:
// the announcement is handed to Qt's native event filters as the windows
// platform hands them a top-level window's message.
#include "WindowOnLine.h"

#include "ui/connection/ReconnectWatch.h"

#include <QAbstractEventDispatcher>
#include <QStatusBar>
#include <QTest>

#include <windows.h>

#include <dbt.h>

#include <gtest/gtest.h>

using namespace dravinor;

namespace {

const QString lostText = QString::fromUtf8("Adapter portu COM1 odłączony - czekam, aż wróci");
const QString backText =
    QString::fromUtf8("Adapter portu COM1 podłączony ponownie - ten sam sterownik, parametry odczytane na nowo");

using WindowsReconnect = dravinor::testing::WindowOnLine;

void announcePort(WPARAM change)
{
    DEV_BROADCAST_PORT_W port{};
    port.dbcp_size = sizeof port;
    port.dbcp_devicetype = DBT_DEVTYP_PORT;
    port.dbcp_name[0] = L'C';
    MSG message{};
    message.message = WM_DEVICECHANGE;
    message.wParam = change;
    message.lParam = reinterpret_cast<LPARAM>(&port);
    qintptr result = 0;
    EXPECT_FALSE(QAbstractEventDispatcher::instance()->filterNativeEvent("windows_generic_MSG", &message, &result))
        << "the message goes on to Qt";
    QCoreApplication::processEvents();
}

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

TEST_F(WindowsReconnect, AnAnnouncedUnplugAndReturnAreTakenAtOnce)
{
    startWith(true);
    // Nothing is being exchanged: only the announcement can tell the window.
    controller.hangUp();
    announcePort(DBT_DEVICEREMOVECOMPLETE);
    ASSERT_TRUE(window->reconnectWatch().waiting());
    EXPECT_EQ(status(1), lostText);

    controller.replug(nullptr, true);
    announcePort(DBT_DEVICEARRIVAL);
    EXPECT_FALSE(window->reconnectWatch().waiting()) << "found before the next look";
    EXPECT_EQ(status(1), backText) << status(1).toStdString();
}

TEST_F(WindowsReconnect, OtherDevicesAnnouncedChangeNothing)
{
    startWith(true);
    controller.hangUp();
    DEV_BROADCAST_HDR volume{};
    volume.dbch_size = sizeof volume;
    volume.dbch_devicetype = DBT_DEVTYP_VOLUME;
    MSG message{};
    message.message = WM_DEVICECHANGE;
    message.wParam = DBT_DEVICEREMOVECOMPLETE;
    message.lParam = reinterpret_cast<LPARAM>(&volume);
    qintptr result = 0;
    QAbstractEventDispatcher::instance()->filterNativeEvent("windows_generic_MSG", &message, &result);
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->reconnectWatch().waiting());
}

}  // namespace
