#include "SimulatedLine.h"

#include <cstdint>

using namespace dravinor;
using dravinor::testing::SimulatedController;

namespace {

// Windows' timer left at its default: every sleep lasts whole 15.625 ms ticks.
constexpr std::uint32_t coarseTimerUs = 15625;

struct Timings {
    std::uint64_t readAllUs = 0;
    std::uint64_t silentScanUs = 0;
};

// A whole read of the 35 parameters, and a scan that finds only a silent
// controller, in the simulated time they take with the given timer.
Timings measure(std::uint32_t timerPeriodUs)
{
    Timings timings;
    {
        SimulatedController controller;
        auto& clock = controller.clock();
        clock.timerPeriodUs = timerPeriodUs;
        const auto wiring = controller.wiring();
        link::SerialPort port{*wiring.device, clock, [&](const std::string&) { return controller.slavePath(); }};
        params::ParameterState state;
        params::ParameterTransfer transfer{port, state};
        EXPECT_TRUE(port.open("COM1"));
        const auto start = clock.nowUs();
        EXPECT_TRUE(transfer.readAllParameters().complete());
        timings.readAllUs = clock.nowUs() - start;
    }
    {
        sim::SimulatorOptions options;
        options.silent = true;
        SimulatedController controller(options);
        auto& clock = controller.clock();
        clock.timerPeriodUs = timerPeriodUs;
        const auto wiring = controller.wiring();
        link::PortMap map;
        map.assign(0, controller.slavePath());
        link::SerialPort port{*wiring.device, clock, [&](const std::string& name) { return map.resolve(name); }};
        link::Connection connection{port, nullptr};
        const auto start = clock.nowUs();
        EXPECT_FALSE(connection.autodetect().connected);
        timings.silentScanUs = clock.nowUs() - start;
    }
    return timings;
}

}  // namespace

TEST(CoarseTimer, ReadAllAndASilentScanTakeAboutAsLongAsOnAFineTimer)
{
    const Timings fine = measure(0);
    const Timings coarse = measure(coarseTimerUs);
    // Counted in sleeps, the read took 2.2 times as long and the scan 6.6 times.
    EXPECT_LE(coarse.readAllUs, fine.readAllUs * 13 / 10) << fine.readAllUs << " us on a fine timer";
    EXPECT_LE(coarse.silentScanUs, fine.silentScanUs * 13 / 10) << fine.silentScanUs << " us on a fine timer";
}
