#include "EngineModel.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace dravinor::sim;

namespace {

// Defaults: K 4800, switch-over 2200 RPM (period 1745), 0 degrees, sensor used.
const WorkingParameters kDefaults;

double rpmOf(const LiveReading& r, double k)
{
    return 800.0 * k / r.period;
}

}  // namespace

TEST(FuelSwitch, RequestsAndToggles)
{
    FuelSwitch fuel;
    fuel.request(FuelSwitch::kToggle);
    EXPECT_FALSE(fuel.onGas()) << "toggle means nothing in manual mode";

    fuel.request(FuelSwitch::kAutomatic);
    EXPECT_TRUE(fuel.automatic());
    EXPECT_FALSE(fuel.onGas()) << "automatic starts on petrol";
    fuel.request(FuelSwitch::kToggle);
    EXPECT_TRUE(fuel.onGas());

    fuel.request(FuelSwitch::kToggle);
    EXPECT_FALSE(fuel.onGas());
    fuel.update(true, true, true);
    EXPECT_FALSE(fuel.onGas()) << "toggled back to petrol holds petrol";

    fuel.request(FuelSwitch::kManualPetrol);
    EXPECT_FALSE(fuel.automatic());
}

TEST(FuelSwitch, AutomaticWaitsForSpeedAndWarmthAndDropsOnStall)
{
    FuelSwitch fuel;
    fuel.request(FuelSwitch::kAutomatic);
    fuel.update(true, false, true);
    EXPECT_FALSE(fuel.onGas());
    fuel.update(true, true, false);
    EXPECT_FALSE(fuel.onGas());
    fuel.update(true, true, true);
    EXPECT_TRUE(fuel.onGas());
    fuel.update(true, false, true);
    EXPECT_TRUE(fuel.onGas()) << "stays on gas when the speed falls back";
    fuel.update(false, false, true);
    EXPECT_FALSE(fuel.onGas());
    EXPECT_TRUE(fuel.automatic());
}

TEST(EngineModel, IdlesAndFollowsTheThrottleWithALag)
{
    EngineModel engine;
    engine.advanceTo(3, kDefaults);
    EXPECT_NEAR(rpmOf(engine.reading(), 4800), 850, 10);
    EXPECT_EQ(engine.reading().tps, 26);

    engine.setThrottle(1.0);
    EXPECT_EQ(engine.reading().tps, 230) << "4.5 V fully open";
    engine.advanceTo(3.1, kDefaults);
    EXPECT_LT(engine.rpm(), 2500) << "an engine needs time to rev";
    engine.advanceTo(6, kDefaults);
    EXPECT_NEAR(engine.rpm(), 5000, 50);
}

TEST(EngineModel, StoppedEngineHasNoSpeed)
{
    EngineModel engine;
    engine.setRunning(false);
    engine.advanceTo(1, kDefaults);
    const LiveReading r = engine.reading();
    EXPECT_EQ(r.status & kStatusNoSpeed, kStatusNoSpeed);
    EXPECT_EQ(r.period, 0xFFFF);

    engine.setRunning(true);
    engine.advanceTo(4, kDefaults);
    EXPECT_EQ(engine.reading().status & kStatusNoSpeed, 0);
    EXPECT_NEAR(engine.rpm(), 850, 10);
}

TEST(EngineModel, TemperatureBytesDecodeToTheCoolantTemperature)
{
    EXPECT_NEAR(EngineModel::temperatureOfByte(153), 94.99, 0.01);
    for (double c : {-20.0, 20.0, 55.5, 90.0})
        EXPECT_NEAR(EngineModel::temperatureOfByte(EngineModel::temperatureByte(c)), c, 1.5) << c;
}

TEST(EngineModel, WarmsUpToNinetyDegreesInAFewMinutes)
{
    EngineModel engine;
    engine.advanceTo(1, kDefaults);
    EXPECT_NEAR(EngineModel::temperatureOfByte(engine.reading().temperature), 20, 1.5);
    engine.advanceTo(60, kDefaults);
    const double afterAMinute = engine.coolantC();
    EXPECT_GT(afterAMinute, 30);
    EXPECT_LT(afterAMinute, 80);
    engine.advanceTo(300, kDefaults);
    EXPECT_NEAR(EngineModel::temperatureOfByte(engine.reading().temperature), 90, 1.5);
    engine.advanceTo(900, kDefaults);
    EXPECT_DOUBLE_EQ(engine.coolantC(), 90) << "the thermostat holds it";
}

TEST(EngineModel, AutomaticGoesToGasAboveTheSwitchOverSpeed)
{
    EngineModel engine;
    engine.fuelRequest(FuelSwitch::kAutomatic);
    engine.advanceTo(10, kDefaults);
    EXPECT_EQ(engine.reading().status, kStatusAutomatic) << "idle is below 2200 RPM";

    engine.setThrottle(0.5);  // heads for about 2900 RPM
    engine.advanceTo(15, kDefaults);
    EXPECT_EQ(engine.reading().status, kStatusAutomatic | kStatusOnGas);

    engine.setRunning(false);
    engine.advanceTo(16, kDefaults);
    EXPECT_EQ(engine.reading().status, kStatusAutomatic | kStatusNoSpeed);
}

TEST(EngineModel, AutomaticWaitsForTheSwitchOverTemperature)
{
    WorkingParameters p = kDefaults;
    p.switchTemperatureC = 40;
    EngineModel engine;
    engine.fuelRequest(FuelSwitch::kAutomatic);
    engine.setThrottle(0.5);
    engine.advanceTo(20, p);
    EXPECT_FALSE(engine.fuel().onGas()) << "still cold at " << engine.coolantC();
    engine.advanceTo(70, p);
    EXPECT_TRUE(engine.fuel().onGas());

    p.temperatureSensorUsed = false;
    EngineModel noSensor;
    noSensor.fuelRequest(FuelSwitch::kAutomatic);
    noSensor.setThrottle(0.5);
    noSensor.advanceTo(10, p);
    EXPECT_TRUE(noSensor.fuel().onGas()) << "without a sensor the temperature does not count";
}

TEST(EngineModel, ManualPetrolNeverGoesToGas)
{
    EngineModel engine;
    engine.fuelRequest(FuelSwitch::kManualPetrol);
    engine.setThrottle(1.0);
    engine.advanceTo(400, kDefaults);
    EXPECT_EQ(engine.reading().status, 0);
}

TEST(EngineModel, LambdaSwingsOnGasAndTheStepperStaysInItsRange)
{
    EngineModel engine;
    engine.fuelRequest(FuelSwitch::kAutomatic);
    engine.fuelRequest(FuelSwitch::kToggle);
    engine.advanceTo(5, kDefaults);

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
    EngineModel engine;
    engine.fuelRequest(FuelSwitch::kAutomatic);
    engine.fuelRequest(FuelSwitch::kToggle);
    engine.setThrottle(0.3);
    for (double t = 1.0; t < 10.0; t += 0.1) {
        engine.advanceTo(t, p);
        if (t > 5) {
            EXPECT_GE(engine.reading().stepper, 110) << t;
            EXPECT_LE(engine.reading().stepper, 112) << t;
        }
    }
}
