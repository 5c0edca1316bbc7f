// Live polls over a line that delivers any bytes in any chunks: the frame
// is collected without overrunning anything and decodes to sane values.
#include "FakeClock.h"
#include "FuzzCheck.h"
#include "ScriptedDevice.h"
#include "link/CommandFrame.h"
#include "link/SerialPort.h"
#include "params/LiveFrame.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>

using namespace dravinor;

using dravinor::fuzz::check;

namespace {

constexpr float ignitionConstants[] = {19200, 9600, 4800, 4000, 3200, 2400};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    testing::FakeClock clock;
    testing::ScriptedDevice device(clock);
    link::SerialPort port(device, clock, [](const std::string& name) { return name; });
    if (!port.open("/dev/fuzz"))
        return 0;
    device.onWrite = [&](const std::vector<std::uint8_t>&) {
        // The answer: a few chunks of any bytes at any times.
        const int chunks = input.ConsumeIntegralInRange<int>(0, 4);
        for (int i = 0; i < chunks; ++i) {
            const auto at = clock.nowMs + input.ConsumeIntegralInRange<std::uint32_t>(0, 60);
            device.arriveAt(at, input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange<std::size_t>(0, 16)));
        }
    };

    for (int poll = 0; poll < 8 && input.remaining_bytes() > 0; ++poll) {
        link::sendLiveRequest(port);
        port.collectReply(link::liveFrameSize);
        const auto frame = params::decodeLiveFrame(
            std::span<const std::uint8_t, params::liveFrameBytes>(port.replyBuffer().data(), params::liveFrameBytes));
        const float lambda = params::lambdaVolts(frame.lambda);
        const float tps = params::tpsVolts(frame.tps);
        const float temperature = params::temperatureC(frame.temperature);
        check(lambda >= 0 && lambda <= 5.0f);
        check(tps >= 0 && tps <= 12.34f);
        check(std::isfinite(temperature));
        for (float k : ignitionConstants) {
            const int rpm = params::engineRpm(frame, k);
            check(rpm >= 0);
        }
        params::fuelState(frame.status);
    }
    return 0;
}
