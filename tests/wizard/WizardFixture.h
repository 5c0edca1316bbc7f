#pragma once

#include "FakeClock.h"
#include "ScriptedDevice.h"
#include "link/SerialPort.h"
#include "params/ParameterState.h"
#include "params/ParameterTransfer.h"
#include "wizard/AdaptationEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace dravinor::wizard::testing {

using Bytes = std::vector<std::uint8_t>;

// A controller that acknowledges every write and answers each live request
// with the frame the test sets; it can fall silent, answer only zero bytes,
// or put noise before its live answers. K is 4800 (ignition item 2), so
// periodFor gives exact speeds.
struct WizardFixture : ::testing::Test {
    dravinor::testing::FakeClock clock;
    dravinor::testing::ScriptedDevice device{clock};
    link::SerialPort port{device, clock, [](const std::string& n) { return n; }};
    params::ParameterState state;
    params::ParameterTransfer transfer{port, state};
    std::map<std::string, std::string, std::less<>> fields{
        {"ODPBenzynaGas", "2200"}, {"DObrotow", "100"}, {"MONGaz", "6000"}, {"OSDCutOff", "1800"}};
    WizardInputs inputs{[this](std::string_view name) { return fields[std::string(name)]; }};
    AdaptationEngine engine{port, state, transfer, inputs};

    Bytes live{0, 0, 0, 0, 0, 0, 0x12, 0xC0, 0, 0};  // idle at 800 RPM
    bool silent = false;
    bool zeros = false;  // every answer of the right length, all zero bytes
    // Live answers that come with a byte of noise before them: every n-th, or none.
    int noisyEvery = 0;
    int liveRequests = 0;
    int unansweredLive = 0;    // the next live requests that get no answer
    int unansweredWrites = 0;  // the next write frames that get no answer

    void SetUp() override
    {
        state.loadDefaults();
        state.setFlagByteA(0);  // no temperature sensor unless a test fits one
        ASSERT_TRUE(port.open("/dev/x"));
        device.onWrite = [this](const Bytes& frame) {
            if (silent)
                return;
            if (frame[0] == 'V' && unansweredLive > 0) {
                --unansweredLive;
            } else if (frame[0] == 'V') {
                ++liveRequests;
                Bytes answer = zeros ? Bytes(10, 0) : live;
                if (noisyEvery > 0 && liveRequests % noisyEvery == 0)
                    answer.insert(answer.begin(), 0x5A);
                device.arriveAt(clock.nowMs + 2, answer);
            } else if (frame[0] != 'I' && unansweredWrites > 0) {
                --unansweredWrites;
            } else {
                device.arriveAt(clock.nowMs + 2, {zeros ? std::uint8_t{0} : frame[0]});
            }
        };
    }

    static int periodFor(int rpm) { return 3'840'000 / rpm; }
    // rpm 0: a stopped engine, which the controller reports with the
    // longest period (50 RPM at K 4800).
    void setLive(std::uint8_t lambda, std::uint8_t tps, int rpm, std::uint8_t status = 0, std::uint8_t stepper = 0)
    {
        const int period = rpm > 0 ? periodFor(rpm) : 0xFFFF;
        live = {lambda,
                tps,
                live[2],
                0,
                stepper,
                status,
                static_cast<std::uint8_t>(period >> 8),
                static_cast<std::uint8_t>(period & 0xFF),
                0,
                0};
    }
    void ticks(WizardTimer timer, int n)
    {
        for (int i = 0; i < n; ++i)
            engine.tick(timer);
    }
    // Ticks at the timer's 50 ms pace for ms of simulated time.
    void tickFor(WizardTimer timer, std::uint32_t ms)
    {
        const std::uint32_t end = clock.nowMs + ms;
        while (clock.nowMs < end) {
            const std::uint32_t next = clock.nowMs + 50;
            engine.tick(timer);
            clock.nowMs = std::max(clock.nowMs, next);
        }
    }

    // Frames the controller received since the last call.
    std::vector<Bytes> takeWritten() { return std::exchange(device.written, {}); }
    // (address, value) of the EEPROM writes among frames.
    static std::vector<std::pair<int, int>> eepromWrites(const std::vector<Bytes>& frames)
    {
        std::vector<std::pair<int, int>> writes;
        for (const auto& f : frames)
            if (f[0] == 's')
                writes.emplace_back(f[1], f[2]);
        return writes;
    }
    static std::vector<int> fuelRequests(const std::vector<Bytes>& frames)
    {
        std::vector<int> values;
        for (const auto& f : frames)
            if (f[0] == 'r' && f[1] == 125)
                values.push_back(f[2]);
        return values;
    }

    const ControlView& control(WizardControl which)
    {
        const ControlView* found = engine.view().find(which);
        static const ControlView none;
        return found ? *found : none;
    }
    // A panel's number as the page words it, with the page's comma.
    std::string shown(WizardControl which)
    {
        const std::optional<PanelNumber>& number = control(which).number;
        return number ? panelText(*number, ",") : "<none>";
    }
    // A parameter-page field, by its name.
    const ControlView& field(std::string_view name)
    {
        const ControlView* found = engine.view().findOutside(name);
        static const ControlView none;
        return found ? *found : none;
    }
    std::string fieldText(std::string_view name) { return field(name).text.value_or("<none>"); }
    // A figure as the wizard's pages show it with a comma, or their dots.
    std::string shown(Figure figure)
    {
        const auto value = engine.result().figure(figure);
        return value ? figureText(figure, *value, ",") : "......";
    }

    // Entry and step 1 with ignition item 2 and the given probe type, on petrol.
    void passStep1(int probe = 4)
    {
        setLive(0, 0, 800);
        engine.initialiseWizard();
        engine.ignitionChosen(2);
        engine.probeTypeChosen(probe);
        engine.tick(WizardTimer::Step1);
        ASSERT_TRUE(engine.pressNext());
        ASSERT_EQ(engine.runningTimer(), WizardTimer::TpsIdle);
    }
    // 101 idle samples at tps and the finishing tick.
    void passTpsIdle(std::uint8_t tps)
    {
        setLive(0, tps, 800);
        ticks(WizardTimer::TpsIdle, 102);
        ASSERT_EQ(engine.runningTimer(), WizardTimer::TpsHigh);
    }
    void passTpsHigh(std::uint8_t tps)
    {
        setLive(0, tps, 3000);
        ticks(WizardTimer::TpsHigh, 102);
        ASSERT_EQ(engine.runningTimer(), WizardTimer::LambdaSwing);
    }
    // 201 swing samples alternating between high and low, then the finishing tick.
    void passLambdaSwing(std::uint8_t low, std::uint8_t high)
    {
        for (int i = 0; i < 201; ++i) {
            setLive(i % 2 ? low : high, 0, 800);
            engine.tick(WizardTimer::LambdaSwing);
        }
        engine.tick(WizardTimer::LambdaSwing);
    }
    // Every phase up to the reducer page with a 0..5 V probe swinging 0..200.
    void reachReducerPage(int probe = 4)
    {
        passStep1(probe);
        passTpsIdle(20);
        passTpsHigh(120);
        passLambdaSwing(0, 200);
        setLive(200, 0, 800);
        ticks(WizardTimer::EmulationTimes, 202);
        ASSERT_EQ(engine.view().currentPage(), WizardPage::Reducer);
    }
};

}  // namespace dravinor::wizard::testing
