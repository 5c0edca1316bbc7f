#include "params/LivePoll.h"

#include "link/CommandFrame.h"
#include "link/SerialPort.h"
#include "params/FlagBits.h"
#include "params/ParameterState.h"

#include <algorithm>
#include <span>

namespace dravinor::params {

LivePoll pollLiveFrame(link::SerialPort& port)
{
    link::sendLiveRequest(port);
    const bool complete = port.collectReply(link::liveFrameSize);
    const auto& buffer = port.replyBuffer();
    LivePoll poll;
    poll.frame = decodeLiveFrame(std::span<const std::uint8_t, liveFrameBytes>(buffer.data(), liveFrameBytes));
    if (!complete)
        poll.reply = port.collectedCount() == 0 ? LiveReply::Missing : LiveReply::Short;
    else if (port.replyOverran())
        poll.reply = LiveReply::Long;
    else if (std::all_of(buffer.begin(), buffer.begin() + liveFrameBytes, [](std::uint8_t b) { return b == 0; }))
        poll.reply = LiveReply::Blank;
    else
        poll.reply = LiveReply::Good;
    return poll;
}

LiveSettings liveSettings(const ParameterState& state)
{
    return {state.ignitionConstant(), (state.flagByteA() & flagA::temperatureSensor) != 0,
            static_cast<std::uint8_t>(state.lambdaThreshold())};
}

LiveValues liveValues(const LiveFrame& frame, const LiveSettings& settings)
{
    LiveValues values;
    values.lambdaVolts = lambdaVolts(frame.lambda);
    values.lambdaHigh = frame.lambda >= settings.lambdaThreshold;
    values.tpsVolts = tpsVolts(frame.tps);
    values.rpm = engineRpm(frame, settings.ignitionConstant);
    values.temperature = temperatureC(frame.temperature);
    values.fuel = fuelState(frame.status);
    return values;
}

LiveReading readLive(link::SerialPort& port, const ParameterState& state)
{
    LiveReading reading;
    reading.poll = pollLiveFrame(port);
    reading.settings = liveSettings(state);
    reading.values = liveValues(reading.poll.frame, reading.settings);
    return reading;
}

}  // namespace dravinor::params
