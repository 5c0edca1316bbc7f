#include "params/JournalRecorder.h"

#include "params/ParameterDecoder.h"
#include "params/ParameterFieldNames.h"
#include "params/ParameterTable.h"
#include "params/ParameterTransfer.h"

#include <algorithm>

namespace dravinor::params {

namespace {

bool isFlagByte(Address address)
{
    return address == address::flagByteB || address == address::flagByteA;
}

const DecodedParameter& rowOf(const std::vector<DecodedParameter>& rows, int address)
{
    const auto row = std::find_if(rows.begin(), rows.end(), [address](const DecodedParameter& r) {
        return address >= r.address && address <= r.lastAddress;
    });
    return row != rows.end() ? *row : rows.front();
}

// " 3 7 12"
std::string addressList(const std::vector<int>& addresses)
{
    std::string text;
    // Appended piece by piece: GCC 12 at -O3 takes " " + string for an
    // overlapping copy and warns (-Wrestrict), falsely.
    for (int address : addresses) {
        text += ' ';
        text += std::to_string(address);
    }
    return text;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "; ") + line;
    return text;
}

// A flag byte shows only the bits that changed; with none changed, its bits.
void showFlagChange(const DecodedParameter& before, const DecodedParameter& after, JournalEntry& entry)
{
    std::vector<std::string> oldLines, newLines;
    for (std::size_t i = 0; i < before.bits.size() && i < after.bits.size(); ++i) {
        if (before.bits[i] != after.bits[i]) {
            oldLines.push_back(before.bits[i]);
            newLines.push_back(after.bits[i]);
        }
    }
    entry.oldShown = oldLines.empty() ? before.shown : joined(oldLines);
    entry.newShown = newLines.empty() ? after.shown : joined(newLines);
}

std::string fieldName(Address address, const DecodedParameter& row, std::uint8_t before, std::uint8_t after)
{
    std::string name = isFlagByte(address) ? flagFieldNames(address, before, after) : fieldNameOf(address);
    return name.empty() ? row.meaning : name;
}

JournalKind journalKindOf(WriteKind kind)
{
    switch (kind) {
    case WriteKind::Parameter: return JournalKind::Write;
    case WriteKind::EepromOnly: return JournalKind::Eeprom;
    case WriteKind::WriteAll: return JournalKind::WriteAll;
    case WriteKind::Reset: return JournalKind::Reset;
    case WriteKind::AdaptationReset: return JournalKind::AdaptationReset;
    }
    return JournalKind::Write;
}

std::string backupNote(const SetBackup& backup)
{
    switch (backup.status) {
    case SetBackup::Status::Kept: return std::string(journalBackupMark) + backup.file.filename().string();
    case SetBackup::Status::SetNotKnown: return ", no backup (the controller's set was not read whole)";
    case SetBackup::Status::NotSaved:
        return ", no backup (" + backup.file.filename().string() + " not saved: " + backup.systemText + ")";
    case SetBackup::Status::NotAsked:
    case SetBackup::Status::NoController: break;
    }
    return {};
}

JournalEntry entryBase(const WriteTarget& target, const std::string& time, JournalKind kind, WriteSource source)
{
    JournalEntry entry;
    entry.time = time;
    entry.port = target.port;
    entry.controller = target.controller;
    entry.controllerSet = target.controllerSet;
    entry.kind = kind;
    entry.source = source;
    return entry;
}

}  // namespace

JournalEntry singleWriteEntry(const SingleWrite& write, const WriteTarget& target, const std::string& time)
{
    JournalEntry entry = entryBase(target, time, journalKindOf(write.kind), write.source);
    const Address address = write.address;
    entry.address = entry.lastAddress = address.number();
    entry.oldRaw = write.before.get(address);
    entry.newRaw = write.after.get(address);
    entry.acknowledged = write.acknowledged;
    entry.note = std::string(write.note);
    const auto rowsBefore = decodeParameters(write.before);
    const auto rowsAfter = decodeParameters(write.after);
    const DecodedParameter& before = rowOf(rowsBefore, address.number());
    const DecodedParameter& after = rowOf(rowsAfter, address.number());
    entry.field = fieldName(address, after, write.before.get(address), write.after.get(address));
    if (isFlagByte(address)) {
        showFlagChange(before, after, entry);
    } else {
        // Half of a word shows the whole field, as it stood before and after this byte.
        entry.oldShown = before.shown;
        entry.newShown = after.shown;
    }
    return entry;
}

std::vector<JournalEntry> bulkWriteEntries(const BulkWrite& write, const WriteTarget& target, const std::string& time)
{
    std::vector<JournalEntry> entries;
    const auto rowsBefore = decodeParameters(write.controllerBefore);
    const auto rowsAfter = decodeParameters(write.written);
    int changed = 0;
    for (std::size_t i = 0; i < rowsAfter.size(); ++i) {
        const DecodedParameter& before = rowsBefore[i];
        const DecodedParameter& after = rowsAfter[i];
        bool known = true;
        bool acknowledged = true;
        for (int address = after.address; address <= after.lastAddress; ++address) {
            known = known && write.knownBefore.test(static_cast<std::size_t>(address));
            acknowledged = acknowledged && write.outcome.confirmed.test(static_cast<std::size_t>(address));
        }
        if (known && before.raw == after.raw)
            continue;
        ++changed;
        JournalEntry entry = entryBase(target, time, JournalKind::Bulk, write.source);
        entry.address = after.address;
        entry.lastAddress = after.lastAddress;
        entry.newRaw = after.raw;
        entry.acknowledged = acknowledged;
        const auto oldByte = static_cast<std::uint8_t>(known ? before.raw : after.raw);
        entry.field = fieldName(Address(after.address), after, oldByte, static_cast<std::uint8_t>(after.raw));
        if (known) {
            entry.oldRaw = before.raw;
            if (isFlagByte(Address(after.address))) {
                showFlagChange(before, after, entry);
            } else {
                entry.oldShown = before.shown;
                entry.newShown = after.shown;
            }
        } else {
            entry.newShown = after.shown;
        }
        entries.push_back(std::move(entry));
    }
    JournalEntry summary = entryBase(target, time, journalKindOf(write.kind), write.source);
    const BulkWriteOutcome& outcome = write.outcome;
    summary.acknowledged = outcome.allConfirmed() && !outcome.portLost;
    summary.note = std::to_string(outcome.confirmed.count()) + "/" + std::to_string(ParameterBlock::count) +
                   " acknowledged, " + std::to_string(changed) + " changed";
    if (outcome.rewritten.any())
        summary.note += ", re-written one by one:" + addressList(outcome.rewrittenAddresses());
    if (!outcome.allConfirmed())
        summary.note += ", not confirmed:" + addressList(outcome.unconfirmedAddresses());
    if (outcome.rewritesStopped)
        summary.note += ", no more re-writes (no answer)";
    if (outcome.portLost)
        summary.note += ", port lost";
    // Last, where undo looks for it.
    summary.note += backupNote(outcome.backup);
    entries.push_back(std::move(summary));
    return entries;
}

void JournalRecorder::singleWrite(const SingleWrite& write)
{
    append({singleWriteEntry(write, target_(), journalTimeNow())});
}

void JournalRecorder::bulkWrite(const BulkWrite& write)
{
    append(bulkWriteEntries(write, target_(), journalTimeNow()));
}

void JournalRecorder::append(const std::vector<JournalEntry>& entries)
{
    if (!journal_.append(entries)) {
        if (errorListener_)
            errorListener_(journal_.lastError());
    } else if (appendListener_) {
        appendListener_(entries);
    }
}

}  // namespace dravinor::params
