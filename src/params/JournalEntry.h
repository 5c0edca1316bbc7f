#pragma once

#include "params/WriteSource.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dravinor::params {

// What a journal line records: "write" (EEPROM and RAM), "eeprom", "bulk"
// (a line of a bulk write), and the bulk writes' summaries "write-all",
// "reset", "adaptation-reset". Other: a kind a newer version wrote, kept with
// its text.
enum class JournalKind { Write, Eeprom, Bulk, WriteAll, Reset, AdaptationReset, Other };

// The words the journal file keeps for a kind or source; empty for Other.
std::string_view journalKindName(JournalKind kind);
std::string_view writeSourceName(WriteSource source);
// The kind or source a stored word names; Other for a word this version
// does not know.
JournalKind journalKindNamed(std::string_view name);
WriteSource writeSourceNamed(std::string_view name);

// One line of the write journal. A single write names one address (or, once
// a word's two halves are joined for reading, both); a bulk write leaves one
// summary line (address 0) and a line per parameter it changed.
struct JournalEntry {
    std::string time;        // UTC, "2026-12-08T07:32:05.123Z"
    std::string port;        // "COM3"; empty when no port was open
    std::string controller;  // "1/3": controller type / firmware version; empty when unknown
    JournalKind kind = JournalKind::Write;
    WriteSource source = WriteSource::Field;
    // With Other: the kind's or source's word as it was read, so that it is
    // shown and written back as it stands.
    std::string otherKind = {};
    std::string otherSource = {};
    int address = 0;
    int lastAddress = 0;             // address + 1 for a 16-bit word
    std::string field;               // the control's name, or what the parameter is
    std::optional<unsigned> oldRaw;  // as stored; unknown for a bulk write to an unread controller
    unsigned newRaw = 0;
    std::string oldShown;  // as the pages show it, with its unit
    std::string newShown;
    bool acknowledged = false;
    std::string note;           // summaries: how many were acknowledged; single writes:
                                // what the writer knew of the value ("doubtful: ...")
    std::string controllerSet;  // the controller's 35 values after the write, as a
                                // short fingerprint; empty when not known

    // The words the file keeps.
    std::string kindText() const;
    std::string sourceText() const;
    // A kind or source this version does not know: listed, never undone.
    bool fromNewerVersion() const { return kind == JournalKind::Other || source == WriteSource::Other; }

    bool isSingleWrite() const { return kind == JournalKind::Write || kind == JournalKind::Eeprom; }
    bool isWord() const { return lastAddress > address; }
    // A field that rewrote the value it already held (every field rewrites
    // itself when it is left): kept, but nothing to take back.
    bool unchangedRewrite() const { return isSingleWrite() && oldRaw && *oldRaw == newRaw; }

    bool operator==(const JournalEntry&) const = default;
};

inline constexpr std::string_view journalLineTag = "J2";
// Lines written before the controller was kept type first: "3/1" there is
// firmware version / type, and is read as "1/3".
inline constexpr std::string_view firmwareFirstLineTag = "J1";

// A bulk write's summary names the backup of the set it replaced at the end
// of its note: "35/35 acknowledged, 12 changed, backup NAME.PAR".
inline constexpr std::string_view journalBackupMark = ", backup ";
// That name; empty when the entry names none.
std::string journalBackupName(const JournalEntry& entry);

// The entry's time in the local time zone, "2026-12-08 08:32:05"; the
// stored text as it stands when it is not a valid time.
std::string journalLocalTime(const std::string& utcTime);
// A real UTC time "YYYY-MM-DDThh:mm:ss...": no 13th month, no 31st of
// April, no 25th hour. Lists mark the others as invalid.
bool journalTimeValid(const std::string& utcTime);
// A valid time as milliseconds since 1970 (UTC), its fraction of a second
// taken to three digits; nothing for an invalid one. Entries compare by it.
std::optional<std::int64_t> journalTimeMilliseconds(const std::string& utcTime);

// "0,38 V [19]": the shown value with the stored byte (or word) behind it;
// "?" when the old value was not known.
std::string journalValueText(const std::string& shown, std::optional<unsigned> raw);

// One tab-separated line, without its newline. Tabs and line breaks inside
// a value become blanks. The fingerprint, when known, is a 16th field.
std::string formatJournalLine(const JournalEntry& entry);
// Nothing for a line that is torn, from another format or malformed.
std::optional<JournalEntry> parseJournalLine(std::string_view line);

}  // namespace dravinor::params
