// The bulk writes of the transfer: the whole block or the default set in
// unjudged frames, the re-writes one by one after them, and the backup of
// the controller's set kept before each.
#include "params/ParameterTransfer.h"

#include "link/CommandFrame.h"
#include "link/SerialPort.h"
#include "params/SilentObserver.h"

namespace dravinor::params {

using namespace dravinor::link;

namespace {

constexpr int framesPerBulkPass = ParameterBlock::count + ParameterTransfer::ramRefreshLast;

std::vector<int> addressesIn(const AddressSet& set, bool wanted)
{
    std::vector<int> addresses;
    for (int address = ParameterBlock::firstAddress; address <= ParameterBlock::lastAddress; ++address)
        if (set.test(static_cast<std::size_t>(address)) == wanted)
            addresses.push_back(address);
    return addresses;
}

}  // namespace

std::vector<int> BulkWriteOutcome::unconfirmedAddresses() const
{
    return addressesIn(confirmed, false);
}

std::vector<int> BulkWriteOutcome::rewrittenAddresses() const
{
    return addressesIn(rewritten, true);
}

bool BulkWriteOutcome::ramPartlyRefreshed() const
{
    // EEPROM took the whole set, but the loss cut the RAM pass short.
    return portLost && !mixedSet() && ramWordsRefreshed() < ParameterTransfer::ramRefreshLast;
}

void ParameterTransfer::writeAllEeprom(BulkWriteOutcome& outcome)
{
    for (int address = ParameterBlock::firstAddress; address <= ParameterBlock::lastAddress; ++address) {
        if ((outcome.portLost = port_.deviceLost()))
            return;
        // After a bad answer the next letter may be an earlier frame's late
        // one: it confirms nothing, and the re-writes, on a line brought back
        // in step, decide.
        const bool inStep = !port_.lineSuspect();
        sendEepromWrite(port_, static_cast<std::uint8_t>(address), state_.block().get(address));
        const bool acknowledged = waitAcknowledge(port_, letter::eepromWrite);
        if (acknowledged && inStep)
            outcome.eepromWritten.set(static_cast<std::size_t>(address));
        if (!acknowledged)
            ++outcome.unacknowledged;
        bulkStep();
    }
    outcome.portLost = port_.deviceLost();
}

void ParameterTransfer::writeAllRam(BulkWriteOutcome& outcome)
{
    for (int address = ParameterBlock::firstAddress; address <= ramRefreshLast; ++address) {
        if ((outcome.portLost = port_.deviceLost()))
            return;
        const bool inStep = !port_.lineSuspect();
        sendRamWordWrite(port_, static_cast<std::uint8_t>(address + ramOffset), state_.block().word(address));
        const bool acknowledged = waitAcknowledge(port_, letter::ramWordWrite);
        if (acknowledged && inStep)
            outcome.ramRefreshed.set(static_cast<std::size_t>(address));
        if (!acknowledged)
            ++outcome.unacknowledged;
        bulkStep();
    }
    outcome.portLost = port_.deviceLost();
}

namespace {

bool eepromOnly(int address)
{
    return memoryOf(Address(address)) == Memory::EepromOnly;
}

// Parameters 33..35 have no RAM refresh of their own.
bool confirmedByBulk(const BulkWriteOutcome& outcome, int address)
{
    const auto bit = static_cast<std::size_t>(address);
    return outcome.eepromWritten.test(bit) && (eepromOnly(address) || outcome.ramRefreshed.test(bit));
}

}  // namespace

void ParameterTransfer::rewriteUnacknowledged(BulkWriteOutcome& outcome)
{
    std::vector<int> missing;
    for (int address = ParameterBlock::firstAddress; address <= ParameterBlock::lastAddress; ++address) {
        if (confirmedByBulk(outcome, address))
            outcome.confirmed.set(static_cast<std::size_t>(address));
        else
            missing.push_back(address);
    }
    // With no controller there is nobody to ask again: each re-write would
    // only spend its retries.
    if (missing.empty() || outcome.portLost || !port_.controllerConnected())
        return;
    bulkSteps_ += static_cast<int>(missing.size());
    observerOrSilent(observer_).bulkWriteProgress(bulkStepsDone_, bulkSteps_);
    int unansweredInARow = 0;
    for (int address : missing) {
        if ((outcome.portLost = port_.deviceLost()))
            return;
        const auto bit = static_cast<std::size_t>(address);
        const WriteKind kind = eepromOnly(address) ? WriteKind::EepromOnly : WriteKind::Parameter;
        const WriteOutcome single = writeOne(kind, Address(address), state_.block().get(address));
        outcome.rewritten.set(bit);
        if (single.eepromAcknowledged)
            outcome.eepromWritten.set(bit);
        if (single.ramAcknowledged)
            outcome.ramRefreshed.set(bit);
        outcome.confirmed.set(bit, !single.failed());
        bulkStep();
        // One address the controller will not take is its own matter; two
        // in a row with no answer at all mean the line is dead.
        unansweredInARow = single.eepromAcknowledged || single.ramAcknowledged ? 0 : unansweredInARow + 1;
        if (unansweredInARow == rewriteGiveUpAfter) {
            outcome.rewritesStopped = true;
            return;
        }
    }
    outcome.portLost = port_.deviceLost();
}

void ParameterTransfer::bulkStep()
{
    observerOrSilent(observer_).bulkWriteProgress(++bulkStepsDone_, bulkSteps_);
}

std::optional<ParameterBlock> ParameterTransfer::controllerSet() const
{
    if (!port_.controllerConnected())
        return std::nullopt;
    for (int address = ParameterBlock::firstAddress; address <= ParameterBlock::lastAddress; ++address)
        if (!controllerKnown_.test(static_cast<std::size_t>(address)))
            return std::nullopt;
    return controllerImage_;
}

SetBackup ParameterTransfer::keepBackup() const
{
    SetBackup none;
    if (!backups_)
        return none;
    if (!port_.controllerConnected()) {
        none.status = SetBackup::Status::NoController;
        return none;
    }
    const auto set = controllerSet();
    if (!set) {
        none.status = SetBackup::Status::SetNotKnown;
        return none;
    }
    return backups_->keep(*set, identity_ ? identity_() : std::nullopt);
}

BulkWriteOutcome ParameterTransfer::recordBulk(WriteKind kind, BulkWriteOutcome (ParameterTransfer::*run)())
{
    TransferObserver& observer = observerOrSilent(observer_);
    // Kept before the first frame: a write cut off half way leaves a mixed
    // set, and the backup is what brings the car's own back.
    SetBackup backup = keepBackup();
    const ParameterBlock controllerBefore = controllerImage_;
    const AddressSet knownBefore = controllerKnown_;
    bulkSteps_ = (kind == WriteKind::WriteAll ? 1 : 2) * framesPerBulkPass;
    bulkStepsDone_ = 0;
    observer.bulkWriteStarted(bulkSteps_);
    BulkWriteOutcome outcome = (this->*run)();
    outcome.backup = std::move(backup);
    rewriteUnacknowledged(outcome);
    for (int address = ParameterBlock::firstAddress; address <= ParameterBlock::lastAddress; ++address) {
        const bool taken = outcome.eepromWritten.test(static_cast<std::size_t>(address));
        noteControllerValue(address, taken);
        // The controller now holds what the page shows there.
        if (taken)
            state_.setUnread(address, false);
    }
    // The re-writes belong to this bulk write: its entry tells them.
    if (recorder_)
        recorder_->bulkWrite({kind, source_, controllerBefore, knownBefore, state_.block(), outcome});
    observer.bulkWriteFinished(outcome);
    return outcome;
}

BulkWriteOutcome ParameterTransfer::writeAll()
{
    return recordBulk(WriteKind::WriteAll, &ParameterTransfer::runWriteAll);
}

BulkWriteOutcome ParameterTransfer::runWriteAll()
{
    BulkWriteOutcome outcome;
    writeAllEeprom(outcome);
    if (!outcome.portLost)
        writeAllRam(outcome);
    return outcome;
}

BulkWriteOutcome ParameterTransfer::resetParameters()
{
    return recordBulk(WriteKind::Reset, &ParameterTransfer::runReset);
}

BulkWriteOutcome ParameterTransfer::runReset()
{
    // The controller receives the whole default set twice.
    BulkWriteOutcome outcome;
    for (int pass = 0; pass < 2 && !outcome.portLost; ++pass) {
        state_.loadDefaults();
        showParameters();
        writeAllEeprom(outcome);
        if (!outcome.portLost)
            writeAllRam(outcome);
    }
    return outcome;
}

BulkWriteOutcome ParameterTransfer::resetParametersForAdaptation()
{
    state_.setTemperatureSensorMemory((state_.flagByteA() & flagA::temperatureSensor) != 0);
    const BulkWriteOutcome missed = recordBulk(WriteKind::AdaptationReset, &ParameterTransfer::runReset);
    state_.setTemperatureSensorMemory(true);
    return missed;
}

}  // namespace dravinor::params
