#include "BulkWriteReport.h"

#include "CliSession.h"
#include "Console.h"
#include "TerminalQuestion.h"

#include "fields/ParameterDiff.h"
#include "params/ParameterDecoder.h"
#include "params/PathText.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

namespace dravinor::cli {

using params::ParameterBlock;

int requireConsentWay(const std::string& command, bool yes)
{
    if (yes || inputIsTerminal())
        return exitSuccess;
    std::cerr << "dravinor-cli: " << command
              << " replaces the controller's parameters: confirm on a terminal, or add --yes\n";
    return exitUsage;
}

int askBeforeBulkWrite(CliSession& session, const std::string& what, const ParameterBlock& newSet, bool yes)
{
    if (yes)
        return exitSuccess;
    const auto held = session.transfer().controllerSet();
    // Without a whole read, counted against what could be read.
    const auto changes = fields::compareParameterSets(held.value_or(session.state().block()), newSet).size();
    std::string question = "Write " + what + " to the controller on " +
                           session.describePort(session.port().portName()) + "? It changes " + std::to_string(changes) +
                           (changes == 1 ? " value" : " values") +
                           (held ? "; its present set is kept as a backup first."
                                 : "; its parameters could not all be read, so no backup of its set can be kept.");
    if (askOnTerminal(question) == Consent::Given)
        return exitSuccess;
    std::printf("dravinor-cli: nothing written.\n");
    return exitUsage;
}

std::string backupLine(const params::SetBackup& backup)
{
    switch (backup.status) {
    case params::SetBackup::Status::Kept:
        return "The controller's set before the write is kept as " + params::utf8Text(backup.file);
    case params::SetBackup::Status::SetNotKnown:
        return "dravinor-cli: no backup of the controller's set was kept: its parameters could not all be read";
    case params::SetBackup::Status::NotSaved:
        return "dravinor-cli: no backup of the controller's set was kept: cannot save " +
               params::utf8Text(backup.file) + (backup.systemText.empty() ? "" : " (" + backup.systemText + ")");
    case params::SetBackup::Status::NotAsked:
    case params::SetBackup::Status::NoController: break;
    }
    return {};
}

ParameterBlock acknowledgedPart(const ParameterBlock& before, const ParameterBlock& sent,
                                const params::BulkWriteOutcome& outcome)
{
    ParameterBlock held = before;
    for (int address = ParameterBlock::firstAddress; address <= ParameterBlock::lastAddress; ++address)
        if (outcome.eepromWritten.test(static_cast<std::size_t>(address)))
            held.setParameter(params::Address(address), sent.get(address));
    return held;
}

namespace {

int reportPortLost(const params::BulkWriteOutcome& outcome)
{
    std::cerr << "dravinor-cli: the port went away during the transfer (adapter unplugged?); "
              << outcome.parametersWritten() << " of the 35 parameters were written to EEPROM";
    if (outcome.mixedSet())
        std::cerr << ": the controller may now hold a mixed set of old and new parameters; "
                     "write the whole set again once the adapter is back";
    else if (outcome.ramPartlyRefreshed())
        std::cerr << ", but the RAM copy it works from was refreshed for only " << outcome.ramWordsRefreshed()
                  << " of its 32 words; write the whole set again once the adapter is back";
    std::cerr << '\n';
    return exitNoController;
}

}  // namespace

int reportBulkWrite(const params::BulkWriteOutcome& outcome)
{
    if (const std::string backup = backupLine(outcome.backup); !backup.empty())
        std::cerr << backup << '\n';
    if (outcome.portLost)
        return reportPortLost(outcome);
    const auto rewritten = outcome.rewrittenAddresses();
    const auto missing = outcome.unconfirmedAddresses();
    if (!rewritten.empty()) {
        // The count is of parameters, as the list is: a frame count would
        // count a pass's late letters too.
        std::cerr << "dravinor-cli: " << rewritten.size()
                  << (rewritten.size() == 1 ? " parameter was" : " parameters were")
                  << " not confirmed by the bulk frames; written again one by one:";
        for (int address : rewritten)
            std::cerr << ' ' << address;
        std::cerr << '\n';
    }
    if (missing.empty()) {
        if (!rewritten.empty())
            std::cerr << "All 35 parameters are now confirmed by the controller\n";
        return exitSuccess;
    }
    if (static_cast<int>(missing.size()) == ParameterBlock::count) {
        std::cerr << "dravinor-cli: the controller confirmed none of the 35 parameters\n";
        return exitNotAcknowledged;
    }
    // The meaning of each address, as the parameter table names it.
    const auto rows = params::decodeParameters(ParameterBlock{});
    std::cerr << "dravinor-cli: " << missing.size() << " of the 35 parameters not confirmed by the controller";
    if (outcome.rewritesStopped)
        std::cerr << " (it stopped answering)";
    std::cerr << ":\n";
    for (int address : missing) {
        const auto row = std::find_if(rows.begin(), rows.end(), [address](const params::DecodedParameter& r) {
            return address >= r.address && address <= r.lastAddress;
        });
        std::cerr << "  " << address << "  " << (row != rows.end() ? row->meaning : std::string()) << '\n';
    }
    std::cerr << "dravinor-cli: the controller may now hold a mixed set of old and new parameters; "
                 "write the whole set again\n";
    return exitNotAcknowledged;
}

}  // namespace dravinor::cli
