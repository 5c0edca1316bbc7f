// CPU cost of one wizard timer tick without the serial wait: the engine's
// tick (poll, decode, measure, any parameter writes), showing the changed
// controls on the wizard pages, and repainting what changed. The controller
// is a scripted device on a fake clock that answers every frame at once;
// the engine runs the wizard through all its steps, again and again.
//
//   dravinor_wizardtick_bench [google benchmark options]
//
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "FakeClock.h"
#include "GoalReporter.h"
#include "ScriptedDevice.h"
#include "SilentDialogs.h"
#include "link/SerialPort.h"
#include "params/Conversions.h"
#include "params/ParameterState.h"
#include "params/ParameterTransfer.h"
#include "ui/pages/ParameterPages.h"
#include "ui/wizard/WizardController.h"
#include "ui/wizard/WizardPages.h"

#include <QApplication>
#include <QTabWidget>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unistd.h>

using namespace dravinor;
using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr double goalMs = 1.0;

// An engine that a fitter drives through the steps: automatic mode on gas,
// warm, the speed stepping between idle and 3500 RPM every few seconds, the
// probe swinging rich and lean about once a second.
std::array<std::uint8_t, 10> engineFrame(long n)
{
    const double t = static_cast<double>(n) * 0.05;
    const bool high = static_cast<long>(t / 6) % 2 == 1;
    const double rpm = high ? 3500 : 900;
    // Ignition type 2 (four cylinders) is chosen in step 1.
    const auto period = static_cast<std::uint16_t>(params::rpmToPeriod(static_cast<int>(rpm), 4800.0f));
    const bool rich = std::sin(t * 2 * M_PI * 1.1) > 0;
    const std::uint8_t status = 0x03;
    return {static_cast<std::uint8_t>(rich ? 45 : 5),
            static_cast<std::uint8_t>(high ? 120 : 30),
            200,
            0,
            static_cast<std::uint8_t>(high ? 140 : 60),
            status,
            static_cast<std::uint8_t>(period >> 8),
            static_cast<std::uint8_t>(period & 0xFF),
            0,
            0};
}

struct WizardRig {
    testing::FakeClock clock;
    testing::ScriptedDevice device{clock};
    link::SerialPort port{device, clock, [](const std::string& name) { return name; }};
    params::ParameterState state;
    params::ParameterTransfer transfer{port, state};
    bench::SilentDialogs dialogs{true};
    QWidget window;
    QTabWidget* autoTab = nullptr;
    std::unique_ptr<ui::ParameterPages> pages;
    ui::WizardController* wizard = nullptr;
    long frames = 0;
    std::array<long, wizard::wizardTimerCount> ticksOf{};
    long restarts = 0;

    WizardRig()
    {
        state.loadDefaults();
        if (!port.open("/dev/bench"))
            std::abort();
        port.setControllerConnected(true);
        device.onWrite = [this](const Bytes& written) {
            if (written.empty())
                return;
            const std::uint8_t command = written[0];
            if (command == 'V') {
                const auto frame = engineFrame(frames++);
                device.arriveAt(clock.nowMs + 2, Bytes(frame.begin(), frame.end()));
            } else if (command == 's' || command == 'R' || command == 'r') {
                device.arriveAt(clock.nowMs + 2, Bytes{command});
            }
        };
        auto* parameterTabs = new QTabWidget(&window);
        auto* tab1 = new QWidget;
        auto* tab2 = new QWidget;
        parameterTabs->addTab(tab1, "TabPar1");
        parameterTabs->addTab(tab2, "TabPar2");
        pages = std::make_unique<ui::ParameterPages>(
            tab1, tab2,
            ui::PageServices{state, transfer, dialogs, [](int, const ui::StatusText&) {}, {}, [](int, QWidget*) {}});
        pages->initialiseControls();
        pages->showParameters();
        autoTab = new QTabWidget(&window);
        autoTab->setObjectName("AutoTab");
        for (const char* name : {"AA1", "AA2", "AA4", "AA5"}) {
            auto* page = new QWidget;
            page->setObjectName(name);
            autoTab->addTab(page, name);
        }
        parameterTabs->hide();
        autoTab->setGeometry(0, 0, 907, 572);
        window.resize(907, 572);
        wizard = new ui::WizardController(
            autoTab, port, state, transfer, *pages, dialogs, [](const QString&) { return nullptr; }, &window);
        window.show();
        restart();
        QApplication::processEvents();
    }

    // Step 1 done at once: the lists chosen, the sensor off, then the next page.
    void restart()
    {
        ++restarts;
        wizard->start();
        wizard->run([](wizard::AdaptationEngine& e) {
            e.ignitionChosen(2);
            e.probeTypeChosen(0);
            e.temperatureSensorClicked(false);
        });
    }

    // A page whose next button is enabled gets it pressed (as F10 does),
    // else whichever wizard timer runs ticks once.
    void tick()
    {
        clock.nowMs += 50;
        if (wizard->engine().result().finished) {
            restart();
        } else if (!wizard->next()) {
            const auto running = wizard->engine().runningTimer();
            if (!running) {
                restart();
            } else {
                ++ticksOf[static_cast<std::size_t>(*running)];
                QMetaObject::invokeMethod(wizard->timer(*running), "timeout", Qt::DirectConnection);
            }
        }
        if (device.written.size() > 1024)
            device.written.clear();
    }
};

WizardRig* rig = nullptr;

// The tick without painting: the engine's work and the widget updates.
void BM_TickAndShow(benchmark::State& state)
{
    long i = 0;
    for (auto _ : state) {
        rig->tick();
        if (++i % 64 == 0) {
            state.PauseTiming();
            QApplication::processEvents();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_TickAndShow);

// What one tick costs the GUI thread: the tick, then the event loop's
// repaint of the regions it dirtied.
void BM_TickShowAndRepaint(benchmark::State& state)
{
    for (auto _ : state) {
        rig->tick();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_TickShowAndRepaint);

}  // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    auto wizardRig = std::make_unique<WizardRig>();
    rig = wizardRig.get();
    bench::GoalReporter reporter("tick", goalMs);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("live frames answered: %ld, wizard runs: %ld\nticks by timer (AAP1 .. AAP5_2):", rig->frames,
                rig->restarts);
    for (const long ticks : rig->ticksOf)
        std::printf(" %ld", ticks);
    std::printf("\n");
    rig = nullptr;
    benchmark::Shutdown();
    return 0;
}
