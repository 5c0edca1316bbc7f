#pragma once

#include "ProbeVoltages.h"

namespace dravinor::sim {

class ControllerCore;

// What the engine does now, for a panel that shows it.
struct EngineView {
    bool running;
    double rpm;
    double coolantC;
    double stepper;
    double probeVolts;
    bool onGas;
    double throttle;
    double reducerScrew;
    bool fitterEnabled;
    const char* fitterStage;  // empty without a fitter
    ProbeModel probeModel;
};

// The demo's car, whichever line carries its controller: what the engine
// panel drives and shows.
class EngineControls {
public:
    virtual ~EngineControls() = default;
    virtual void setEngineRunning(bool running) = 0;
    virtual void setThrottle(double zeroToOne) = 0;
    virtual void setReducerScrew(double minusOneToOne) = 0;
    virtual void setFitterEnabled(bool enabled) = 0;
    virtual void setProbeModel(ProbeModel model) = 0;
    virtual EngineView engineView() = 0;
};

// The controller's engine (and fitter) as it stands at that time.
EngineView viewOfEngine(ControllerCore& core, double seconds);

}  // namespace dravinor::sim
