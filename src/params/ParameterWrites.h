#pragma once

#include "params/ParameterTable.h"

#include <cstdint>
#include <optional>

namespace dravinor::params {

class ParameterTransfer;
struct WriteOutcome;

// One parameter to the controller, with the transfer's retries, to the
// memory the parameter table gives its address: EEPROM and RAM, or EEPROM
// alone. Every single write of a parameter goes out this way.
WriteOutcome writeWhereItLives(ParameterTransfer& transfer, Address address, std::uint8_t value);
// The same to a memory the caller names: dravinor-cli's raw `set ADDR
// VALUE` writes both, an undo writes where the write it takes back went.
WriteOutcome writeToMemory(ParameterTransfer& transfer, Memory memory, Address address, std::uint8_t value);

// One byte to the controller, written the caller's way (the wizard notes
// failures, dravinor-cli lists what it wrote). The sequences below are the
// same for the pages, the wizard and dravinor-cli.
class ByteWriter {
public:
    virtual ~ByteWriter() = default;
    // Writes to the memory the parameter table gives the address: EEPROM
    // and RAM, or EEPROM alone. True when EEPROM acknowledged the byte.
    virtual bool write(Address address, std::uint8_t value) = 0;
};

// Writes straight through the transfer, each byte where it lives.
class TransferWriter final : public ByteWriter {
public:
    explicit TransferWriter(ParameterTransfer& transfer) : transfer_(transfer) {}
    bool write(Address address, std::uint8_t value) override;
    // Every byte written so far was confirmed whole: EEPROM and, where the
    // parameter has one, its RAM copy.
    bool allConfirmed() const { return allConfirmed_; }

private:
    ParameterTransfer& transfer_;
    bool allConfirmed_ = true;
};

// Whether the rest of a sequence waits for its first byte's acknowledgement.
// A fitter's edit does: an unacknowledged first byte leaves the controller
// as it was. The wizard's sequences write on, and count the failures.
enum class Gate { OnAcknowledge, Never };

// A word, high byte first. True when both bytes were acknowledged.
bool writeWord(ByteWriter& writer, Address address, std::uint16_t word, Gate gate);

// The switch-over hysteresis word, then the RPM delta it came from (EEPROM
// only). True when the hysteresis' high byte was acknowledged. Without a
// hysteresis (the switch-over speed unknown) the delta alone, true when it
// was acknowledged.
bool writeRpmHysteresis(ByteWriter& writer, std::optional<std::uint16_t> hysteresis, std::uint8_t delta, Gate gate);

// The probe's settings: flag byte A (its probe-rising bit) and the emulation
// output code, in the order given, then the probe and emulation types (EEPROM
// only). True when the first of the two was acknowledged.
struct ProbeSettings {
    std::uint8_t flagByteA = 0;
    std::uint8_t emulationOutputCode = 0;
    std::uint8_t probeType = 0;
    std::uint8_t emulationType = 0;
};
enum class ProbeOrder { FlagByteFirst, CodeFirst };
bool writeProbeSettings(ByteWriter& writer, const ProbeSettings& settings, ProbeOrder order, Gate gate);

}  // namespace dravinor::params
