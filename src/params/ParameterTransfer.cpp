#include "ParameterTransfer.h"

#include "CommandFrame.h"
#include "SerialPort.h"

namespace dravinor::params {

using namespace dravinor::link;

namespace {
TransferObserver silentObserver;
}

ParameterTransfer::ParameterTransfer(SerialPort& port, ParameterState& state, TransferObserver* observer)
    : port_(port), state_(state), observer_(observer)
{
}

void ParameterTransfer::showParameters()
{
    state_.refreshDerived();
    (observer_ ? *observer_ : silentObserver).showParameters();
}

ReadAllResult ParameterTransfer::readAllParameters()
{
    TransferObserver& observer = observer_ ? *observer_ : silentObserver;
    ReadAllResult result;
    observer.readStarted(ParameterBlock::count);
    for (int address = ParameterBlock::firstAddress; address <= ParameterBlock::lastAddress; ++address) {
        sendParameterRead(port_, static_cast<std::uint8_t>(address));
        if (const auto value = collectParameterValue(port_)) {
            state_.block().setParameter(*value, address);
            observer.readProgress(++result.accepted);
        } else {
            // No retry: the address keeps what it held.
            result.failedAddresses.push_back(address);
        }
    }
    observer.readFinished();
    showParameters();
    return result;
}

bool ParameterTransfer::writeEepromWithRetries(std::uint8_t value, int address)
{
    state_.block().setParameter(value, address);
    const auto frame = buildFrame(letter::eepromWrite, static_cast<std::uint8_t>(address), value, 0);
    sendFrame(port_, frame);
    bool acknowledged = true;
    for (int attempt = 0; attempt < writeAttempts; ++attempt) {
        if (waitAcknowledge(port_, letter::eepromWrite)) {
            acknowledged = true;
            break;
        }
        // A write never acknowledged sends its frame five times and waits
        // four times: the last frame goes unanswered by design.
        acknowledged = false;
        sendFrame(port_, frame);
    }
    port_.clock().sleepMs(pauseAfterWriteMs);
    return acknowledged;
}

void ParameterTransfer::refreshRamCopy(int address, WriteOutcome& outcome)
{
    // The RAM copy is written as a word: this parameter and the next one.
    const auto frame = buildFrame(letter::ramWordWrite, static_cast<std::uint8_t>(address + ramOffset),
                                  state_.block().get(address), state_.block().get(address + 1));
    sendFrame(port_, frame);
    outcome.ramWritten = true;
    outcome.ramAcknowledged = true;
    for (int attempt = 0; attempt < writeAttempts; ++attempt) {
        if (waitAcknowledge(port_, letter::ramWordWrite)) {
            outcome.ramAcknowledged = true;
            break;
        }
        outcome.ramAcknowledged = false;
        sendFrame(port_, frame);
    }
    port_.clock().sleepMs(pauseAfterWriteMs);
}

WriteOutcome ParameterTransfer::writeParameter(std::uint8_t value, int address)
{
    TransferObserver& observer = observer_ ? *observer_ : silentObserver;
    observer.writeStarted();
    WriteOutcome outcome;
    outcome.eepromAcknowledged = writeEepromWithRetries(value, address);
    refreshRamCopy(address, outcome);
    observer.writeFinished(outcome);
    return outcome;
}

WriteOutcome ParameterTransfer::writeParameterEeprom(std::uint8_t value, int address)
{
    TransferObserver& observer = observer_ ? *observer_ : silentObserver;
    observer.writeStarted();
    WriteOutcome outcome;
    outcome.eepromAcknowledged = writeEepromWithRetries(value, address);
    observer.writeFinished(outcome);
    return outcome;
}

int ParameterTransfer::writeAllEeprom()
{
    int missed = 0;
    for (int address = ParameterBlock::firstAddress; address <= ParameterBlock::lastAddress; ++address) {
        sendEepromWrite(port_, static_cast<std::uint8_t>(address), state_.block().get(address));
        missed += waitAcknowledge(port_, letter::eepromWrite) ? 0 : 1;
    }
    return missed;
}

int ParameterTransfer::writeAllRam()
{
    int missed = 0;
    for (int address = ParameterBlock::firstAddress; address <= ramRefreshLast; ++address) {
        sendRamWordWrite(port_, static_cast<std::uint8_t>(address + ramOffset), state_.block().word(address));
        missed += waitAcknowledge(port_, letter::ramWordWrite) ? 0 : 1;
    }
    return missed;
}

int ParameterTransfer::writeAll()
{
    const int missed = writeAllEeprom();
    return missed + writeAllRam();
}

int ParameterTransfer::resetParameters()
{
    // The controller receives the whole default set twice.
    int missed = 0;
    for (int pass = 0; pass < 2; ++pass) {
        state_.loadDefaults();
        showParameters();
        missed += writeAll();
    }
    return missed;
}

int ParameterTransfer::resetParametersForAdaptation()
{
    state_.setTemperatureSensorMemory((state_.flagByteA() & 0x08) != 0);
    const int missed = resetParameters();
    state_.setTemperatureSensorMemory(true);
    return missed;
}

}  // namespace dravinor::params
