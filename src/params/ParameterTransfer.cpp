#include "params/ParameterTransfer.h"

#include "link/CommandFrame.h"
#include "link/LineSync.h"
#include "link/SerialPort.h"
#include "params/SilentObserver.h"

#include <algorithm>

namespace dravinor::params {

using namespace dravinor::link;

std::vector<int> ReadAllResult::unanswered() const
{
    std::vector<int> addresses;
    for (int address : failedAddresses)
        if (std::find(notAsked.begin(), notAsked.end(), address) == notAsked.end())
            addresses.push_back(address);
    return addresses;
}

ParameterTransfer::ParameterTransfer(SerialPort& port, ParameterState& state, TransferObserver* observer)
    : port_(port), state_(state), observer_(observer)
{
}

void ParameterTransfer::showParameters()
{
    state_.refreshDerived();
    observerOrSilent(observer_).showParameters();
}

ReadStop ParameterTransfer::resynchronise(Patience patience)
{
    const auto known = identity_ ? identity_() : std::nullopt;
    const auto identity = known ? std::optional(known->byte()) : std::nullopt;
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
    state_.block().setParameter(Address(address), *value);
    state_.setUnread(address, false);
    noteControllerValue(address, true);
    observer.readProgress(++result.accepted);
    return true;
}

ReadAllResult ParameterTransfer::readAllParameters()
{
    TransferObserver& observer = observerOrSilent(observer_);
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

bool ParameterTransfer::writeEepromWithRetries(Address address, std::uint8_t value)
{
    state_.block().setParameter(address, value);
    const auto frame = buildFrame(letter::eepromWrite, static_cast<std::uint8_t>(address.number()), value, 0);
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

void ParameterTransfer::refreshRamCopy(Address address, WriteOutcome& outcome)
{
    // The RAM copy is written as a word: this parameter and the next one.
    const auto frame = buildFrame(letter::ramWordWrite, static_cast<std::uint8_t>(address.number() + ramOffset),
                                  state_.block().get(address), state_.block().get(address.next()));
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
    controllerImage_.setParameter(Address(address), state_.block().get(address));
    controllerKnown_.set(static_cast<std::size_t>(address), acknowledged);
}

WriteOutcome ParameterTransfer::writeOne(WriteKind kind, Address address, std::uint8_t value)
{
    // A late 's' of an earlier exchange must not acknowledge this write.
    // Briefly: the write's own retries follow, and a field edit must not
    // hold the window for long on a dead line.
    if (port_.lineSuspect())
        resynchronise(Patience::Brief);
    WriteOutcome outcome;
    outcome.eepromAcknowledged = writeEepromWithRetries(address, value);
    if (kind == WriteKind::Parameter)
        refreshRamCopy(address, outcome);
    noteControllerValue(address.number(), outcome.eepromAcknowledged);
    // The fitter chose the value and the controller took it.
    if (outcome.eepromAcknowledged)
        state_.setUnread(address.number(), false);
    return outcome;
}

WriteOutcome ParameterTransfer::writeSingle(WriteKind kind, Address address, std::uint8_t value)
{
    TransferObserver& observer = observerOrSilent(observer_);
    const ParameterBlock before = state_.block();
    observer.writeStarted();
    const WriteOutcome outcome = writeOne(kind, address, value);
    if (recorder_)
        recorder_->singleWrite({kind, source_, address, before, state_.block(), !outcome.failed(), note_});
    observer.writeFinished(outcome);
    return outcome;
}

WriteOutcome ParameterTransfer::writeParameter(Address address, std::uint8_t value)
{
    return writeSingle(WriteKind::Parameter, address, value);
}

WriteOutcome ParameterTransfer::writeParameterEeprom(Address address, std::uint8_t value)
{
    return writeSingle(WriteKind::EepromOnly, address, value);
}

}  // namespace dravinor::params
