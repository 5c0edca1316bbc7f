#pragma once

#include "CliSession.h"

#include "fields/FieldCatalogue.h"
#include "params/ParameterWrites.h"

#include <cstdint>
#include <string>

namespace dravinor::cli {

// The bytes `set` writes, each to the memory the parameter table gives its
// address, listed as they go for the command's answer.
struct SetWrites final : params::ByteWriter {
    explicit SetWrites(CliSession& on) : session(on) {}

    CliSession& session;
    bool allAcknowledged = true;
    std::string written;  // "address 14 = 6, address 15 = 209"

    bool write(params::Address address, std::uint8_t value) override;
};

// The answer to a `set` of a field: what was written, or why it was not
// confirmed (the adapter gone, or the controller's refusal). An exit code.
int reportFieldSet(const SetWrites& writes, const std::string& name, const std::string& caption,
                   const std::string& shown);

// Finds the controller and reads its set, which every field's write builds
// on: exitSuccess, or the reason on stderr and nothing written.
int connectWhole(CliSession& session);

// set LIST ITEM: a list field by its item's text or number, written as the
// page writes a choice of it.
int runSetList(CliSession& session, const fields::ListField& field, const std::string& value);

}  // namespace dravinor::cli
