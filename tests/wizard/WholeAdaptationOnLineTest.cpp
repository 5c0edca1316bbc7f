// The whole auto-adaptation: the real engine against the simulated
// controller, its car and the virtual fitter, over a line whose bytes arrive
// at 9600-baud times of a fake clock, with the simulator's line faults.

#include "ControllerCore.h"
#include "FakeClock.h"
#include "FrameLog.h"
#include "FrameParser.h"
#include "LineFaults.h"
#include "ScriptedDevice.h"
#include "TestLocations.h"
#include "link/SerialPort.h"
#include "params/ParameterState.h"
#include "params/ParameterTransfer.h"
#include "wizard/AdaptationEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iostream>

using namespace dravinor;
using wizard::AdaptationEngine;
using wizard::WizardPage;
using wizard::WizardTimer;

namespace {

// What an adaptation left in the controller, and what it took.
struct Outcome {
    bool finished = false;
    int ticks = 0;
    sim::EepromImage eeprom{};
    std::vector<wizard::DoubtfulPhase> doubtful;
};

struct SimulatedCar {
    dravinor::testing::FakeClock clock;
    dravinor::testing::ScriptedDevice device{clock};
    link::SerialPort port{device, clock, [](const std::string& n) { return n; }};
    params::ParameterState state;
    params::ParameterTransfer transfer{port, state};
    sim::ControllerCore core{0x31, sim::factoryEeprom(), 0};
    sim::LineFaults faults;
    sim::FrameParser parser;
    dravinor::testing::FrameLog* log = nullptr;  // every frame the controller heard, when set

    SimulatedCar()
    {
        core.engineAt(0).setReducerScrew(-0.5);
        core.setFitterEnabled(true, 0);
        device.onWrite = [this](const std::vector<std::uint8_t>& bytes) {
            for (const sim::Frame& frame : parser.feed(bytes.data(), bytes.size())) {
                if (log)
                    log->add(frame);
                if (faults.dropsFrame(frame[0]))
                    continue;
                const auto reply = core.handle(frame, clock.nowMs / 1000.0);
                for (const sim::TimedByte& byte : faults.plan(frame[0], reply, true, frame[1]))
                    device.arriveAt(clock.nowMs +
                                        static_cast<std::uint32_t>(std::ceil(static_cast<double>(byte.atNs) / 1e6)),
                                    {byte.value});
            }
        };
    }

    // The tool's side: the read, then the wizard with the fitter pressing on
    // as `dravinor-cli adapt --yes` does.
    Outcome adapt(int probeType, const sim::FaultOptions& lineFaults, std::uint32_t seed)
    {
        Outcome out;
        EXPECT_TRUE(port.open("/dev/sim"));
        heading("read");
        EXPECT_TRUE(transfer.readAllParameters().complete());
        faults = sim::LineFaults(lineFaults, seed);
        AdaptationEngine engine(port, state, transfer, wizard::WizardInputs{});
        heading("entry");
        engine.initialiseWizard();
        engine.ignitionChosen(2);
        heading("probe type " + std::to_string(probeType));
        engine.probeTypeChosen(probeType);
        bool switchPressed = false;
        WizardPage page = engine.view().currentPage();
        for (; out.ticks < 6000 && !out.finished; ++out.ticks) {
            const std::uint32_t start = clock.nowMs;
            if (engine.view().currentPage() != page) {
                page = engine.view().currentPage();
                heading("page " + std::to_string(static_cast<int>(page)) + " at tick " + std::to_string(out.ticks));
            }
            if (engine.view().currentPage() == WizardPage::Actuator && engine.result().finished) {
                out.finished = true;
                break;
            }
            if (!engine.pressNext() && engine.timerEnabled(WizardTimer::WaitForGas) && !switchPressed) {
                const wizard::ControlView* button = engine.view().find(wizard::WizardControl::FuelSwitch);
                if (button && button->visible.value_or(true)) {
                    engine.fuelSwitchClicked();
                    switchPressed = true;
                }
            }
            if (const auto timer = engine.runningTimer())
                engine.tick(*timer);
            clock.nowMs = std::max(clock.nowMs, start + 50);
        }
        out.eeprom = core.eeprom();
        out.doubtful = engine.result().doubtfulPhases;
        return out;
    }
    void heading(const std::string& title)
    {
        if (log)
            log->heading(title);
    }
};

std::string phasesOf(const Outcome& o)
{
    std::string text;
    for (const auto& d : o.doubtful)
        text += std::string(wizard::phaseName(d.phase)) + " " + std::to_string(d.badPolls) + "/" +
                std::to_string(d.polls) + ", ";
    return text.empty() ? "none" : text;
}

// The measured parameters: lambda threshold, TPS threshold, emulation
// times, the two actuator ranges.
constexpr int measured[] = {1, 2, 28, 29, 4, 5, 6, 7, 8, 9};

}  // namespace

TEST(WholeAdaptationOnLine, NoisePhasesTakeLongerButGiveCleanResultsOrSayTheLineIsUnreliable)
{
    SimulatedCar cleanCar;
    const Outcome clean = cleanCar.adapt(0, {}, 1);
    ASSERT_TRUE(clean.finished) << clean.ticks;
    EXPECT_TRUE(clean.doubtful.empty()) << phasesOf(clean);

    for (const int percent : {10, 30}) {
        SCOPED_TRACE(percent);
        sim::FaultOptions noise;
        noise.noisePercent = percent;
        SimulatedCar car;
        const Outcome noisy = car.adapt(0, noise, 7);
        ASSERT_TRUE(noisy.finished) << noisy.ticks;
        std::cout << percent << " % noise: " << noisy.ticks << " ticks (clean " << clean.ticks
                  << "), doubtful: " << phasesOf(noisy) << "\n";
        EXPECT_GT(noisy.ticks, clean.ticks) << "bad polls are no samples: the phases take longer";
        // A garbled frame that passes as whole is rare: every result stays
        // where the clean run put it, give or take what the car itself
        // varies between runs.
        for (const int address : measured)
            EXPECT_LE(std::abs(noisy.eeprom[address] - clean.eeprom[address]), 3)
                << "parameter " << address << ": " << int(noisy.eeprom[address]) << " against "
                << int(clean.eeprom[address]);
        if (percent == 30) {
            EXPECT_FALSE(noisy.doubtful.empty()) << "a third of the polls bad is an unreliable line";
        }
    }
}

// The frames of a whole adaptation, held against a recording
// (tests/frames/): code that moves the wizard's writes around must leave
// them alone; DRAVINOR_RECORD_FRAMES=1 records a change that means to
// change them.
TEST(WholeAdaptationOnLine, PutsTheFramesItPutBeforeOnTheWire)
{
    for (const int probeType : {0, 5}) {
        SCOPED_TRACE(probeType);
        SimulatedCar car;
        dravinor::testing::FrameLog log;
        car.log = &log;
        ASSERT_TRUE(car.adapt(probeType, {}, 1).finished);
        dravinor::testing::expectRecordedFrames(log.text(), dravinor::testing::sourceDir() +
                                                                "/tests/frames/adaptation-probe-" +
                                                                std::to_string(probeType) + ".txt");
    }
}
