#include "JournalUndo.h"

#include "ParameterTransfer.h"
#include "WriteJournal.h"

#include <algorithm>

namespace dravinor::params {

namespace {

bool isWordHigh(int address)
{
    return address == 14 || address == 16 || address == 18 || address == 22;
}

bool halvesOfOneWord(const JournalEntry& high, const JournalEntry& low)
{
    return high.isSingleWrite() && !high.isWord() && isWordHigh(high.address) && low.kind == high.kind &&
           low.address == high.address + 1 && !low.isWord() && low.port == high.port &&
           low.controller == high.controller && low.source == high.source && high.oldRaw && low.oldRaw;
}

}  // namespace

std::vector<JournalEntry> joinWordHalves(const std::vector<JournalEntry>& oldestFirst)
{
    std::vector<JournalEntry> joined;
    joined.reserve(oldestFirst.size());
    for (std::size_t i = 0; i < oldestFirst.size(); ++i) {
        const JournalEntry& high = oldestFirst[i];
        if (i + 1 < oldestFirst.size() && halvesOfOneWord(high, oldestFirst[i + 1])) {
            const JournalEntry& low = oldestFirst[++i];
            JournalEntry word = low;
            word.address = high.address;
            word.oldRaw = *high.oldRaw * 256 + *low.oldRaw;
            word.newRaw = high.newRaw * 256 + low.newRaw;
            word.oldShown = high.oldShown;
            word.acknowledged = high.acknowledged && low.acknowledged;
            joined.push_back(std::move(word));
        } else {
            joined.push_back(high);
        }
    }
    return joined;
}

std::vector<UndoMark> undoMarks(const std::vector<JournalEntry>& newestFirst)
{
    std::vector<UndoMark> marks(newestFirst.size(), UndoMark::None);
    // Acknowledged undos not yet matched with the change they took back, by
    // the addresses they wrote.
    std::vector<std::pair<int, int>> pendingUndos;
    bool nextFound = false;
    for (std::size_t i = 0; i < newestFirst.size(); ++i) {
        const JournalEntry& entry = newestFirst[i];
        if (!entry.isSingleWrite() || entry.address < 1)
            continue;
        if (entry.source == "undo") {
            marks[i] = UndoMark::UndoWrite;
            if (entry.acknowledged)
                pendingUndos.emplace_back(entry.address, entry.lastAddress);
            continue;
        }
        if (entry.unchangedRewrite()) {
            marks[i] = UndoMark::Unchanged;
            continue;
        }
        if (!entry.acknowledged || !entry.oldRaw)
            continue;
        const auto undo = std::find(pendingUndos.begin(), pendingUndos.end(),
                                    std::pair<int, int>{entry.address, entry.lastAddress});
        if (undo != pendingUndos.end()) {
            pendingUndos.erase(undo);
            marks[i] = UndoMark::TakenBack;
        } else if (!nextFound) {
            nextFound = true;
            marks[i] = UndoMark::Next;
        }
    }
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
    std::vector<JournalEntry> entries = joinWordHalves(journal.readOldestFirst());
    std::reverse(entries.begin(), entries.end());
    UndoPlan plan;
    const auto target = undoTarget(entries);
    if (!target) {
        plan.refusal = UndoRefusal::NothingToUndo;
        return plan;
    }
    plan.entry = *target;
    if (!connected)
        plan.refusal = UndoRefusal::NotConnected;
    else if (target->port != current.port || target->controller != current.controller)
        plan.refusal = UndoRefusal::OtherController;
    return plan;
}

bool undoWrite(ParameterTransfer& transfer, const JournalEntry& entry)
{
    if (!entry.oldRaw || entry.address < ParameterBlock::firstAddress || entry.lastAddress > ParameterBlock::lastAddress)
        return false;
    const ScopedWriteSource source(transfer, "undo");
    const unsigned old = *entry.oldRaw;
    bool acknowledged = false;
    if (entry.isWord()) {
        const WriteOutcome high = transfer.writeParameter(static_cast<std::uint8_t>(old >> 8), entry.address);
        acknowledged = !high.failed();
        if (high.eepromAcknowledged)
            acknowledged = !transfer.writeParameter(static_cast<std::uint8_t>(old & 0xFF), entry.lastAddress).failed() &&
                           acknowledged;
    } else if (entry.kind == "eeprom") {
        acknowledged = !transfer.writeParameterEeprom(static_cast<std::uint8_t>(old), entry.address).failed();
    } else {
        acknowledged = !transfer.writeParameter(static_cast<std::uint8_t>(old), entry.address).failed();
    }
    transfer.showParameters();
    return acknowledged;
}

}  // namespace dravinor::params
