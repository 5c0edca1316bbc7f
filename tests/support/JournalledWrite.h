#pragma once

#include "params/JournalEntry.h"

#include <string>

namespace dravinor::testing {

// An acknowledged single write from the pages to F<address> on COM1, as the
// journal keeps it: the entries tests put into journals of their own.
inline params::JournalEntry journalledWrite(int address, unsigned oldRaw = 19, unsigned newRaw = 25,
                                            const std::string& time = "2026-12-08T07:00:00.000Z")
{
    params::JournalEntry e;
    e.time = time;
    e.port = "COM1";
    e.controller = "1/3";
    e.kind = params::JournalKind::Write;
    e.source = params::WriteSource::Field;
    e.address = e.lastAddress = address;
    e.field = "F" + std::to_string(address);
    e.oldRaw = oldRaw;
    e.newRaw = newRaw;
    e.acknowledged = true;
    return e;
}

}  // namespace dravinor::testing
