#pragma once

#include "params/LiveCsv.h"
#include "params/LiveFrame.h"

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

class ParameterState;

// The settings the parameters give for showing a frame.
LiveSettings liveSettings(const ParameterState& state);

// A frame's readings in units, as every display of them shows them.
struct LiveValues {
    float lambdaVolts = 0;
    bool lambdaHigh = false;  // at or above the lambda threshold
    float tpsVolts = 0;
    int rpm = 0;
    float temperature = 0;  // meaningful only with the sensor fitted
    FuelState fuel = FuelState::Petrol;
};
LiveValues liveValues(const LiveFrame& frame, const LiveSettings& settings);

// One live poll with what it shows: the window's live page and
// dravinor-cli live both poll through here.
struct LiveReading {
    LivePoll poll;
    LiveSettings settings;  // what the frame was decoded with
    LiveValues values;      // decoded whatever came; use them only when good()

    bool good() const { return poll.good(); }
};
LiveReading readLive(link::SerialPort& port, const ParameterState& state);

}  // namespace dravinor::params
