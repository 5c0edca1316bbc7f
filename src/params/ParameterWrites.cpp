#include "params/ParameterWrites.h"

#include "params/ParameterTable.h"
#include "params/ParameterTransfer.h"

namespace dravinor::params {

WriteOutcome writeToMemory(ParameterTransfer& transfer, Memory memory, Address address, std::uint8_t value)
{
    return memory == Memory::EepromOnly ? transfer.writeParameterEeprom(address, value)
                                        : transfer.writeParameter(address, value);
}

WriteOutcome writeWhereItLives(ParameterTransfer& transfer, Address address, std::uint8_t value)
{
    return writeToMemory(transfer, memoryOf(address), address, value);
}

bool TransferWriter::write(Address address, std::uint8_t value)
{
    const WriteOutcome outcome = writeWhereItLives(transfer_, address, value);
    allConfirmed_ = allConfirmed_ && !outcome.failed();
    return outcome.eepromAcknowledged;
}

bool writeWord(ByteWriter& writer, Address address, std::uint16_t word, Gate gate)
{
    const bool high = writer.write(address, static_cast<std::uint8_t>(word >> 8));
    if (!high && gate == Gate::OnAcknowledge)
        return false;
    const bool low = writer.write(address.next(), static_cast<std::uint8_t>(word & 0xFF));
    return high && low;
}

bool writeRpmHysteresis(ByteWriter& writer, std::optional<std::uint16_t> hysteresis, std::uint8_t delta, Gate gate)
{
    if (!hysteresis)
        return writer.write(address::rpmDelta, delta);
    const bool high = writer.write(address::switchOverHysteresis, static_cast<std::uint8_t>(*hysteresis >> 8));
    if (!high && gate == Gate::OnAcknowledge)
        return false;
    writer.write(address::switchOverHysteresis.next(), static_cast<std::uint8_t>(*hysteresis & 0xFF));
    writer.write(address::rpmDelta, delta);
    return high;
}

bool writeProbeSettings(ByteWriter& writer, const ProbeSettings& settings, ProbeOrder order, Gate gate)
{
    const bool flagFirst = order == ProbeOrder::FlagByteFirst;
    const auto writeFlagByte = [&] { return writer.write(address::flagByteA, settings.flagByteA); };
    const auto writeCode = [&] { return writer.write(address::emulationOutputCode, settings.emulationOutputCode); };
    const bool first = flagFirst ? writeFlagByte() : writeCode();
    if (!first && gate == Gate::OnAcknowledge)
        return false;
    if (flagFirst)
        writeCode();
    else
        writeFlagByte();
    writer.write(address::probeType, settings.probeType);
    writer.write(address::emulationType, settings.emulationType);
    return first;
}

}  // namespace dravinor::params
