#pragma once

#include "ParameterState.h"

#include <cstdint>
#include <vector>

namespace dravinor::link {
class SerialPort;
}

namespace dravinor::params {

struct ReadAllResult {
    int accepted = 0;
    std::vector<int> failedAddresses;  // addresses whose answer was missing or malformed
    bool complete() const { return failedAddresses.empty(); }
};

// Which halves of a single write the controller acknowledged.
struct WriteOutcome {
    bool eepromAcknowledged = false;
    bool ramAcknowledged = false;
    bool ramWritten = false;  // false for an EEPROM-only write
    bool failed() const { return !eepromAcknowledged || (ramWritten && !ramAcknowledged); }
};

// The window's side of a transfer: progress bars, status lines, the fields.
class TransferObserver {
public:
    virtual ~TransferObserver() = default;
    virtual void readStarted(int /*total*/) {}
    virtual void readProgress(int /*accepted*/) {}
    virtual void readFinished() {}
    // The block changed: show it in the fields.
    virtual void showParameters() {}
    // A single write starts (the status line is cleared) and ends.
    virtual void writeStarted() {}
    virtual void writeFinished(const WriteOutcome& /*outcome*/) {}
};

// Moves the parameter block between the program and the controller.
class ParameterTransfer {
public:
    static constexpr int writeAttempts = 4;
    static constexpr int pauseAfterWriteMs = 15;
    static constexpr int ramRefreshLast = 32;  // 33 rides as the low byte of 32

    ParameterTransfer(link::SerialPort& port, ParameterState& state, TransferObserver* observer = nullptr);

    ReadAllResult readAllParameters();
    // EEPROM then the RAM copy, each with retries. The block keeps the new
    // value whatever the outcome.
    WriteOutcome writeParameter(std::uint8_t value, int address);
    WriteOutcome writeParameterEeprom(std::uint8_t value, int address);
    // Bulk writes neither retry nor stop on a missing answer; they return
    // how many writes went unacknowledged, for callers that want to say so.
    int writeAllEeprom();
    int writeAllRam();
    // "Zapisz Parametry": the whole block to both memories.
    int writeAll();
    // The default set, twice; returns the unacknowledged writes of both passes.
    int resetParameters();
    // Like resetParameters, but the temperature-sensor setting survives.
    int resetParametersForAdaptation();

    void setObserver(TransferObserver* observer) { observer_ = observer; }

private:
    bool writeEepromWithRetries(std::uint8_t value, int address);
    void refreshRamCopy(int address, WriteOutcome& outcome);
    void showParameters();

    link::SerialPort& port_;
    ParameterState& state_;
    TransferObserver* observer_;
};

}  // namespace dravinor::params
