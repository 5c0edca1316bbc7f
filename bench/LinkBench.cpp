// Wire speed of the parameter transfers over a pseudo-terminal against the
// simulated controller with 9600-baud pacing, against the line-time floor.
#include "ControllerSimulator.h"
#include "MedianTime.h"
#include "link/Clock.h"
#include "link/CommandFrame.h"
#include "link/PosixSerialDevice.h"
#include "link/SerialPort.h"
#include "params/ParameterState.h"
#include "params/ParameterTransfer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace dravinor;

using dravinor::bench::medianMs;

namespace {

constexpr double byteMs = 10.0 / 9600.0 * 1000.0;  // 8N1: ten bits a byte

}  // namespace

int main()
{
    sim::ControllerSimulator controller;
    std::string error;
    if (!controller.start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", error.c_str());
        return 1;
    }
    link::SystemClock clock;
    link::PosixSerialDevice device;
    link::SerialPort port(device, clock, [](const std::string& name) { return name; });
    if (!port.open(controller.slavePath())) {
        std::fprintf(stderr, "cannot open %s\n", controller.slavePath().c_str());
        return 1;
    }
    params::ParameterState state;
    params::ParameterTransfer transfer(port, state);

    const double readFloor = 35 * 10 * byteMs;
    const double readAll = medianMs(15, [&] {
        if (!transfer.readAllParameters().complete())
            std::fprintf(stderr, "read incomplete\n");
    });
    std::printf("read all 35 parameters: median %.1f ms, line floor %.1f ms, ratio %.2f (goal <= 1.40)\n", readAll,
                readFloor, readAll / readFloor);

    const double writeFloor = 14 * byteMs + 2 * params::ParameterTransfer::pauseAfterWriteMs;
    const double write = medianMs(30, [&] {
        if (transfer.writeParameter(params::address::startPositionAboveTps, 100).failed())
            std::fprintf(stderr, "write failed\n");
    });
    std::printf("write one parameter:    median %.1f ms, floor %.1f ms (14 bytes + 30 ms pauses), ratio %.2f "
                "(goal <= 1.10)\n",
                write, writeFloor, write / writeFloor);

    const double liveFloor = 16 * byteMs;
    const double live = medianMs(50, [&] {
        link::sendLiveRequest(port);
        port.collectReply(10);
    });
    std::printf("one live poll:          median %.1f ms, line floor %.1f ms, ratio %.2f (period 50 ms)\n", live,
                liveFloor, live / liveFloor);
    return 0;
}
