#include "WizardDriver.h"

#include <gtest/gtest.h>

#include <iostream>
#include <tuple>

using namespace dravinor::sim;
using dravinor::sim::testing::WizardDriver;

namespace {

// The fewest polls the wizard can take after its first step: 101 samples and
// a closing tick for each TPS phase and each actuator range, 201 and one for
// each probe phase, 150 rich ticks.
constexpr int kMinimalTicks = 4 * 102 + 2 * 202 + 150;

struct Car {
    std::uint8_t probeType;
    bool tpsFalling;
};

// Named after the car, not after its bytes (padding included).
void PrintTo(const Car& car, std::ostream* out)
{
    *out << "probe" << int{car.probeType} << (car.tpsFalling ? "TpsFalling" : "TpsRising");
}

class WholeAdaptation : public ::testing::TestWithParam<Car> {};

}  // namespace

TEST_P(WholeAdaptation, FitterCarriesEveryPhaseThroughWithinBoundedTicks)
{
    const Car car = GetParam();
    ControllerCore core(0x31, factoryEeprom());
    core.engineAt(0).setTpsFalling(car.tpsFalling);
    core.engineAt(0).setReducerScrew(-0.5);
    core.setFitterEnabled(true, 0);
    WizardDriver wizard(core, car.probeType);

    const WizardDriver::Results r = wizard.run();
    std::string phases;
    for (const auto& [name, ticks] : r.ticks)
        phases += name + " " + std::to_string(ticks) + ", ";
    ASSERT_TRUE(r.finished) << phases << "fitter at " << stageName(core.fitter()->stage());
    std::cout << "probe " << int(car.probeType) << (car.tpsFalling ? " falling TPS: " : ": ") << phases
              << "after step 1 " << r.ticksAfterFirstStep << " ticks, stepper " << r.aboveAverage << "/"
              << r.idleAverage << "\n";

    EXPECT_LE(r.ticksAfterFirstStep, kMinimalTicks * 13 / 10);
    EXPECT_EQ(r.ticks.at("TPS idle"), 102) << "the fitter holds idle from the start";
    EXPECT_LE(r.ticks.at("waiting for gas"), 40);
    EXPECT_EQ(r.tpsRising, !car.tpsFalling);
    EXPECT_GT(r.aboveAverage, r.idleAverage + 20) << "the actuator settles higher with the throttle open";
    EXPECT_EQ(core.fitter()->stage(), VirtualFitter::Stage::Done);
    EXPECT_LT(core.engineAt(wizard.now() + 3).rpm(), 1000) << "left at idle";

    // The controller now runs on what was measured: the TPS threshold lies
    // between idle and the revved reading, and gas regulates at idle.
    const WorkingParameters p = core.parameters();
    EXPECT_EQ(p.tpsRising, !car.tpsFalling);
    EXPECT_EQ(p.startBelow, r.idleAverage);
    EXPECT_TRUE(core.engineAt(wizard.now() + 5).fuel().onGas());
}

INSTANTIATE_TEST_SUITE_P(ProbesAndThrottleSensors, WholeAdaptation,
                         ::testing::Values(Car{0, false}, Car{1, false}, Car{2, false}, Car{3, false}, Car{4, false},
                                           Car{5, false}, Car{0, true}, Car{3, true}));
