#pragma once

#include "CliOptions.h"

#include "Clock.h"
#include "Connection.h"
#include "ParameterState.h"
#include "ParameterTransfer.h"
#include "PortMap.h"
#include "PosixSerialDevice.h"
#include "SerialPort.h"

#include <string>

namespace dravinor::cli {

// Everything one command needs to talk to the controller.
class CliSession {
public:
    // False (with a message on stderr) when the port map is malformed.
    bool init(const CliOptions& options);

    // Finds the controller (the named port, or a scan) and, when asked,
    // reads its parameters. Returns exitSuccess or exitNoController.
    int connect(bool readParameters);

    const link::PortMap& portMap() const { return portMap_; }
    link::SerialPort& port() { return port_; }
    link::Clock& clock() { return clock_; }
    params::ParameterState& state() { return state_; }
    params::ParameterTransfer& transfer() { return transfer_; }
    link::Connection& connection() { return connection_; }
    const params::ReadAllResult& lastRead() const { return lastRead_; }
    // "COM1 (/dev/ttyUSB0)", or the path alone when given one.
    std::string describePort(const std::string& name) const;

private:
    void reportOpenFailure(const std::string& name) const;

    CliOptions options_;
    link::PortMap portMap_;
    link::SystemClock clock_;
    link::PosixSerialDevice device_;
    link::SerialPort port_{device_, clock_, [this](const std::string& name) { return portMap_.resolve(name); }};
    params::ParameterState state_;
    params::ParameterTransfer transfer_{port_, state_};
    bool readOnConnect_ = true;
    params::ReadAllResult lastRead_;
    link::Connection connection_{port_, [this] {
                                     if (readOnConnect_)
                                         lastRead_ = transfer_.readAllParameters();
                                 }};
};

}  // namespace dravinor::cli
