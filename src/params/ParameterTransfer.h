#pragma once

#include "params/ParameterState.h"
#include "params/ParameterTable.h"
#include "params/SetBackup.h"
#include "params/WriteRecorder.h"

#include <bitset>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dravinor::link {
class SerialPort;
enum class Patience;
}  // namespace dravinor::link

namespace dravinor::params {

// Why a read stopped before it had asked every address.
enum class ReadStop {
    None,      // it did not: every address was asked
    Silent,    // the controller stopped answering, through every spaced try
    Garbled,   // answers kept coming, but the line could not be brought back in step
    PortLost,  // the adapter went away
};

struct ReadAllResult {
    int accepted = 0;
    // Addresses still without a valid answer after their re-reads, in order:
    // those asked in vain and those never asked.
    std::vector<int> failedAddresses;
    // Of those, the ones never asked, in order: the read stopped before their turn.
    std::vector<int> notAsked;
    ReadStop stop = ReadStop::None;
    // With a stop: the address whose answer was missing when it stopped (0:
    // the line was not in step before the first read).
    int stoppedAt = 0;

    bool complete() const { return failedAddresses.empty(); }
    bool stopped() const { return stop != ReadStop::None; }
    // Asked and still without a valid answer, in order.
    std::vector<int> unanswered() const;
};

// Which halves of a single write the controller acknowledged.
struct WriteOutcome {
    bool eepromAcknowledged = false;
    bool ramAcknowledged = false;
    bool ramWritten = false;  // false for an EEPROM-only write
    bool failed() const { return !eepromAcknowledged || (ramWritten && !ramAcknowledged); }
};

// What a bulk write (the whole block, a reset, a loaded file) achieved. The
// bulk frames go out unjudged; afterwards every address whose EEPROM write
// or RAM refresh went unacknowledged is written again on its own, with the
// single write's retries.
struct BulkWriteOutcome {
    AddressSet eepromWritten;  // by address: 's' acknowledged, in the bulk frames or a re-write
    AddressSet ramRefreshed;   // by address 1..32: its 'R' refresh acknowledged, likewise
    AddressSet rewritten;      // written again one by one after the bulk frames
    AddressSet confirmed;      // EEPROM (and, for 1..32, the RAM copy) acknowledged in the end
    int unacknowledged = 0;    // bulk frames, EEPROM and RAM, whose letter did not come back
    bool portLost = false;     // the device went away (adapter unplugged); the transfer stopped
    // Re-writes got no answer at all: the line is dead, the rest were not tried.
    bool rewritesStopped = false;
    // The controller's set as it was before the write, kept as a file.
    SetBackup backup;

    int parametersWritten() const { return static_cast<int>(eepromWritten.count()); }
    // The controller may hold part old, part new parameters.
    bool mixedSet() const { return portLost && parametersWritten() < ParameterBlock::count; }
    // RAM words (1..32) refreshed: after a loss during the RAM pass the
    // controller works with part old, part new values although EEPROM took all.
    int ramWordsRefreshed() const { return static_cast<int>(ramRefreshed.count()); }
    bool ramPartlyRefreshed() const;
    bool allConfirmed() const { return unconfirmedAddresses().empty(); }
    // Addresses 1..35 the controller did not confirm, in order.
    std::vector<int> unconfirmedAddresses() const;
    std::vector<int> rewrittenAddresses() const;
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
    // A bulk write: its frames, then its re-writes, counted as steps. The
    // total grows when re-writes are added.
    virtual void bulkWriteStarted(int /*steps*/) {}
    virtual void bulkWriteProgress(int /*done*/, int /*steps*/) {}
    virtual void bulkWriteFinished(const BulkWriteOutcome& /*outcome*/) {}
};

// Moves the parameter block between the program and the controller.
class ParameterTransfer {
public:
    static constexpr int writeAttempts = 4;
    static constexpr int pauseAfterWriteMs = 15;
    // The last RAM word refreshed: 33 rides as the low byte of 32.
    static constexpr int ramRefreshLast = address::flagByteA.number();
    // Re-writes after a bulk write stop after this many in a row got no answer at all.
    static constexpr int rewriteGiveUpAfter = 2;
    // An address without a valid answer is read this many times more, after
    // the others.
    static constexpr int rereads = 2;

    ParameterTransfer(link::SerialPort& port, ParameterState& state, TransferObserver* observer = nullptr);

