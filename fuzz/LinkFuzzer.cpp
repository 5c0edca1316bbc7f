// The link against a controller whose answers come early, late (up to ten
// reply windows, the rest in order behind them), broken or not at all.
// Whatever comes, every frame sent is well formed, a refused address keeps
// its old value and is marked unread, and an accepted one is that address's
// own.
#include "FuzzCheck.h"
#include "FuzzedController.h"

#include "link/CommandFrame.h"
#include "link/SerialPort.h"
#include "params/ParameterState.h"
#include "params/ParameterTransfer.h"

#include <algorithm>
#include <cstdlib>

using namespace dravinor;

using dravinor::fuzz::check;

namespace {

constexpr std::uint8_t untouched = 0xEE;

void checkFramesWellFormed(const testing::ScriptedDevice& device)
{
    for (const auto& frame : device.written) {
        check(frame.size() == 6);
        check(frame[4] == link::frameChecksum(frame[0], frame[1], frame[2], frame[3]));
        check(frame[5] == ';');
    }
}

void checkRead(const params::ParameterState& state, const params::ReadAllResult& read)
{
    for (int address = 1; address <= 35; ++address) {
        const bool failed =
            std::find(read.failedAddresses.begin(), read.failedAddresses.end(), address) != read.failedAddresses.end();
        check(state.block().get(address) == (failed ? untouched : fuzz::FuzzedController::valueOf(address)));
        check(state.isUnread(address) == failed);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    testing::FakeClock clock;
    testing::ScriptedDevice device(clock);
    fuzz::FuzzedController controller(input, clock, device);
    link::SerialPort port(device, clock, [](const std::string& name) { return name; });
    params::ParameterState state;
    params::ParameterTransfer transfer(port, state);
    transfer.setIdentitySource(
        [] { return std::optional(link::ControllerIdentity(fuzz::FuzzedController::identity)); });
    if (!port.open("/dev/fuzz"))
        return 0;

    for (int step = 0; step < 4 && input.remaining_bytes() > 0; ++step) {
        switch (input.ConsumeIntegralInRange<int>(0, 2)) {
        case 0: {
            state.block().bytes().fill(untouched);
            checkRead(state, transfer.readAllParameters());
            break;
        }
        case 1: {
            const int address = input.ConsumeIntegralInRange<int>(1, 35);
            transfer.writeParameter(params::Address(address), fuzz::FuzzedController::valueOf(address));
            break;
        }
        default: {
            // A stray or late byte between exchanges, as a real line has them.
            clock.sleepMs(input.ConsumeIntegralInRange<int>(0, 100));
            break;
        }
        }
    }
    checkFramesWellFormed(device);
    return 0;
}
