#include "params/JournalUndo.h"

#include "params/JournalListing.h"
#include "params/ParameterTable.h"
#include "params/ParameterTransfer.h"
#include "params/ParameterWrites.h"
#include "params/WriteJournal.h"

#include <algorithm>

namespace dravinor::params {

namespace {

bool isWordHigh(int address)
{
    const ParameterRow* row = parameterAt(Address(address));
    return row && row->width == 2 && row->address == Address(address);
}

}  // namespace

bool halvesOfOneWord(const JournalEntry& high, const JournalEntry& low)
{
    return high.isSingleWrite() && !high.isWord() && isWordHigh(high.address) && low.kind == high.kind &&
           low.address == high.address + 1 && !low.isWord() && low.port == high.port &&
           low.controller == high.controller && low.sourceText() == high.sourceText() && high.oldRaw && low.oldRaw;
}

JournalEntry joinedWord(const JournalEntry& high, const JournalEntry& low)
{
    JournalEntry word = low;
    word.address = high.address;
    word.oldRaw = *high.oldRaw * 256 + *low.oldRaw;
    word.newRaw = high.newRaw * 256 + low.newRaw;
    word.oldShown = high.oldShown;
    word.acknowledged = high.acknowledged && low.acknowledged;
    return word;
}

std::vector<JournalEntry> joinWordHalves(const std::vector<JournalEntry>& oldestFirst)
{
    std::vector<JournalEntry> joined;
    joined.reserve(oldestFirst.size());
    for (std::size_t i = 0; i < oldestFirst.size(); ++i) {
        const JournalEntry& high = oldestFirst[i];
        if (i + 1 < oldestFirst.size() && halvesOfOneWord(high, oldestFirst[i + 1])) {
            joined.push_back(joinedWord(high, oldestFirst[i + 1]));
            ++i;
        } else {
            joined.push_back(high);
        }
    }
    return joined;
}

bool isBulkSummary(const JournalEntry& entry)
{
    return entry.address == 0 && (entry.kind == JournalKind::WriteAll || entry.kind == JournalKind::Reset ||
                                  entry.kind == JournalKind::AdaptationReset);
}

UndoMark UndoMarker::markBulk(const JournalEntry& entry)
{
    if (entry.source == WriteSource::Undo) {
        // A backup written back only in part is offered again.
        if (entry.acknowledged)
            ++pendingBulkUndos_;
        return UndoMark::UndoWrite;
    }
    // Without a backup there is nothing to write back: undo passes it by,
    // as it always did.
    if (journalBackupName(entry).empty())
        return UndoMark::None;
    if (pendingBulkUndos_ > 0) {
        --pendingBulkUndos_;
        return UndoMark::TakenBack;
    }
    if (nextFound_)
        return UndoMark::None;
    nextFound_ = true;
    return UndoMark::Next;
}

UndoMark UndoMarker::mark(const JournalEntry& entry)
{
    // What a newer version wrote is not known well enough to be taken back.
    if (entry.fromNewerVersion())
        return UndoMark::None;
    if (isBulkSummary(entry))
        return markBulk(entry);
    if (!entry.isSingleWrite() || entry.address < 1)
        return UndoMark::None;
    if (entry.source == WriteSource::Undo) {
        if (entry.acknowledged)
            pendingUndos_.emplace_back(entry.address, entry.lastAddress);
        return UndoMark::UndoWrite;
    }
    if (entry.unchangedRewrite())
        return UndoMark::Unchanged;
    if (!entry.acknowledged || !entry.oldRaw)
        return UndoMark::None;
    const auto undo =
        std::find(pendingUndos_.begin(), pendingUndos_.end(), std::pair<int, int>{entry.address, entry.lastAddress});
    if (undo != pendingUndos_.end()) {
        pendingUndos_.erase(undo);
        return UndoMark::TakenBack;
    }
    if (nextFound_)
        return UndoMark::None;
    nextFound_ = true;
    return UndoMark::Next;
}

std::vector<UndoMark> undoMarks(const std::vector<JournalEntry>& newestFirst)
{
    UndoMarker marker;
    std::vector<UndoMark> marks;
    marks.reserve(newestFirst.size());
    for (const JournalEntry& entry : newestFirst)
        marks.push_back(marker.mark(entry));
    return marks;
}

std::optional<JournalEntry> undoTarget(const std::vector<JournalEntry>& newestFirst)
{
    const std::vector<UndoMark> marks = undoMarks(newestFirst);
    const auto next = std::find(marks.begin(), marks.end(), UndoMark::Next);
    if (next == marks.end())
        return std::nullopt;
    return newestFirst[static_cast<std::size_t>(next - marks.begin())];
}

UndoPlan planUndo(const WriteJournal& journal, const WriteTarget& current, bool connected)
{
    // From the newest entry back, only as far as the change undo takes back.
    JournalListing listing(journal);
    UndoMarker marker;
    std::optional<JournalEntry> target;
    while (!target && !listing.atEnd())
        for (JournalEntry& entry : listing.take(64))
            if (!target && marker.mark(entry) == UndoMark::Next)
                target = std::move(entry);
    UndoPlan plan;
    if (!target) {
        plan.refusal = UndoRefusal::NothingToUndo;
        return plan;
    }
    plan.entry = *target;
    if (!connected)
        plan.refusal = UndoRefusal::NotConnected;
    else if (target->port != current.port || target->controller != current.controller)
        plan.refusal = UndoRefusal::OtherController;
    // Entries from before fingerprints were journalled cannot be compared.
    plan.otherSet = !target->controllerSet.empty() && !current.controllerSet.empty() &&
                    target->controllerSet != current.controllerSet;
    return plan;
}

NamedBackup backupOf(const JournalEntry& entry, const SetBackups& backups)
{
    NamedBackup backup;
    const auto file = backups.fileNamed(journalBackupName(entry));
    if (!file) {
        backup.read.load.error = FileError::CannotOpen;
        return backup;
    }
    backup.file = *file;
    backup.read = readBackup(*file);
    return backup;
}

BulkWriteOutcome writeBackupBack(ParameterTransfer& transfer, ParameterState& state, const ParameterBlock& set)
{
    const ScopedWriteSource source(transfer, WriteSource::Undo);
    state.block() = set;
    state.noteFileLoaded(ParameterBlock::size);
    transfer.showParameters();
    return transfer.writeAll();
}

bool undoWrite(ParameterTransfer& transfer, const JournalEntry& entry)
{
    if (!entry.oldRaw || entry.address < ParameterBlock::firstAddress ||
        entry.lastAddress > ParameterBlock::lastAddress)
        return false;
    const ScopedWriteSource source(transfer, WriteSource::Undo);
    const Address address(entry.address);  // within the parameters, checked above
    const unsigned old = *entry.oldRaw;
    bool acknowledged = false;
    if (entry.isWord()) {
        // An undo is done when the RAM copies took the old word too.
        TransferWriter writer(transfer);
        writeWord(writer, address, static_cast<std::uint16_t>(old), Gate::OnAcknowledge);
        acknowledged = writer.allConfirmed();
    } else {
        // Back to where the write it takes back went.
        const Memory memory = entry.kind == JournalKind::Eeprom ? Memory::EepromOnly : Memory::EepromAndRam;
        acknowledged = !writeToMemory(transfer, memory, address, static_cast<std::uint8_t>(old)).failed();
    }
    transfer.showParameters();
    return acknowledged;
}

}  // namespace dravinor::params
