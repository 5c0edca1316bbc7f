#include "EngineModel.h"
#include "ControllerCore.h"
#include "ProbeVoltages.h"

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

TEST(EngineModel, ColdEnginePassesThirtyDegreesWithinTenSeconds)
{
    EngineModel engine;
    engine.advanceTo(10, kDefaults);
    EXPECT_GT(EngineModel::temperatureOfByte(engine.reading().temperature), 30.0);
}

TEST(EngineModel, ProbeVoltagesFollowTheProbeTypeStoredInEeprom)
{
    // {lowest, highest} lambda byte expected on petrol, whose ECU swings the mixture.
    const std::pair<int, int> kSpan[] = {{5, 41}, {10, 46}, {46, 77}, {46, 77}, {26, 230}, {26, 230}};
    for (std::uint8_t type = 0; type < 6; ++type) {
        ControllerCore core(0x31, factoryEeprom());
        const Frame eepromOnly{'s', 34, type, 0, static_cast<std::uint8_t>('s' + 34 + type), 0x3B};
        core.handle(eepromOnly, 0);
        int lowest = 255, highest = 0;
        for (double t = 2; t < 6; t += 0.05) {
            const int lambda = core.engineAt(t).reading().lambda;
            lowest = std::min(lowest, lambda);
            highest = std::max(highest, lambda);
        }
        EXPECT_NEAR(lowest, kSpan[type].first, 2) << "type " << int(type);
        EXPECT_NEAR(highest, kSpan[type].second, 2) << "type " << int(type);
        const ProbeVoltages v = probeVoltagesFor(type);
        EXPECT_EQ(v.rich > v.lean, type % 2 == 0) << "even types rise with a richer mixture";
    }
}

TEST(EngineModel, FallingProbeRegulatesOnlyWithTheFallingFlag)
{
    WorkingParameters p = kDefaults;
    p.probeType = 1;
    p.lambdaThresholdVolts = 0.55;
    p.probeRising = false;
    EngineModel engine = onGas();
    std::uint8_t low = 255, high = 0;
    for (double t = 5; t < 15; t += 0.05) {
        engine.advanceTo(t, p);
        low = std::min(low, engine.reading().stepper);
        high = std::max(high, engine.reading().stepper);
    }
    EXPECT_GT(low, p.minBelow) << "swings inside its range";
    EXPECT_LT(high, p.maxBelow);

    // Told the probe rises, the controller steps the wrong way and runs
    // into the end of its range.
    p.probeRising = true;
    engine.advanceTo(25, p);
    const std::uint8_t stuck = engine.reading().stepper;
    EXPECT_TRUE(stuck == p.minBelow || stuck == p.maxBelow) << int(stuck);
}

TEST(EngineModel, FallingThrottleSensorAndTheControllersTpsSide)
{
    EngineModel engine = onGas();
    engine.setTpsFalling(true);
    EXPECT_EQ(engine.reading().tps, 230) << "closed: 4.5 V";
    engine.setThrottle(1);
    EXPECT_EQ(engine.reading().tps, 26) << "open: 0.5 V";

    WorkingParameters p = kDefaults;
    p.minAbove = 110, p.maxAbove = 112, p.startAbove = 111;
    p.tpsRising = false;
    p.tpsThresholdVolts = 10.8;  // a little below the closed reading
    engine.setThrottle(0);
    engine.advanceTo(10, p);
    EXPECT_LE(engine.reading().stepper, p.maxBelow) << "closed is below the threshold";
    engine.setThrottle(0.4);
    engine.advanceTo(10.01, p);
    EXPECT_EQ(engine.reading().stepper, 111) << "crossing on gas puts the actuator at the start position";
    engine.advanceTo(15, p);
    EXPECT_GE(engine.reading().stepper, p.minAbove);
}
