#include "ParameterTransfer.h"

#include "CommandFrame.h"
#include "LineSync.h"
#include "SerialPort.h"

#include <algorithm>

namespace dravinor::params {

using namespace dravinor::link;

namespace {
TransferObserver silentObserver;

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

std::vector<int> ReadAllResult::unanswered() const
{
    std::vector<int> addresses;
    for (int address : failedAddresses)
        if (std::find(notAsked.begin(), notAsked.end(), address) == notAsked.end())
            addresses.push_back(address);
    return addresses;
}

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

ParameterTransfer::ParameterTransfer(SerialPort& port, ParameterState& state, TransferObserver* observer)
    : port_(port), state_(state), observer_(observer)
{
}

void ParameterTransfer::showParameters()
{
    state_.refreshDerived();
    (observer_ ? *observer_ : silentObserver).showParameters();
}

ReadStop ParameterTransfer::resynchronise(Patience patience)
{
    const auto identity = identity_ ? identity_() : std::nullopt;
    const auto hint = identity || !hint_ ? std::nullopt : hint_();
    switch (link::synchronise(port_, identity, patience, hint).outcome) {
    case SyncOutcome::Synchronised: return ReadStop::None;
    case SyncOutcome::Silent: return ReadStop::Silent;
    case SyncOutcome::Garbled: return ReadStop::Garbled;
    case SyncOutcome::NoPort: break;
    }
    return ReadStop::PortLost;
}

bool ParameterTransfer::readOne(int address, ReadAllResult& result, TransferObserver& observer)
{
    sendParameterRead(port_, static_cast<std::uint8_t>(address));
    const auto value = collectParameterValue(port_);
    if (!value)
        return false;
    state_.block().setParameter(*value, address);
    state_.setUnread(address, false);
    noteControllerValue(address, true);
    observer.readProgress(++result.accepted);
    return true;
}

ReadAllResult ParameterTransfer::readAllParameters()
{
    TransferObserver& observer = observer_ ? *observer_ : silentObserver;
    ReadAllResult result;
    observer.readStarted(ParameterBlock::count);
    // Nothing is read on a line that is not known to be in step: what came
    // next could be any address's answer. A line that will not come back in
    // step ends the read where it stands.
    const auto inStepAfter = [&](int address) {
        // A controller that paused is waited for: the read goes on where it stopped.
        result.stop = resynchronise(Patience::Spaced);
        result.stoppedAt = result.stopped() ? address : 0;
        return !result.stopped();
    };
    // A late answer of an earlier exchange must not be taken for address 1's.
    bool inStep = !port_.lineSuspect() || inStepAfter(0);
    std::vector<int> unread;
    for (int address = ParameterBlock::firstAddress; address <= ParameterBlock::lastAddress; ++address)
        unread.push_back(address);
    AddressSet asked;
    for (int round = 0; round <= rereads && inStep && !unread.empty(); ++round) {
        std::vector<int> left;
        for (int address : unread) {
            if (inStep) {
                asked.set(static_cast<std::size_t>(address));
                if (readOne(address, result, observer))
                    continue;
            }
            left.push_back(address);
            if (inStep)
                inStep = inStepAfter(address);
        }
        unread = std::move(left);
        // A controller that identifies itself but gives no valid answer to
        // any read has a fault that reading again will not mend.
        if (result.accepted == 0)
            break;
    }
    // A refused address keeps what it held, marked as not the controller's.
    for (int address : unread) {
        state_.setUnread(address, true);
        noteControllerValue(address, false);
        if (!asked.test(static_cast<std::size_t>(address)))
            result.notAsked.push_back(address);
    }
    result.failedAddresses = std::move(unread);
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
    // The last frame's answer is not waited for; it must not be taken for
    // the next command's.
    if (!acknowledged)
        port_.noteBadReply();
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
    if (!outcome.ramAcknowledged)
        port_.noteBadReply();
    port_.clock().sleepMs(pauseAfterWriteMs);
}

void ParameterTransfer::noteControllerValue(int address, bool acknowledged)
{
    controllerImage_.setParameter(state_.block().get(address), address);
    controllerKnown_.set(static_cast<std::size_t>(address), acknowledged);
}

WriteOutcome ParameterTransfer::writeOne(WriteKind kind, std::uint8_t value, int address)
{
    // A late 's' of an earlier exchange must not acknowledge this write.
    // Briefly: the write's own retries follow, and a field edit must not
    // hold the window for long on a dead line.
    if (port_.lineSuspect())
        resynchronise(Patience::Brief);
    WriteOutcome outcome;
    outcome.eepromAcknowledged = writeEepromWithRetries(value, address);
    if (kind == WriteKind::Parameter)
        refreshRamCopy(address, outcome);
    noteControllerValue(address, outcome.eepromAcknowledged);
    // The fitter chose the value and the controller took it.
    if (outcome.eepromAcknowledged)
        state_.setUnread(address, false);
    return outcome;
}

WriteOutcome ParameterTransfer::writeSingle(WriteKind kind, std::uint8_t value, int address)
{
    TransferObserver& observer = observer_ ? *observer_ : silentObserver;
    const ParameterBlock before = state_.block();
    observer.writeStarted();
    const WriteOutcome outcome = writeOne(kind, value, address);
    if (recorder_)
        recorder_->singleWrite({kind, source_, address, before, state_.block(), !outcome.failed(), note_});
    observer.writeFinished(outcome);
    return outcome;
}

WriteOutcome ParameterTransfer::writeParameter(std::uint8_t value, int address)
{
    return writeSingle(WriteKind::Parameter, value, address);
}

WriteOutcome ParameterTransfer::writeParameterEeprom(std::uint8_t value, int address)
{
    return writeSingle(WriteKind::EepromOnly, value, address);
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
    return parameterAt(address)->memory == Memory::EepromOnly;
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
    (observer_ ? *observer_ : silentObserver).bulkWriteProgress(bulkStepsDone_, bulkSteps_);
    int unansweredInARow = 0;
    for (int address : missing) {
        if ((outcome.portLost = port_.deviceLost()))
            return;
        const auto bit = static_cast<std::size_t>(address);
        const WriteKind kind = eepromOnly(address) ? WriteKind::EepromOnly : WriteKind::Parameter;
        const WriteOutcome single = writeOne(kind, state_.block().get(address), address);
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
    (observer_ ? *observer_ : silentObserver).bulkWriteProgress(++bulkStepsDone_, bulkSteps_);
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
    TransferObserver& observer = observer_ ? *observer_ : silentObserver;
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
