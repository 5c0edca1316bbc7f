// The live page over a minute against the in-process simulated controller
// (9600-baud pacing, engine running): polls per second against Timer1's
// 20 per second, late polls, and the CPU the GUI thread spends on it.
//
//   dravinor_livepage_bench [--seconds N] [--throttle X]
//
// Run it under Xvfb for real xcb painting, or with QT_QPA_PLATFORM=offscreen.
#include "ControllerSimulator.h"
#include "link/PortMap.h"
#include "params/ControllerSession.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace dravinor;

namespace {

double threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct ThreadTicks {
    std::string name;
    long ticks = 0;  // user + system, in clock ticks
};

// Every thread of this process with its CPU so far, by thread id.
std::map<int, ThreadTicks> threadTicks()
{
    std::map<int, ThreadTicks> result;
    DIR* dir = opendir("/proc/self/task");
    if (!dir)
        return result;
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        std::ifstream file(std::string("/proc/self/task/") + entry->d_name + "/stat");
        std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        const auto open = text.find('(');
        const auto close = text.rfind(')');
        if (open == std::string::npos || close == std::string::npos)
            continue;
        std::istringstream fields(text.substr(close + 2));
        std::string field;
        long utime = 0, stime = 0;
        for (int i = 3; i <= 15 && fields >> field; ++i) {
            if (i == 14)
                utime = std::atol(field.c_str());
            if (i == 15)
                stime = std::atol(field.c_str());
        }
        result[std::atoi(entry->d_name)] = {text.substr(open + 1, close - open - 1), utime + stime};
    }
    closedir(dir);
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    int seconds = 60;
    double throttle = 0.3;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0)
            seconds = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--throttle") == 0)
            throttle = std::atof(argv[++i]);
    }

    QApplication app(argc, argv);
    sim::ControllerSimulator controller;  // pacing on: 9600-baud timing
    std::string error;
    if (!controller.start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", error.c_str());
        return 1;
    }
    controller.setEngineRunning(true);
    controller.setThrottle(throttle);

    link::PortMap map;
    if (!link::buildPortMap({"COM1=" + controller.slavePath()}, nullptr, map, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    params::ControllerSession session(std::move(map));
    ui::MainWindow window(session);
    window.startUp();
    if (!session.port().controllerConnected()) {
        std::fprintf(stderr, "the simulated controller was not found\n");
        return 1;
    }
    window.switchToPage(ui::MainWindow::TabViz);

    auto* timer1 = window.findChild<QTimer*>("Timer1");
    long ticks = 0;
    if (timer1)
        QObject::connect(timer1, &QTimer::timeout, [&ticks] { ++ticks; });

    // A second to settle (first paints, the trace's first sweep), then measure.
    QTimer::singleShot(1000, Qt::PreciseTimer, &app, [] { QApplication::exit(); });
    QApplication::exec();
    ticks = 0;
    controller.clearReceivedFrames();
    const auto threadsBefore = threadTicks();
    const double guiCpu0 = threadCpuSeconds();
    const double processCpu0 = processCpuSeconds();
    const auto wall0 = std::chrono::steady_clock::now();

    QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, &app, [] { QApplication::exit(); });
    QApplication::exec();

    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    const double guiCpu = threadCpuSeconds() - guiCpu0;
    const double processCpu = processCpuSeconds() - processCpu0;
    const auto threadsAfter = threadTicks();

    std::vector<std::int64_t> polls;  // ns
    for (const auto& frame : controller.receivedFrames())
        if (frame.bytes[0] == 'V')
            polls.push_back(frame.atNs);
    std::vector<double> gaps;
    for (std::size_t i = 1; i < polls.size(); ++i)
        gaps.push_back(static_cast<double>(polls[i] - polls[i - 1]) / 1e6);
    const auto missed = std::count_if(gaps.begin(), gaps.end(), [](double ms) { return ms > 75.0; });
    std::sort(gaps.begin(), gaps.end());
    auto percentile = [&gaps](double p) {
        return gaps.empty()
                   ? 0.0
                   : gaps[std::min(gaps.size() - 1, static_cast<std::size_t>(p * static_cast<double>(gaps.size())))];
    };

    const double pollRate = static_cast<double>(polls.size()) / wall;
    const double guiShare = guiCpu / wall * 100.0;
    std::printf("live page, platform %s, window %dx%d, throttle %.2f, %.1f s\n",
                qPrintable(QGuiApplication::platformName()), window.width(), window.height(), throttle, wall);
    std::printf("polls: %zu ('V' frames at the controller), %.2f per second, ratio %.3f (goal 20.0 per second, "
                "ratio >= 0.98); Timer1 ticks %ld\n",
                polls.size(), pollRate, pollRate / 20.0, ticks);
    std::printf("poll intervals: median %.1f ms, p99 %.1f ms, max %.1f ms; missed ticks (interval > 75 ms): %ld "
                "(goal 0)\n",
                percentile(0.5), percentile(0.99), gaps.empty() ? 0.0 : gaps.back(), static_cast<long>(missed));
    std::printf("GUI thread CPU: %.3f s over %.1f s = %.2f %% of one core, ratio %.2f (goal <= 3 %%); "
                "%.2f ms per poll\n",
                guiCpu, wall, guiShare, guiShare / 3.0,
                polls.empty() ? 0.0 : guiCpu * 1000.0 / static_cast<double>(polls.size()));
    std::printf("whole process CPU (simulator thread included): %.3f s = %.2f %% of one core\n", processCpu,
                processCpu / wall * 100.0);
    const double tick = static_cast<double>(sysconf(_SC_CLK_TCK));
    for (const auto& [tid, after] : threadsAfter) {
        const auto before = threadsBefore.find(tid);
        const long used = after.ticks - (before == threadsBefore.end() ? 0 : before->second.ticks);
        if (used > 0)
            std::printf("  thread %d %-16s %.2f s%s\n", tid, after.name.c_str(), static_cast<double>(used) / tick,
                        tid == getpid() ? " (GUI thread)" : "");
    }
    std::fflush(stdout);
    window.close();
    return 0;
}
