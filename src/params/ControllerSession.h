#pragma once

#include "link/Clock.h"
#include "link/Connection.h"
#include "link/PortMap.h"
#include "link/SerialPort.h"
#include "link/SystemSerialDevice.h"
#include "params/JournalRecorder.h"
#include "params/ParameterState.h"
#include "params/ParameterTransfer.h"
#include "params/SessionWiring.h"
#include "params/SetBackup.h"
#include "params/SetFingerprint.h"
#include "params/WriteJournal.h"

#include <memory>
#include <string>

namespace dravinor::params {

// The one link to the controller and the parameter state of a program: the
// port map, the serial device, the clock, the port, the block, the transfer,
// the journal and the connection logic, wired together once. The device,
// clock and journal come from the wiring; what it leaves empty is the real one.
class ControllerSession {
public:
    explicit ControllerSession(link::PortMap portMap = {}, SessionWiring wiring = {})
        : portMap_(std::move(portMap)),
          device_(wiring.device ? std::move(wiring.device) : std::make_shared<link::SystemSerialDevice>()),
          clock_(wiring.clock ? std::move(wiring.clock) : std::make_shared<link::SystemClock>()),
          journal_(wiring.journalPath.empty() ? WriteJournal::defaultPath() : std::move(wiring.journalPath))
    {
        transfer_.setRecorder(&recorder_);
        transfer_.setBackups(&backups_);
        transfer_.setIdentitySource([this] { return connection_.identity(); });
        transfer_.setIdentityHintSource([this] { return connection_.identityHint(); });
        // An address the first read cannot get keeps a value of the default
        // set, never a zero that no controller would hold: that is what a
        // save or a bulk write would otherwise carry into a file or a car.
        state_.loadDefaults();
    }
    // A device given by the caller may outlive the session: its port is
    // let go here, as the session's own device would on destruction.
    ~ControllerSession() { port_.close(); }
    ControllerSession(const ControllerSession&) = delete;
    ControllerSession& operator=(const ControllerSession&) = delete;

    link::PortMap& portMap() { return portMap_; }
    const link::PortMap& portMap() const { return portMap_; }
    link::Clock& clock() { return *clock_; }
    link::SerialPort& port() { return port_; }
    const link::SerialPort& port() const { return port_; }
    ParameterState& state() { return state_; }
    ParameterTransfer& transfer() { return transfer_; }
    link::Connection& connection() { return connection_; }

    // Whether a successful identification reads the parameters (always,
    // except for a bare identify from the command line).
    void setReadOnConnect(bool read) { readOnConnect_ = read; }
    const ReadAllResult& lastRead() const { return lastRead_; }

    // Every write through the transfer is journalled here.
    WriteJournal& journal() { return journal_; }
    JournalRecorder& journalRecorder() { return recorder_; }
    // The controller's sets kept before bulk writes, beside the journal.
    const SetBackups& backups() const { return backups_; }
    // The port and controller a write goes to now, and the set it holds
    // (as the program has it: read, then written).
    WriteTarget writeTarget() const
    {
        WriteTarget target;
        if (port_.portOpen())
            target.port = port_.portName();
        if (port_.controllerConnected() && connection_.identity()) {
            target.controller = connection_.identity()->journalText();
            target.controllerSet = parameterSetFingerprint(state_.block());
        }
        return target;
    }

private:
    link::PortMap portMap_;
    std::shared_ptr<link::SerialDevice> device_;
    std::shared_ptr<link::Clock> clock_;
    link::SerialPort port_{*device_, *clock_, [this](const std::string& name) { return portMap_.resolve(name); }};
    ParameterState state_;
    ParameterTransfer transfer_{port_, state_};
    WriteJournal journal_;
    SetBackups backups_{SetBackups::folderBeside(journal_.path())};
    JournalRecorder recorder_{journal_, [this] { return writeTarget(); }};
    bool readOnConnect_ = true;
    ReadAllResult lastRead_;
    link::Connection connection_{port_, [this] {
                                     if (readOnConnect_)
                                         lastRead_ = transfer_.readAllParameters();
                                 }};
};

}  // namespace dravinor::params
