#include "LivePoll.h"

#include "CommandFrame.h"
#include "SerialPort.h"

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

}  // namespace dravinor::params
