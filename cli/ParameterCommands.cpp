#include "Arguments.h"
#include "BulkWriteReport.h"
#include "CliSession.h"
#include "Commands.h"
#include "CurrentCarVisit.h"
#include "DiffPrinter.h"
#include "PageValueTable.h"
#include "ParameterFileCommands.h"
#include "ReadFailureText.h"
#include "SaveTargetText.h"

#include "params/ParameterDecoder.h"
#include "params/ParameterFile.h"
#include "params/ParameterTable.h"
#include "params/ParameterWrites.h"
#include "params/PathText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <vector>

namespace dravinor::cli {

using params::FileError;
using params::ParameterBlock;

namespace {

void printParameters(const ParameterBlock& block, const params::AddressSet& unread = {},
                     const params::AddressSet* only = nullptr)
{
    std::fputs(pageValueTable(shippedPolishTexts(), block, unread, only).c_str(), stdout);
}

std::string fileErrorText(FileError error)
{
    switch (error) {
    case FileError::CannotOpen: return "cannot open";
    case FileError::CannotRead: return "cannot read";
    case FileError::NotAFile: return "not a parameter file: only a regular file is read";
    case FileError::CannotCreate: return "cannot create a file in that folder";
    case FileError::CannotWrite: return "cannot write";
    case FileError::CannotReplace: return "cannot replace";
    case FileError::CannotBackUp: return "cannot keep the previous file as its .BAK";
    case FileError::None: break;
    }
    return "error";
}

}  // namespace

int saveFile(const std::string& path, const ParameterBlock& block)
{
    const auto result = params::saveParameterFile(params::pathFromUtf8(path), block);
    const std::string backup = params::utf8Text(params::backupPathFor(params::pathFromUtf8(path)));
    if (result.error == FileError::NotAFile) {
        tellRefusedOutput(path, "the parameter file", result.target);
        return exitFileError;
    }
    if (!result.ok()) {
        std::cerr << "dravinor-cli: " << path << ": ";
        if (result.error == FileError::CannotBackUp)
            std::cerr << "cannot keep the previous file as " << backup;
        else
            std::cerr << fileErrorText(result.error);
        if (!result.systemText.empty())
            std::cerr << " (" << result.systemText << ")";
        std::cerr << "; nothing saved, the file is as it was\n";
        return exitFileError;
    }
    if (result.backup == params::BackupOutcome::Created)
        std::cerr << "The previous file is kept as " << backup << '\n';
    else if (result.backup == params::BackupOutcome::KeptExisting)
        std::cerr << "The previous file is replaced; the older " << backup << " is kept as it was\n";
    std::cerr << "Saved " << path << '\n';
    return exitSuccess;
}

int loadFile(const std::string& path, ParameterBlock& block, std::uintmax_t* size)
{
    const auto result = params::loadParameterFile(params::pathFromUtf8(path), block);
    if (size)
        *size = result.fileSize;
    if (!result.ok()) {
        std::cerr << "dravinor-cli: " << path << ": " << fileErrorText(result.error);
        if (!result.systemText.empty())
            std::cerr << " (" << result.systemText << ")";
        std::cerr << '\n';
        return exitFileError;
    }
    return exitSuccess;
}

void warnAboutSize(const std::string& path, std::uintmax_t size)
{
    if (size == ParameterBlock::size)
        return;
    std::cerr << "dravinor-cli: warning: " << path << " holds " << size << " bytes, not 64: "
              << (size < ParameterBlock::size ? "the bytes it lacks are taken as 0\n"
                                              : "only its first 64 bytes count\n");
}

namespace {

// A single write that failed because the adapter went away.
int reportPortLostDuringSet(const std::string& what, const params::WriteOutcome& outcome)
{
    std::cerr << "dravinor-cli: the port went away during the write (adapter unplugged?): " << what
              << (outcome.eepromAcknowledged ? " was stored in EEPROM, but its RAM copy was not confirmed\n"
                                             : " was not written\n");
    return exitNoController;
}

}  // namespace

int runRead(CliSession& session, const CliOptions& options)
{
    const std::string output = options.value("-o").value_or("");
    // Not even a read for a file that would be refused.
    if (!output.empty() && !outputAccepted(output, "the parameter file"))
        return exitFileError;
    if (const int code = session.connect(OnConnect::ReadParameters); code != exitSuccess)
        return code;
    const auto& read = session.lastRead();
    printParameters(session.state().block(), session.state().unreadAddresses());
    if (!read.complete()) {
        std::cerr << "dravinor-cli: " << incompleteReadText(read) << (output.empty() ? "\n" : "; no file written\n");
        return exitNoController;
    }
    recordReadVisit(session.state().block(), session.connection().identity());
    return output.empty() ? exitSuccess : saveFile(output, session.state().block());
}

int runWrite(CliSession& session, const CliOptions& options)
{
    const bool force = options.has("--force");
    const bool yes = options.has("--yes");
    const std::string& path = options.arguments.front();
    // The file is read once, before the controller is touched.
    ParameterBlock file;
    std::uintmax_t size = 0;
    if (const int code = loadFile(path, file, &size); code != exitSuccess)
        return code;
    if (size != ParameterBlock::size && !force) {
        std::cerr << "dravinor-cli: " << path << " holds " << size
                  << " bytes, not 64: it does not look like a parameter file; nothing written"
                     " (--force sends its first 64 bytes, or as many as it has)\n";
        return exitFileError;
    }
    const std::size_t bytesLoaded = static_cast<std::size_t>(std::min<std::uintmax_t>(size, ParameterBlock::size));
    // Refused before the controller is touched, as a script has no one to ask.
    if (const int code = requireConsentWay("write", yes); code != exitSuccess)
        return code;
    if (const int code = session.connect(OnConnect::ReadParameters); code != exitSuccess)
        return code;
    // A short file leaves the rest as the controller has it, so that rest
    // must really have been read.
    if (bytesLoaded < ParameterBlock::size && !session.lastRead().complete()) {
        std::cerr << "dravinor-cli: the file is short and the controller's own parameters could not all be "
                     "read; nothing written\n";
        return exitNoController;
    }
    const ParameterBlock before = session.state().block();
    ParameterBlock sent = before;
    std::copy_n(file.bytes().begin(), bytesLoaded, sent.bytes().begin());
    if (const int code = askBeforeBulkWrite(session, path, sent, yes); code != exitSuccess)
        return code;
    session.state().block() = sent;
    session.state().refreshDerived();
    const auto outcome = session.transfer().writeAll();
    const int code = reportBulkWrite(outcome);
    const std::string port = session.describePort(session.port().portName());
    if (outcome.portLost)
        std::printf(
            "Wrote %s to the controller on %s: %d of the 35 parameters acknowledged by EEPROM%s before the "
            "port went away\n",
            path.c_str(), port.c_str(), outcome.parametersWritten(),
            outcome.ramPartlyRefreshed()
                ? (", the RAM copy for " + std::to_string(outcome.ramWordsRefreshed()) + " of its 32 words").c_str()
                : "");
    else
        std::printf("Wrote %s to the controller on %s: %d of the 35 parameters acknowledged by EEPROM, then the RAM "
                    "copy\n",
                    path.c_str(), port.c_str(), static_cast<int>(outcome.confirmed.count()));
    // What changed is the useful answer, and only what the controller
    // acknowledged has changed; without a full read of the old set, only
    // the acknowledged values of the new set can be told.
    const ParameterBlock held = acknowledgedPart(before, session.state().block(), outcome);
    if (session.lastRead().complete())
        printDifferences(shippedPolishTexts(), before, held, "before", path);
    else
        printParameters(held, {}, &outcome.eepromWritten);
    // Only a set the controller took whole is the car's set.
    if (code == exitSuccess)
        recordEndSet(held, session.connection().identity());
    return code;
}

int runSet(CliSession& session, const CliOptions& options)
{
    const auto& args = options.arguments;
    // A field name starts with a letter; an address is a number.
    if (!args[0].empty() && std::isalpha(static_cast<unsigned char>(args[0][0])))
        return runSetField(session, args[0], args[1], options.has("--clamp"));
    std::string error;
    const auto address = parseRangedNumber(args[0], "address", 1, 35, error);
    const auto value = address ? parseRangedNumber(args[1], "value", 0, 255, error) : std::nullopt;
    if (!address || !value)
        return usageError("set", error);
    // Read first: the RAM refresh carries the next address's own value.
    if (const int code = session.connect(OnConnect::ReadParameters); code != exitSuccess)
        return code;
    if (!session.lastRead().complete()) {
        std::cerr << "dravinor-cli: the parameters could not all be read; nothing written\n";
        return exitNoController;
    }
    // The raw byte goes where the parameter lives: a parameter kept in EEPROM
    // only has no working copy, and the RAM at its address is not its own.
    const params::Address target(*address);
    const auto outcome = params::writeWhereItLives(session.transfer(), target, static_cast<std::uint8_t>(*value));
    if (!outcome.failed()) {
        const bool eepromOnly = params::memoryOf(target) == params::Memory::EepromOnly;
        std::printf("Parameter %d = %d written (%s)\n", *address, *value, eepromOnly ? "EEPROM" : "EEPROM and RAM");
        return exitSuccess;
    }
    if (session.port().deviceLost())
        return reportPortLostDuringSet("parameter " + std::to_string(*address) + " = " + std::to_string(*value),
                                       outcome);
    std::cerr << "dravinor-cli: parameter " << *address
              << " not acknowledged:" << (outcome.ramAcknowledged ? "" : " RAM")
              << (outcome.eepromAcknowledged ? "" : " EEPROM") << '\n';
    return exitNotAcknowledged;
}

int runReset(CliSession& session, const CliOptions& options)
{
    const bool yes = options.has("--yes");
    if (const int code = requireConsentWay("reset", yes); code != exitSuccess)
        return code;
    // Read first: flag byte B keeps the controller's own bits 3-7.
    if (const int code = session.connect(OnConnect::ReadParameters); code != exitSuccess)
        return code;
    if (!session.lastRead().complete()) {
        std::cerr << "dravinor-cli: the parameters could not all be read; nothing written\n";
        return exitNoController;
    }
    // The set the reset writes, worked out as it will be.
    params::ParameterState defaults = session.state();
    defaults.loadDefaults();
    if (const int code = askBeforeBulkWrite(session, "the default parameter set", defaults.block(), yes);
        code != exitSuccess)
        return code;
    const int code = reportBulkWrite(session.transfer().resetParameters());
    if (code == exitSuccess)
        std::printf("Default parameter set written\n");
    return code;
}

int runShow(const CliOptions& options)
{
    ParameterBlock block;
    std::uintmax_t size = 0;
    const std::string& path = options.arguments[0];
    if (const int code = loadFile(path, block, &size); code != exitSuccess)
        return code;
    // Anything decodes as some set: a file of another size is most likely
    // not a parameter file at all, and its listing would only mislead.
    if (size != ParameterBlock::size && !options.has("--force")) {
        std::cerr << "dravinor-cli: " << path << " holds " << size
                  << " bytes, not 64: it does not look like a parameter file"
                     " (--force decodes it anyway)\n";
        return exitFileError;
    }
    warnAboutSize(path, size);
    printParameters(block);
    return exitSuccess;
}

int runDefaults(const CliOptions& options)
{
    const std::string output = options.value("-o").value_or("");
    if (output.empty())
        return usageError("defaults", "defaults needs -o FILE");
    params::ParameterState state;
    state.loadDefaults();
    return saveFile(output, state.block());
}

}  // namespace dravinor::cli
