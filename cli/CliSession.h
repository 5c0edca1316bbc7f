#pragma once

#include "CliOptions.h"

#include "book/BookRecords.h"
#include "link/ControllerIdentity.h"
#include "params/ControllerSession.h"

#include <optional>

#include <string>

namespace dravinor::cli {

// What a command does once it has found the controller.
enum class OnConnect { ReadParameters, IdentifyOnly };

// Everything one command needs to talk to the controller.
class CliSession {
public:
    // The wiring's empty parts are the real device, clock and journal.
    explicit CliSession(params::SessionWiring wiring = {}) : session_({}, std::move(wiring)) {}

    // False (with a message on stderr) when the port map is malformed.
    bool init(const CliOptions& options);

    // Finds the controller (the named port, or a scan) and, when asked,
    // reads its parameters. Returns exitSuccess or exitNoController.
    int connect(OnConnect then);

    const link::PortMap& portMap() const { return session_.portMap(); }
    link::SerialPort& port() { return session_.port(); }
    const link::SerialPort& port() const { return session_.port(); }
    link::Clock& clock() { return session_.clock(); }
    params::ParameterState& state() { return session_.state(); }
    params::ParameterTransfer& transfer() { return session_.transfer(); }
    link::Connection& connection() { return session_.connection(); }
    const params::ReadAllResult& lastRead() const { return session_.lastRead(); }
    params::ControllerSession& controllerSession() { return session_; }
    // "COM1 (/dev/ttyUSB0)", or the path alone when given one.
    std::string describePort(const std::string& name) const;

    // The writes this command made, recorded into the current car's visit
    // of today (once, at the command's end: one book write, however many
    // writes the command made).
    void recordWrites();

private:
    void reportOpenFailure(const std::string& name) const;

    CliOptions options_;
    params::ControllerSession session_;
    std::optional<book::JournalRange> written_;
    std::optional<link::ControllerIdentity> writtenTo_;
};

}  // namespace dravinor::cli
