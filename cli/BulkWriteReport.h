#pragma once

#include "params/ParameterTransfer.h"

#include <string>

namespace dravinor::cli {

class CliSession;

// write and reset replace the controller's whole set. Without --yes they
// need a terminal to ask on: exitSuccess, or exitUsage with the reason on
// stderr, before anything is sent.
int requireConsentWay(const std::string& command, bool yes);

// On a terminal (without --yes): asks whether to write `what` to the
// controller, with the number of values it changes against the set the
// controller holds and whether a backup of that set can be kept.
// exitSuccess to go on; exitUsage once declined (said on stdout).
int askBeforeBulkWrite(CliSession& session, const std::string& what, const params::ParameterBlock& newSet, bool yes);

// Where the set the write replaced is kept, or why no backup was kept;
// empty when there was nothing to keep.
std::string backupLine(const params::SetBackup& backup);

// What a bulk write achieved, on stderr; returns its exit code.
int reportBulkWrite(const params::BulkWriteOutcome& outcome);

// What the controller holds after a bulk write as far as it said so: the
// sent value where the EEPROM write was acknowledged, the old one elsewhere.
params::ParameterBlock acknowledgedPart(const params::ParameterBlock& before, const params::ParameterBlock& sent,
                                        const params::BulkWriteOutcome& outcome);

}  // namespace dravinor::cli
