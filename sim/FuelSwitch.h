#pragma once

#include <cstdint>

namespace dravinor::sim {

// The controller's petrol/gas switch, driven by the fuel-mode requests the
// tool writes to RAM 125 and by the engine's state.
class FuelSwitch {
public:
    static constexpr std::uint8_t kManualPetrol = 2;
    static constexpr std::uint8_t kAutomatic = 254;
    static constexpr std::uint8_t kToggle = 255;

    // Other values are taken into RAM but change nothing here.
    void request(std::uint8_t value);
    // Automatic mode goes to gas by itself when the engine runs fast enough
    // and is warm; a stopped engine always ends up on petrol.
    void update(bool engineRunning, bool fastEnough, bool warm);

    bool automatic() const { return automatic_; }
    bool onGas() const { return onGas_; }

private:
    bool automatic_ = false;
    bool onGas_ = false;
    // Set when the fitter toggled back to petrol: automatic mode must not
    // switch straight back to gas behind his back.
    bool holdPetrol_ = false;
};

}  // namespace dravinor::sim
