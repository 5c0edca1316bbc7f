#pragma once

#include "Clock.h"
#include "Connection.h"
#include "ParameterState.h"
#include "ParameterTransfer.h"
#include "PortMap.h"
#include "PosixSerialDevice.h"
#include "SerialPort.h"

namespace dravinor::params {

// The one link to the controller and the parameter state of a program: the
// port map, the termios device, the port, the block, the transfer and the
// connection logic, wired together once.
class ControllerSession {
public:
    explicit ControllerSession(link::PortMap portMap = {}) : portMap_(std::move(portMap)) {}
    ControllerSession(const ControllerSession&) = delete;
    ControllerSession& operator=(const ControllerSession&) = delete;

    link::PortMap& portMap() { return portMap_; }
    const link::PortMap& portMap() const { return portMap_; }
    link::Clock& clock() { return clock_; }
    link::SerialPort& port() { return port_; }
    const link::SerialPort& port() const { return port_; }
    ParameterState& state() { return state_; }
    ParameterTransfer& transfer() { return transfer_; }
    link::Connection& connection() { return connection_; }

    // Whether a successful identification reads the parameters (always,
    // except for a bare identify from the command line).
    void setReadOnConnect(bool read) { readOnConnect_ = read; }
    const ReadAllResult& lastRead() const { return lastRead_; }

private:
    link::PortMap portMap_;
    link::SystemClock clock_;
    link::PosixSerialDevice device_;
    link::SerialPort port_{device_, clock_, [this](const std::string& name) { return portMap_.resolve(name); }};
    ParameterState state_;
    ParameterTransfer transfer_{port_, state_};
    bool readOnConnect_ = true;
    ReadAllResult lastRead_;
    link::Connection connection_{port_, [this] {
                                     if (readOnConnect_)
                                         lastRead_ = transfer_.readAllParameters();
                                 }};
};

}  // namespace dravinor::params
