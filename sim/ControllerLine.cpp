#include "ControllerLine.h"

#include <algorithm>
#include <random>

namespace dravinor::sim {

namespace {

std::uint32_t seedFor(std::uint32_t chosen)
{
    return chosen != 0 ? chosen : std::random_device{}();
}

}  // namespace

ControllerLine::ControllerLine(const SimulatorOptions& options)
    : pacing_(options.pacing), frameLogLimit_(options.frameLogLimit), noiseSeed_(options.noiseSeed),
      core_(options.identity, options.eeprom.value_or(factoryEeprom())),
      faults_(options.faults, seedFor(options.noiseSeed)), silent_(options.silent)
{
    EngineModel& engine = core_.engineAt(0);
    engine.setTpsFalling(options.tpsFalling);
    engine.setReducerScrew(options.reducerScrew);
    engine.setProbeModel(options.probeModel);
    if (options.steadyRpm) {
        engine.setRunning(true);
        engine.setThrottle(EngineModel::throttleForRpm(*options.steadyRpm));
    }
    core_.setFitterEnabled(options.fitter, 0);
}

void ControllerLine::setFaults(const FaultOptions& faults)
{
    faults_ = LineFaults(faults, seedFor(noiseSeed_));
}

void ControllerLine::receive(const std::uint8_t* data, std::size_t count, std::int64_t atNs)
{
    for (std::size_t i = 0; i < count; ++i) {
        // Half-duplex: while the controller talks its receiver is off, and
        // what the tool sent meanwhile is lost, a frame begun before too.
        if (atNs < talkingUntilNs_ && !faults_.queuesFrames()) {
            parser_.reset();
            continue;
        }
        for (const Frame& frame : parser_.feed(data + i, 1))
            serve(frame, atNs);
    }
}

void ControllerLine::serve(const Frame& frame, std::int64_t atNs)
{
    if (frameLogLimit_ > 0) {
        if (frames_.size() >= frameLogLimit_)
            frames_.pop_front();
        frames_.push_back({frame, atNs});
    }
    if (faults_.hangUpDue()) {
        hangUpAtNs_ = atNs;
        return;
    }
    // A pausing controller hears the frame (it is on the line) but neither
    // carries it out nor answers, nor anything else until the pause is over.
    if (faults_.pausesAt(frame[0], frame[1]))
        pausedUntilNs_ = atNs + faults_.pauseNs();
    if (atNs < pausedUntilNs_) {
        if (faults_.countFrame())
            hangUpAtNs_ = atNs + kHangUpGraceNs;
        return;
    }
    std::vector<TimedByte> plan;
    // A queueing controller turns to a frame once it has finished the
    // answer before it; the answer's times count from then.
    const std::int64_t startNs = faults_.queuesFrames() ? std::max(atNs, talkingUntilNs_) : atNs;
    if (!silent_ && !faults_.dropsFrame(frame[0]))
        plan = faults_.plan(frame[0], core_.handle(frame, seconds(startNs)), pacing_, frame[1]);
    // A stall holds the reply on its way to the tool (the controller
    // answered in time and hears on); what comes after cannot overtake it.
    const std::int64_t stallNs = plan.empty() ? 0 : faults_.drawStallNs();
    for (const TimedByte& byte : plan) {
        std::int64_t at = startNs + byte.atNs + stallNs;
        if (faults_.stalls())
            at = std::max(at, lastReplyByteNs_);
        put(byte.value, at);
        lastReplyByteNs_ = at;
    }
    if (!plan.empty()) {
        talkingUntilNs_ = startNs + plan.back().atNs;
        if (!faults_.queuesFrames())
            parser_.reset();  // the rest of what came with the frame went unheard
    }
    if (faults_.countFrame())
        hangUpAtNs_ = (plan.empty() ? atNs : talkingUntilNs_) + kHangUpGraceNs;
}

void ControllerLine::put(std::uint8_t value, std::int64_t atNs)
{
    // Behind every byte due no later: stable in time.
    auto at = std::upper_bound(outgoing_.begin(), outgoing_.end(), atNs,
                               [](std::int64_t t, const Outgoing& o) { return t < o.atNs; });
    outgoing_.insert(at, {atNs, value});
}

void ControllerLine::inject(const std::vector<std::uint8_t>& bytes, std::int64_t atNs)
{
    for (std::uint8_t value : bytes)
        put(value, atNs);
}

std::vector<std::uint8_t> ControllerLine::takeDue(std::int64_t nowNs, std::size_t max)
{
    std::vector<std::uint8_t> due;
    while (due.size() < max && !outgoing_.empty() && outgoing_.front().atNs <= nowNs) {
        due.push_back(outgoing_.front().value);
        outgoing_.pop_front();
    }
    return due;
}

std::size_t ControllerLine::dueCount(std::int64_t nowNs) const
{
    return static_cast<std::size_t>(
        std::find_if(outgoing_.begin(), outgoing_.end(), [nowNs](const Outgoing& o) { return o.atNs > nowNs; }) -
        outgoing_.begin());
}

std::optional<std::int64_t> ControllerLine::nextDueNs() const
{
    if (outgoing_.empty())
        return std::nullopt;
    return outgoing_.front().atNs;
}

void ControllerLine::resetLine()
{
    outgoing_.clear();
    parser_.reset();
    hangUpAtNs_.reset();
    talkingUntilNs_ = INT64_MIN;
    pausedUntilNs_ = INT64_MIN;
    lastReplyByteNs_ = INT64_MIN;
}

}  // namespace dravinor::sim
