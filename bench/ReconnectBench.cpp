// From the adapter's return (the simulator's link made again on a new pty,
// 9600-baud pacing) to the controller being back: for the session alone
// (identified and all 35 parameters read) and for the window (its status
// line says so). The goal is under one second.
#include "ControllerSimulator.h"
#include "MedianTime.h"
#include "SilentDialogs.h"
#include "params/ControllerSession.h"
#include "params/Reconnection.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QStatusBar>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <poll.h>
#include <unistd.h>

using namespace dravinor;

namespace {

constexpr int runs = 10;
constexpr double goalMs = 1000.0;

double sinceMs(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void report(const char* what, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("%s: median %.1f ms, worst %.1f ms of %zu, ratio %.3f to the %.0f ms goal (goal <= 1)\n", what, median,
                times.back(), times.size(), median / goalMs, goalMs);
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const auto folder =
        std::filesystem::temp_directory_path() / ("dravinor-reconnect-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    sim::SimulatorOptions options;
    options.linkPath = (folder / "usb-adapter-port0").string();
    sim::ControllerSimulator simulator(options);
    std::string error;
    if (!simulator.start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", error.c_str());
        return 1;
    }
    link::PortMap map;
    map.assign(0, options.linkPath);

    {
        params::ControllerSession session(map, params::SessionWiring{{}, {}, folder / "journal.log"});
        params::Reconnection reconnection(session);
        if (!session.connection().connectToPort("COM1").connected)
            return 1;
        reconnection.follow();
        std::vector<double> seen, back;
        for (int run = 0; run < runs; ++run) {
            simulator.hangUp();
            pollfd waiter{reconnection.descriptor(), POLLIN, 0};
            ::poll(&waiter, 1, 2000);
            if (reconnection.onWatchEvent(true).step != params::ReconnectStep::Lost)
                std::fprintf(stderr, "loss not seen\n");
            const auto start = std::chrono::steady_clock::now();
            simulator.replug();
            ::poll(&waiter, 1, 2000);
            seen.push_back(sinceMs(start));
            if (reconnection.onWatchEvent(true).step != params::ReconnectStep::Back)
                std::fprintf(stderr, "not back\n");
            back.push_back(sinceMs(start));
        }
        report("link made again -> watcher wakes             ", seen);
        report("link made again -> session back, 35 read      ", back);
    }

    bench::SilentDialogs dialogs;
    params::ControllerSession session(map, params::SessionWiring{{}, {}, folder / "journal.log"});
    ui::MainWindow window(session, &dialogs);
    window.startUp();
    QStatusBar* line = window.findChild<QStatusBar*>("StatusBar1");
    const QString backText =
        QString::fromUtf8("Adapter portu COM1 podłączony ponownie - ten sam sterownik, parametry odczytane na nowo");
    std::vector<double> windowBack;
    for (int run = 0; run < runs; ++run) {
        simulator.hangUp();
        for (int waited = 0; waited < 2000 && line->currentMessage() == backText; waited += 1)
            QTest::qWait(1);
        const auto start = std::chrono::steady_clock::now();
        simulator.replug();
        while (line->currentMessage() != backText && sinceMs(start) < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        windowBack.push_back(sinceMs(start));
    }
    report("link made again -> window says it is back     ", windowBack);
    simulator.stop();
    std::filesystem::remove_all(folder);
    return 0;
}
