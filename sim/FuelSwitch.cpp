#include "FuelSwitch.h"

namespace dravinor::sim {

void FuelSwitch::request(std::uint8_t value)
{
    switch (value) {
    case kManualPetrol:
        automatic_ = false;
        onGas_ = false;
        holdPetrol_ = false;
        break;
    case kAutomatic:
        automatic_ = true;
        onGas_ = false;
        holdPetrol_ = false;
        break;
    case kToggle:
        if (!automatic_)
            break;
        holdPetrol_ = onGas_;
        onGas_ = !onGas_;
        break;
    default: break;
    }
}

void FuelSwitch::update(bool engineRunning, bool fastEnough, bool warm)
{
    if (!automatic_ || !engineRunning) {
        onGas_ = false;
        // Next start begins a fresh automatic cycle.
        holdPetrol_ = false;
        return;
    }
    if (!onGas_ && !holdPetrol_ && fastEnough && warm)
        onGas_ = true;
}

}  // namespace dravinor::sim
