// CPU cost of one live poll without the serial wait: decoding the frame,
// updating every display of the live page and repainting what changed. The
// controller is a scripted device on a fake clock, so the poll's answer is
// there at once; the frames change the way a running engine's do.
//
//   dravinor_liveupdate_bench [google benchmark options]
//
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "FakeClock.h"
#include "GoalReporter.h"
#include "ScriptedDevice.h"
#include "link/SerialPort.h"
#include "live/LivePage.h"
#include "live/OscilloscopeGroup.h"
#include "live/TScope.h"
#include "params/ControllerSession.h"
#include "params/ParameterState.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QTabWidget>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unistd.h>
#include <vector>

using namespace dravinor;
using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr double goalMs = 1.0;

// The live page at the size it has in a 933 x 677 window.
struct PageGeometry {
    QSize page{925, 640};
    QSize window{933, 677};
};

PageGeometry measurePageGeometry()
{
    PageGeometry geometry;
    params::ControllerSession session;
    ui::MainWindow window(session);
    window.show();
    window.pageControl()->setCurrentIndex(ui::MainWindow::TabViz);
    QApplication::processEvents();
    geometry.page = window.pageControl()->widget(ui::MainWindow::TabViz)->size();
    geometry.window = window.frameGeometry().size();
    window.hide();
    return geometry;
}

// A minute of a running engine, one frame every 50 ms: the probe swinging
// rich and lean about once a second, the throttle moving, the stepper
// following, on gas, the speed wandering between idle and 3000 RPM.
std::vector<std::array<std::uint8_t, 10>> engineFrames()
{
    std::vector<std::array<std::uint8_t, 10>> frames;
    for (int i = 0; i < 1200; ++i) {
        const double t = i * 0.05;
        const auto byte = [](double v) { return static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0)); };
        const double lambda = std::sin(t * 2 * M_PI * 1.1) > 0 ? 200 + 20 * std::sin(t * 7) : 20 + 10 * std::sin(t * 5);
        const double tps = 40 + 35 * std::sin(t * 0.4);
        const double rpm = 1800 + 1000 * std::sin(t * 0.25);
        const auto period = static_cast<std::uint16_t>(std::clamp(4800.0 * 1000.0 / rpm, 0.0, 65535.0));
        frames.push_back({byte(lambda), byte(tps), byte(150 + 2 * std::sin(t * 0.1)), 0,
                          byte(120 + 60 * std::sin(t * 0.3)), static_cast<std::uint8_t>(0x03),
                          static_cast<std::uint8_t>(period >> 8), static_cast<std::uint8_t>(period & 0xFF), 0, 0});
    }
    return frames;
}

// The live page on its own page widget, fed by a scripted controller.
struct LiveRig {
    testing::FakeClock clock;
    testing::ScriptedDevice device{clock};
    link::SerialPort port{device, clock, [](const std::string& name) { return name; }};
    params::ParameterState state;
    QWidget page;
    QTimer timer1;
    live::LivePage* live = nullptr;
    std::vector<std::array<std::uint8_t, 10>> frames = engineFrames();
    std::size_t next = 0;
    long polls = 0;

    explicit LiveRig(const PageGeometry& geometry)
    {
        state.loadDefaults();
        if (!port.open("/dev/bench"))
            std::abort();
        port.setControllerConnected(true);
        device.onWrite = [this](const Bytes& written) {
            if (written.empty() || written[0] != 'V')
                return;
            const auto& frame = frames[next++ % frames.size()];
            device.arriveAt(clock.nowMs + 2, Bytes(frame.begin(), frame.end()));
        };
        page.setObjectName("TabViz");
        page.resize(geometry.page);
        timer1.setInterval(50);
        live = new live::LivePage(&page, &timer1, port, clock, state);
        page.show();
        live->startLiveView(geometry.window.width(), geometry.window.height());
        timer1.stop();  // the benchmark ticks by hand
        // The trace steps by hand too, every second poll as its 100 ms timer would.
        live->oscilloscope().scope()->setInterval(100'000'000);
        for (int i = 0; i < 20; ++i) {
            tick();
            QApplication::processEvents();
        }
    }

    // One Timer1 tick: the poll and every display update.
    void tick()
    {
        clock.nowMs += 50;
        QMetaObject::invokeMethod(&timer1, "timeout", Qt::DirectConnection);
        if (++polls % 2 == 0)
            live->oscilloscope().scope()->step();
        if (device.written.size() > 1024)
            device.written.clear();
    }
};

LiveRig* rig = nullptr;

void BM_PollDecodeOnly(benchmark::State& state)
{
    for (auto _ : state) {
        rig->clock.nowMs += 50;
        benchmark::DoNotOptimize(rig->live->poller().poll());
        if (rig->device.written.size() > 1024)
            rig->device.written.clear();
    }
}
BENCHMARK(BM_PollDecodeOnly);

// The tick without painting: poll, decode, set every widget, step the trace.
void BM_PollAndWidgetUpdates(benchmark::State& state)
{
    long i = 0;
    for (auto _ : state) {
        rig->tick();
        if (++i % 64 == 0) {
            state.PauseTiming();
            QApplication::processEvents();  // the dirty regions would only pile up
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_PollAndWidgetUpdates);

// What one Timer1 tick costs the GUI thread: the tick, then the event loop's
// repaint of the regions it dirtied.
void BM_PollUpdateAndRepaint(benchmark::State& state)
{
    for (auto _ : state) {
        rig->tick();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_PollUpdateAndRepaint);

// Worst case: the tick, then the whole page painted again.
void BM_PollUpdateAndFullPageRepaint(benchmark::State& state)
{
    for (auto _ : state) {
        rig->tick();
        rig->page.repaint();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_PollUpdateAndFullPageRepaint);

}  // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const PageGeometry geometry = measurePageGeometry();
    std::printf("platform %s, page %dx%d in a %dx%d window\n", qPrintable(QGuiApplication::platformName()),
                geometry.page.width(), geometry.page.height(), geometry.window.width(), geometry.window.height());
    auto liveRig = std::make_unique<LiveRig>(geometry);
    rig = liveRig.get();
    bench::GoalReporter reporter("poll", goalMs);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("frames fed by the scripted controller, all benchmarks: %zu\n", rig->next);
    rig = nullptr;
    benchmark::Shutdown();
    return 0;
}
