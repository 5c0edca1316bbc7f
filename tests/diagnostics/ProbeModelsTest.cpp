// The probe check against the simulated car's probe models: each fault the
// simulator can give gets its own verdict.
#include "EngineModel.h"
#include "diagnostics/ProbeHealth.h"

#include <gtest/gtest.h>

using namespace dravinor;
using diagnostics::ProbeVerdict;
using sim::ProbeModel;

namespace {

ProbeVerdict verdictOnGasAtCruise(ProbeModel model, std::uint8_t probeType = 0)
{
    sim::WorkingParameters parameters;
    parameters.probeType = probeType;
    parameters.probeRising = probeType % 2 == 0;
    const float thresholds[] = {0.38f, 0.38f, 1.2f, 1.2f, 2.54f, 2.54f};
    parameters.lambdaThresholdVolts = thresholds[probeType];
    sim::EngineModel engine;
    engine.setCoolant(sim::EngineModel::kWarmC);
    engine.fuelRequest(sim::FuelSwitch::kAutomatic);
    engine.fuelRequest(sim::FuelSwitch::kToggle);
    engine.setProbeModel(model);
    engine.setThrottle(0.4);      // about 2,500 RPM
    engine.setReducerScrew(0.5);  // stoichiometric inside the actuator's default range

    diagnostics::ProbeHealth health(probeType);
    for (double t = 0.05; t < 20; t += 0.05) {
        engine.advanceTo(t, parameters);
        health.add({t, engine.reading().lambda * 5.0f / 255.0f, static_cast<int>(engine.rpm())});
    }
    EXPECT_TRUE(engine.fuel().onGas());
    return health.figures().verdict;
}

}  // namespace

TEST(ProbeModels, EachSimulatedProbeFaultGetsItsVerdict)
{
    EXPECT_EQ(verdictOnGasAtCruise(ProbeModel::Healthy), ProbeVerdict::Working);
    EXPECT_EQ(verdictOnGasAtCruise(ProbeModel::Slow), ProbeVerdict::Slow);
    EXPECT_EQ(verdictOnGasAtCruise(ProbeModel::StuckLean), ProbeVerdict::StuckLean);
    EXPECT_EQ(verdictOnGasAtCruise(ProbeModel::StuckRich), ProbeVerdict::StuckRich);
    EXPECT_EQ(verdictOnGasAtCruise(ProbeModel::Disconnected), ProbeVerdict::NoSignal);
    EXPECT_EQ(verdictOnGasAtCruise(ProbeModel::Biased), ProbeVerdict::StuckRich)
        << "a probe biased past the threshold reads rich whatever the controller does";
}

TEST(ProbeModels, AHealthyProbeOfEveryTypeWorks)
{
    for (std::uint8_t type = 0; type < 6; ++type)
        EXPECT_EQ(verdictOnGasAtCruise(ProbeModel::Healthy, type), ProbeVerdict::Working) << "probe type " << int(type);
}
