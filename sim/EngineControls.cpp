#include "EngineControls.h"

#include "ControllerCore.h"

namespace dravinor::sim {

EngineView viewOfEngine(ControllerCore& core, double seconds)
{
    const EngineModel& engine = core.engineAt(seconds);
    return {engine.running(),         engine.rpm(),
            engine.coolantC(),        engine.stepper(),
            engine.probeVolts(),      engine.fuel().onGas(),
            engine.throttle(),        engine.reducerScrew(),
            core.fitter() != nullptr, core.fitter() ? stageName(core.fitter()->stage()) : "",
            engine.probeModel()};
}

}  // namespace dravinor::sim
