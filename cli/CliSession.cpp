#include "CliSession.h"

#include "CurrentCarVisit.h"
#include "OpenFailureText.h"
#include "PlatformHelpText.h"

#include "book/VisitJournal.h"

#include <cstdlib>
#include <iostream>
#include <utility>

namespace dravinor::cli {

using link::PortMap;

bool CliSession::init(const CliOptions& options)
{
    options_ = options;
    session_.transfer().setWriteSource(params::WriteSource::Cli);
    // The write itself goes on: a journal that cannot be written is told once.
    session_.journalRecorder().setErrorListener([told = false](const std::string& reason) mutable {
        if (!std::exchange(told, true))
            std::cerr << "dravinor-cli: warning: the write journal could not be written: " << reason << '\n';
    });
    session_.journalRecorder().setAppendListener([this](const std::vector<params::JournalEntry>& entries) {
        if (const auto range = book::journalRangeOf(entries)) {
            written_ = book::joinedRange(written_, *range);
            if (const auto identity = session_.connection().identity())
                writtenTo_ = identity;
        }
    });
    std::string error;
    if (!link::buildPortMap(options.portAssignments, std::getenv("DRAVINOR_PORTS"), session_.portMap(), &error)) {
        std::cerr << "dravinor-cli: " << error << '\n';
        return false;
    }
    return true;
}

void CliSession::recordWrites()
{
    if (written_)
        recordWritesVisit(*std::exchange(written_, std::nullopt), writtenTo_);
}

std::string CliSession::describePort(const std::string& name) const
{
    const std::string path = portMap().resolve(name);
    if (path.empty() || path == name)
        return name;
    return name + " (" + path + ")";
}

void CliSession::reportOpenFailure(const std::string& name) const
{
    const auto& result = port().lastOpenResult();
    const std::string path = portMap().resolve(name);
    std::cerr << "dravinor-cli: ";
    if (path.empty()) {
        std::cerr << name << " stands for no serial device here ('dravinor-cli ports' lists them)\n";
        return;
    }
    std::cerr << portFailureLine(describePort(name), result) << '\n';
}

int CliSession::connect(OnConnect then)
{
    session_.setReadOnConnect(then == OnConnect::ReadParameters);
    if (options_.port) {
        const std::string& name = *options_.port;
        // As patient as the scan: a controller late to one identify is not absent.
        const auto outcome = connection().connectToPortWithTries(name);
        if (outcome.connected)
            return exitSuccess;
        if (!port().portOpen())
            reportOpenFailure(name);
        else
            std::cerr << "dravinor-cli: no controller answers on " << describePort(name) << '\n';
        port().close();
        return exitNoController;
    }

    bool anyDevice = false;
    for (int i = 0; i < PortMap::portCount; ++i)
        anyDevice = anyDevice || !portMap().devicePath(i).empty();
    if (!anyDevice) {
        std::cerr << "dravinor-cli: " DRAVINOR_NO_PORTS_TEXT "; name one with --port\n";
        return exitNoController;
    }
    const auto outcome = connection().autodetect();
    if (outcome.connected)
        return exitSuccess;
    std::cerr << "dravinor-cli: no controller found; ports tried:\n";
    for (const auto& attempt : outcome.attempts) {
        if (!portMap().resolve(attempt.name).empty())
            std::cerr << "  " << portFailureLine(describePort(attempt.name), attempt.open) << '\n';
    }
    return exitNoController;
}

}  // namespace dravinor::cli
