// A generated 30-minute live recording (20 polls a second): the time to load
// it, and the CPU the window spends playing it into the live page.
//
//   dravinor_replay_bench [--seconds N]
//
// Run with QT_QPA_PLATFORM=offscreen, or under Xvfb for real xcb painting.
#include "live/LiveReplay.h"
#include "params/ControllerSession.h"
#include "params/LiveCsv.h"
#include "ui/recording/LiveReplayControl.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

using namespace dravinor;

namespace {

constexpr int pollsPerSecond = 20;
constexpr int recordedMinutes = 30;
constexpr double loadGoalSeconds = 0.5;
constexpr double cpuGoalPercent = 3.0;

double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// A test drive: idling, revving, on gas after two minutes, the probe swinging.
std::string generatedRecording()
{
    std::string text = params::liveCsvHeader() + "\n";
    const int polls = recordedMinutes * 60 * pollsPerSecond;
    text.reserve(static_cast<std::size_t>(polls) * 120);
    const std::int64_t startUnixMs = 1'796'000'000'000;
    for (int i = 0; i < polls; ++i) {
        const double t = i / static_cast<double>(pollsPerSecond);
        const double rpm = 850 + 1500 * (1 + std::sin(t / 20)) + (i % 37) * 3;
        params::LiveSample s;
        s.timeMs = i * 50 + (i % 3);  // a real poll is a little late now and then
        s.wallClockMs = startUnixMs + s.timeMs;
        s.answered = i % 500 != 0;
        s.frame.lambda = static_cast<std::uint8_t>(i / 6 % 2 ? 200 : 20);
        s.frame.tps = static_cast<std::uint8_t>(30 + 60 * (1 + std::sin(t / 20)));
        s.frame.temperature = static_cast<std::uint8_t>(std::min(153.0, 60 + t / 4));
        s.frame.stepperPosition = static_cast<std::uint8_t>(100 + 50 * std::sin(t));
        s.frame.status = t > 120 ? 0x03 : 0x01;
        s.frame.rpmPeriod = static_cast<std::uint16_t>(800.0 * 4800 / rpm);
        s.settings = {4800, true, 46};
        text += params::liveCsvRow(s);
        text += '\n';
    }
    return text;
}

}  // namespace

int main(int argc, char** argv)
{
    int seconds = 30;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--seconds") == 0)
            seconds = std::max(1, std::atoi(argv[i + 1]));

    QApplication application(argc, argv);
    QTemporaryDir dir;
    const std::string path = dir.filePath("drive.csv").toStdString();
    {
        const std::string text = generatedRecording();
        std::ofstream(path, std::ios::binary) << text;
        std::printf("recording: %d minutes, %d polls, %.1f MB\n", recordedMinutes,
                    recordedMinutes * 60 * pollsPerSecond, static_cast<double>(text.size()) / 1e6);
    }

    // Load: the best of five, the file in the page cache as after a first look.
    std::vector<params::LiveSample> samples;
    double bestLoad = 1e9;
    for (int run = 0; run < 5; ++run) {
        params::LiveCsvError error;
        const auto start = std::chrono::steady_clock::now();
        if (!params::loadLiveCsv(path, samples, error)) {
            std::fprintf(stderr, "line %zu: fault %d\n", error.line, static_cast<int>(error.fault));
            return 1;
        }
        bestLoad = std::min(bestLoad, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::printf("load: %.3f s for %zu polls, ratio %.3f to the %.1f s goal (goal <= 1)\n", bestLoad, samples.size(),
                bestLoad / loadGoalSeconds, loadGoalSeconds);

    params::ControllerSession session;
    ui::MainWindow window(session);
    window.startReplay("drive.csv", std::move(samples));
    live::LiveReplay& replay = window.replay()->replay();

    // A second to settle (first paints, fonts), then the measured stretch.
    double cpuStart = 0;
    std::size_t shownStart = 0;
    std::int64_t positionStart = 0;
    std::chrono::steady_clock::time_point wallStart;
    QTimer::singleShot(1000, [&] {
        wallStart = std::chrono::steady_clock::now();
        cpuStart = processCpuSeconds();
        shownStart = replay.shownSamples();
        positionStart = replay.positionMs();
    });
    QTimer::singleShot(1000 + seconds * 1000, [&] {
        const double cpu = processCpuSeconds() - cpuStart;
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        const double played = static_cast<double>(replay.positionMs() - positionStart) / 1000;
        const std::size_t shown = replay.shownSamples() - shownStart;
        const double percent = 100 * cpu / wall;
        std::printf("playing: %zu polls shown in %.1f s of recording, %.1f s of wall time (%.1f per second, "
                    "recorded 20), %.2f s CPU: %.2f %% of a core, ratio %.3f to the %.0f %% goal (goal <= 1)\n",
                    shown, played, wall, static_cast<double>(shown) / wall, cpu, percent, percent / cpuGoalPercent,
                    cpuGoalPercent);
        QApplication::quit();
    });
    return QApplication::exec();
}
