#pragma once

#include "params/ParameterBlock.h"
#include "params/WriteSource.h"

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

namespace dravinor::params {

struct BulkWriteOutcome;

enum class WriteKind {
    Parameter,        // one parameter, EEPROM then its RAM copy
    EepromOnly,       // one parameter, EEPROM only
    WriteAll,         // the whole block to both memories
    Reset,            // the default set, twice
    AdaptationReset,  // the default set, keeping the temperature-sensor setting
};

// One parameter written on its own.
struct SingleWrite {
    WriteKind kind = WriteKind::Parameter;
    WriteSource source;  // who asked
    Address address;
    const ParameterBlock& before;  // the block just before and after the
    const ParameterBlock& after;   // write, so words and flags decode whole
    bool acknowledged = false;     // EEPROM and (when written) the RAM copy
    std::string_view note = {};    // what the writer knows of the value: "doubtful: ..."
};

// A bulk write: what the controller was believed to hold before it, and
// what was sent.
struct BulkWrite {
    WriteKind kind = WriteKind::WriteAll;
    WriteSource source;
    const ParameterBlock& controllerBefore;
    const AddressSet& knownBefore;  // addresses whose controller value was known
    const ParameterBlock& written;
    const BulkWriteOutcome& outcome;
};

// Sees every write the transfer makes, with its old and new values and its
// outcome. Implementations must not throw: a write to the controller never
// fails because it could not be recorded.
class WriteRecorder {
public:
    virtual ~WriteRecorder() = default;
    virtual void singleWrite(const SingleWrite& write) = 0;
    virtual void bulkWrite(const BulkWrite& write) = 0;
};

}  // namespace dravinor::params
