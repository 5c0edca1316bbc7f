#pragma once

#include "LiveFrame.h"

namespace dravinor::link {
class SerialPort;
}

namespace dravinor::params {

// How a live request was answered. The frame carries no check of its own,
// so its length is what tells a bad answer, and a line held at zero (a
// break, a dead adapter) reads as ten zero bytes.
enum class LiveReply {
    Good,     // exactly ten bytes, not all zero
    Missing,  // nothing came
    Short,    // fewer than ten bytes
    Long,     // more than ten: noise or a late answer in the window
    Blank,    // ten zero bytes
};

struct LivePoll {
    LiveFrame frame;  // decoded from the reply buffer, whatever came
    LiveReply reply = LiveReply::Missing;

    // A frame the displays and the wizard may use.
    bool good() const { return reply == LiveReply::Good; }
    // Something that can only come from a controller reached the port.
    bool answered() const { return reply != LiveReply::Missing && reply != LiveReply::Blank; }
};

// Sends the live request and collects its answer, judged.
LivePoll pollLiveFrame(link::SerialPort& port);

}  // namespace dravinor::params
