#include "ControllerCore.h"

namespace dravinor::sim {

ControllerCore::ControllerCore(std::uint8_t identity, const EepromImage& eeprom, double startSeconds)
    : identity_(identity), engine_(startSeconds)
{
    setEeprom(eeprom);
    engine_.advanceTo(startSeconds, parameters());
}

WorkingParameters ControllerCore::parameters() const
{
    WorkingParameters w = WorkingParameters::fromRam(ram_.data());
    w.probeType = eeprom_[34];
    return w;
}

void ControllerCore::setFitterEnabled(bool enabled, double nowSeconds)
{
    EngineModel& engine = engineAt(nowSeconds);
    if (!enabled) {
        fitter_.reset();
        return;
    }
    if (!fitter_) {
        fitter_.emplace();
        fitter_->advance(nowSeconds, engine, parameters());
    }
}

void ControllerCore::setEeprom(const EepromImage& eeprom)
{
    eeprom_ = eeprom;
    for (int p = 1; p <= 35; ++p)
        ram_[p + kRamParameterOffset] = eeprom_[p];
}

EngineModel& ControllerCore::engineAt(double nowSeconds)
{
    engine_.advanceTo(nowSeconds, parameters());
    if (fitter_)
        fitter_->advance(nowSeconds, engine_, parameters());
    return engine_;
}

void ControllerCore::writeRam(int address, std::uint8_t value, double nowSeconds)
{
    if (address < 0 || address >= kRamSize)
        return;
    ram_[address] = value;
    if (address == kFuelModeAddress)
        engineAt(nowSeconds).fuelRequest(value);
}

std::vector<std::uint8_t> ControllerCore::handle(const Frame& frame, double nowSeconds)
{
    std::vector<std::uint8_t> reply = answer(frame, nowSeconds);
    if (fitter_)
        fitter_->frameHandled(frame, nowSeconds, engineAt(nowSeconds), parameters());
    return reply;
}

std::vector<std::uint8_t> ControllerCore::answer(const Frame& frame, double nowSeconds)
{
    const std::uint8_t letter = frame[0];
    const int address = frame[1];
    switch (letter) {
    case 's':
        // Only the parameter addresses are writable; the letter comes back
        // either way, the controller does not refuse.
        if (address >= 1 && address <= 35)
            eeprom_[address] = frame[2];
        return {'s'};
    case 'R':
        writeRam(address, frame[2], nowSeconds);
        writeRam(address + 1, frame[3], nowSeconds);
        return {'R'};
    case 'r': writeRam(address, frame[2], nowSeconds); return {'r'};
    case 'l': {
        const std::uint8_t value = address < static_cast<int>(eeprom_.size()) ? eeprom_[address] : 0;
        return {'D', value, static_cast<std::uint8_t>('D' + value), kFrameTerminator};
    }
    case 'I': return {identity_};
    case 'V': return liveFrame(nowSeconds);
    default: return {};
    }
}

std::vector<std::uint8_t> ControllerCore::liveFrame(double nowSeconds)
{
    const LiveReading r = engineAt(nowSeconds).reading();
    return {r.lambda,
            r.tps,
            r.temperature,
            0,
            r.stepper,
            r.status,
            static_cast<std::uint8_t>(r.period >> 8),
            static_cast<std::uint8_t>(r.period & 0xFF),
            0,
            0};
}

}  // namespace dravinor::sim