    // Every address once in order, then the unread ones again in order (up
    // to rereads more times each; none when not one address was read).
    // After any refused answer the line is resynchronised before the next
    // read, so no accepted value can be another address's; a line that
    // stays silent or garbled through the resynchronisation ends the read,
    // and the result tells the addresses it never asked. The addresses still
    // unread are marked so in the state. On a clean line the frames and
    // their timing are the plain 35 reads.
    ReadAllResult readAllParameters();
    // EEPROM then the RAM copy, each with retries. The block keeps the new
    // value whatever the outcome.
    WriteOutcome writeParameter(Address address, std::uint8_t value);
    WriteOutcome writeParameterEeprom(Address address, std::uint8_t value);
    // Bulk writes neither retry nor stop on a missing answer; they count
    // what was acknowledged, for callers that want to say so. They stop only
    // when the device has gone away.
    void writeAllEeprom(BulkWriteOutcome& outcome);
    void writeAllRam(BulkWriteOutcome& outcome);
    // After the bulk frames: writes every address they left unacknowledged
    // again on its own, as a field edit would (EEPROM only for 33..35), and
    // fills in what is confirmed. Nothing is re-written while no controller
    // is connected, and the re-writes stop once rewriteGiveUpAfter in a row
    // got no answer at all.
    void rewriteUnacknowledged(BulkWriteOutcome& outcome);
    // "Zapisz Parametry": the whole block to both memories.
    BulkWriteOutcome writeAll();
    // The default set, twice; counts both passes.
    BulkWriteOutcome resetParameters();
    // Like resetParameters, but the temperature-sensor setting survives.
    BulkWriteOutcome resetParametersForAdaptation();

    // What the controller holds as far as it was read or acknowledged, all
    // 35 values; nothing when any of them is not known (an incomplete read,
    // an unacknowledged write) or no controller is connected.
    std::optional<ParameterBlock> controllerSet() const;
    // Every bulk write first keeps the controller's set in a backup here
    // (none when null).
    void setBackups(const SetBackups* backups) { backups_ = backups; }

    // The identity of the controller, confirmed, whose byte a
    // resynchronisation waits for (unset: two lone answers must agree).
    void setIdentitySource(std::function<std::optional<link::ControllerIdentity>()> source)
    {
        identity_ = std::move(source);
    }
    // Without a confirmed identity: a byte that counts as the first of the
    // two (the lone answer of the presence check).
    void setIdentityHintSource(std::function<std::optional<std::uint8_t>()> source) { hint_ = std::move(source); }

    void setObserver(TransferObserver* observer) { observer_ = observer; }
    void setRecorder(WriteRecorder* recorder) { recorder_ = recorder; }
    // Who the next writes are for, as the recorder notes it.
    void setWriteSource(WriteSource source) { source_ = source; }
    WriteSource writeSource() const { return source_; }
    // A note the recorder keeps with the next single writes (empty: none).
    void setWriteNote(std::string note) { note_ = std::move(note); }
    const std::string& writeNote() const { return note_; }

    // Refreshes the derived values and has the observer show the block.
    void showParameters();

private:
    // One read of one address; false when its answer was refused.
    bool readOne(int address, ReadAllResult& result, TransferObserver& observer);
    // Brings the line back in step; ReadStop::None when it is.
    ReadStop resynchronise(link::Patience patience);
    bool writeEepromWithRetries(Address address, std::uint8_t value);
    void refreshRamCopy(Address address, WriteOutcome& outcome);
    // The frames of one write, with retries; neither observed nor recorded.
    WriteOutcome writeOne(WriteKind kind, Address address, std::uint8_t value);
    WriteOutcome writeSingle(WriteKind kind, Address address, std::uint8_t value);
    void bulkStep();
    SetBackup keepBackup() const;
    BulkWriteOutcome recordBulk(WriteKind kind, BulkWriteOutcome (ParameterTransfer::*run)());
    BulkWriteOutcome runWriteAll();
    BulkWriteOutcome runReset();
    // What the controller is believed to hold: what was last read from it or
    // acknowledged by it, by address.
    void noteControllerValue(int address, bool acknowledged);

    link::SerialPort& port_;
    ParameterState& state_;
    TransferObserver* observer_;
    WriteRecorder* recorder_ = nullptr;
    const SetBackups* backups_ = nullptr;
    WriteSource source_ = WriteSource::Field;
    std::string note_;
    std::function<std::optional<link::ControllerIdentity>()> identity_;
    std::function<std::optional<std::uint8_t>()> hint_;
    ParameterBlock controllerImage_;
    AddressSet controllerKnown_;
    int bulkSteps_ = 0;  // of the bulk write under way, for its progress
    int bulkStepsDone_ = 0;
};

// Sets the note of the transfer's single writes for the lifetime of the scope.
class ScopedWriteNote {
public:
    ScopedWriteNote(ParameterTransfer& transfer, std::string note)
        : transfer_(transfer), previous_(transfer.writeNote())
    {
        transfer_.setWriteNote(std::move(note));
    }
    ~ScopedWriteNote() { transfer_.setWriteNote(previous_); }
    ScopedWriteNote(const ScopedWriteNote&) = delete;
    ScopedWriteNote& operator=(const ScopedWriteNote&) = delete;

private:
    ParameterTransfer& transfer_;
    std::string previous_;
};

// Sets the transfer's write source for the lifetime of the scope.
class ScopedWriteSource {
public:
    ScopedWriteSource(ParameterTransfer& transfer, WriteSource source)
        : transfer_(transfer), previous_(transfer.writeSource())
    {
        transfer_.setWriteSource(source);
    }
    ~ScopedWriteSource() { transfer_.setWriteSource(previous_); }
    ScopedWriteSource(const ScopedWriteSource&) = delete;
    ScopedWriteSource& operator=(const ScopedWriteSource&) = delete;

private:
    ParameterTransfer& transfer_;
    WriteSource previous_;
};

}  // namespace dravinor::params
