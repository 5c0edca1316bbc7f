#include "EngineModel.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace dravinor::sim;

namespace {

// Defaults: K 4800, switch-over 2200 RPM (period 1745), 0 degrees, sensor used.
const WorkingParameters kDefaults;

EngineModel onGas()
{
    EngineModel engine;
    engine.fuelRequest(FuelSwitch::kAutomatic);
    engine.fuelRequest(FuelSwitch::kToggle);
    return engine;
}

}  // namespace

TEST(FuelSwitch, ToggleWorksOnlyInAutomaticAndBackToPetrolHolds)
{
    FuelSwitch fuel;
    fuel.request(FuelSwitch::kToggle);
    EXPECT_FALSE(fuel.onGas()) << "nothing to toggle in manual mode";
    fuel.request(FuelSwitch::kAutomatic);
    fuel.request(FuelSwitch::kToggle);
    EXPECT_TRUE(fuel.onGas());
    fuel.request(FuelSwitch::kToggle);
    fuel.update(true, true, true);
    EXPECT_FALSE(fuel.onGas()) << "automatic must not undo the fitter's petrol";
    EXPECT_TRUE(fuel.automatic());
}

TEST(FuelSwitch, AutomaticNeedsSpeedAndWarmthThenHoldsGasUntilTheEngineStops)
{
    FuelSwitch fuel;
    fuel.request(FuelSwitch::kAutomatic);
    fuel.update(true, false, true);
    fuel.update(true, true, false);
    EXPECT_FALSE(fuel.onGas());
    fuel.update(true, true, true);
    fuel.update(true, false, true);
    EXPECT_TRUE(fuel.onGas()) << "stays on gas when the speed falls back";
    fuel.update(false, false, true);
    EXPECT_FALSE(fuel.onGas());
}

TEST(EngineModel, SpeedFollowsTheThrottleWithALagAndStops)
{
    EngineModel engine;
    engine.advanceTo(3, kDefaults);
    EXPECT_NEAR(800.0 * 4800 / engine.reading().period, 850, 10);
    engine.setThrottle(1.0);
    EXPECT_EQ(engine.reading().tps, 230) << "4.5 V fully open";
    engine.advanceTo(3.1, kDefaults);
    EXPECT_LT(engine.rpm(), 2500) << "an engine needs time to rev";
    engine.advanceTo(6, kDefaults);
    EXPECT_NEAR(engine.rpm(), 5000, 50);

    engine.setRunning(false);
    engine.advanceTo(7, kDefaults);
    EXPECT_EQ(engine.reading().status, kStatusNoSpeed);
    EXPECT_EQ(engine.reading().period, 0xFFFF);
}

TEST(EngineModel, WarmsUpToNinetyDegreesInAFewMinutes)
{
    EXPECT_NEAR(EngineModel::temperatureOfByte(153), 94.99, 0.01) << "the tool's decoding";
    EngineModel engine;
    engine.advanceTo(1, kDefaults);
    EXPECT_NEAR(EngineModel::temperatureOfByte(engine.reading().temperature), 20, 1.5);
    engine.advanceTo(60, kDefaults);
    EXPECT_GT(engine.coolantC(), 30);
    EXPECT_LT(engine.coolantC(), 80);
    engine.advanceTo(900, kDefaults);
    EXPECT_NEAR(EngineModel::temperatureOfByte(engine.reading().temperature), 90, 1.5);
}

TEST(EngineModel, AutomaticGoesToGasAboveTheSwitchOverSpeedOnceWarm)
{
    WorkingParameters p = kDefaults;
    p.switchTemperatureC = 40;
    EngineModel engine;
    engine.fuelRequest(FuelSwitch::kAutomatic);
    engine.advanceTo(60, p);
    EXPECT_EQ(engine.reading().status, kStatusAutomatic) << "warm, but idle is below 2200 RPM";
    engine.setCoolant(20);
    engine.setThrottle(0.5);  // heads for about 2900 RPM
    engine.advanceTo(70, p);
    EXPECT_FALSE(engine.fuel().onGas()) << "fast, but cold at " << engine.coolantC();
    engine.advanceTo(130, p);
    EXPECT_EQ(engine.reading().status, kStatusAutomatic | kStatusOnGas);

    p.temperatureSensorUsed = false;
    EngineModel noSensor;
    noSensor.fuelRequest(FuelSwitch::kAutomatic);
    noSensor.setThrottle(0.5);
    noSensor.advanceTo(10, p);
    EXPECT_TRUE(noSensor.fuel().onGas()) << "without a sensor the temperature does not count";
}

TEST(EngineModel, LambdaSwingsOnGasAndTheStepperStaysInItsRange)
{
    EngineModel engine = onGas();
    int risingCrossings = 0;
    bool wasRich = false;
    std::uint8_t lowest = 255, highest = 0, stepLow = 255, stepHigh = 0;
    for (double t = 5.0; t < 15.0; t += 0.05) {
        engine.advanceTo(t, kDefaults);
        const LiveReading r = engine.reading();
        const bool rich = r.lambda > 0.45 * 51;
        risingCrossings += rich && !wasRich;
        wasRich = rich;
        lowest = std::min(lowest, r.lambda);
        highest = std::max(highest, r.lambda);
        stepLow = std::min(stepLow, r.stepper);
        stepHigh = std::max(stepHigh, r.stepper);
    }
    EXPECT_GE(risingCrossings, 5) << "a period of at most 2 s";
    EXPECT_LE(risingCrossings, 10) << "a period of at least 1 s";
    EXPECT_LE(lowest, 0.15 * 51);
    EXPECT_GE(highest, 0.75 * 51);
    EXPECT_GE(stepLow, kDefaults.minBelow);
    EXPECT_LE(stepHigh, kDefaults.maxBelow);
    EXPECT_LT(stepLow, stepHigh) << "the stepper regulates";
}

TEST(EngineModel, StepperUsesTheRangeAboveTheTpsThresholdWhenOpen)
{
    WorkingParameters p = kDefaults;
    p.minAbove = 110;
    p.maxAbove = 112;
    EngineModel engine = onGas();
    engine.setThrottle(0.3);
    for (double t = 5.0; t < 10.0; t += 0.1) {
        engine.advanceTo(t, p);
        EXPECT_GE(engine.reading().stepper, 110) << t;
        EXPECT_LE(engine.reading().stepper, 112) << t;
    }
}

TEST(EngineModel, ReducerScrewOutsideTheStepperRangeStopsTheSwing)
{
    // Too rich a screw: even the most closed stepper position gives a rich
    // mixture, so the probe stays rich and the stepper sits at its minimum.
    EngineModel engine = onGas();
    engine.setReducerScrew(1.0);
    bool everLean = false;
    for (double t = 5.0; t < 10.0; t += 0.05) {
        engine.advanceTo(t, kDefaults);
        everLean = everLean || engine.reading().lambda < 0.45 * 51;
    }
    EXPECT_FALSE(everLean);
    EXPECT_EQ(engine.reading().stepper, kDefaults.minBelow);
}
