#pragma once

#include "EepromImage.h"
#include "EngineModel.h"
#include "FrameParser.h"
#include "VirtualFitter.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace dravinor::sim {

// The controller's memory and command handling, without any line: a frame
// in, the reply bytes out. Time is given in seconds so the engine behind the
// live frame can be driven by tests.
class ControllerCore {
public:
    static constexpr int kRamSize = 128;
    static constexpr int kFuelModeAddress = 125;
    using Ram = std::array<std::uint8_t, kRamSize>;

    ControllerCore(std::uint8_t identity, const EepromImage& eeprom, double startSeconds = 0);

    // Reply to a checked frame; empty for letters the controller does not know.
    std::vector<std::uint8_t> handle(const Frame& frame, double nowSeconds);

    const EepromImage& eeprom() const { return eeprom_; }
    const Ram& ram() const { return ram_; }
    // As after a power-up with this EEPROM: the working copies are reloaded.
    void setEeprom(const EepromImage& eeprom);
    // Another controller on the same line: it answers 'I' with this byte.
    void setIdentity(std::uint8_t identity) { identity_ = identity; }

    // Brings the engine (and the fitter at it, if any) up to now; call
    // before changing its controls.
    EngineModel& engineAt(double nowSeconds);

    // A virtual fitter works the car from now on, or stops and leaves the
    // controls where he left them.
    void setFitterEnabled(bool enabled, double nowSeconds);
    const VirtualFitter* fitter() const { return fitter_ ? &*fitter_ : nullptr; }

    // What the controller runs on: the RAM working copies, and the probe
    // type, which the tool writes to EEPROM only.
    WorkingParameters parameters() const;

private:
    void writeRam(int address, std::uint8_t value, double nowSeconds);
    std::vector<std::uint8_t> answer(const Frame& frame, double nowSeconds);
    std::vector<std::uint8_t> liveFrame(double nowSeconds);

    std::uint8_t identity_;
    EepromImage eeprom_;
    Ram ram_{};
    EngineModel engine_;
    std::optional<VirtualFitter> fitter_;
};

}  // namespace dravinor::sim
