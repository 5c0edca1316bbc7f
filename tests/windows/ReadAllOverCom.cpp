// Reads all 35 parameters seven times through a Windows COM port (under
// wine: COM1 mapped to the Linux simulator's pseudo-terminal) and prints the
// median time: the Win32 serial device against a real line discipline.
// scripts/windows-core.sh runs it against dravinor-sim.
#include "link/Clock.h"
#include "link/SerialPort.h"
#include "link/SystemSerialDevice.h"
#include "params/ParameterState.h"
#include "params/ParameterTransfer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace dravinor;

int main(int argc, char** argv)
{
    const std::string name = argc > 1 ? argv[1] : "COM1";
    link::SystemClock clock;
    link::SystemSerialDevice device;
    link::SerialPort port(device, clock, [](const std::string& n) { return n; });
    if (!port.open(name)) {
        std::fprintf(stderr, "cannot open %s\n", name.c_str());
        return 1;
    }
    params::ParameterState state;
    params::ParameterTransfer transfer(port, state);
    std::vector<double> times;
    int complete = 0;
    for (int round = 0; round < 7; ++round) {
        const auto start = std::chrono::steady_clock::now();
        complete += transfer.readAllParameters().complete();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    std::printf("%d/7 complete, read all median %.1f ms\n", complete, times[3]);
    return complete == 7 ? 0 : 1;
}
