#include "link/SerialPort.h"

#include "link/Deadline.h"

#include <algorithm>
#include <utility>

namespace dravinor::link {

SerialPort::SerialPort(SerialDevice& device, Clock& clock, NameResolver resolver)
    : device_(device), clock_(clock), resolver_(std::move(resolver))
{
}

bool SerialPort::open(const std::string& name)
{
    // A port already open stays in use, whatever name is asked for.
    if (portOpen_)
        return true;
    const std::string path = resolver_ ? resolver_(name) : name;
    if (path.empty()) {
        lastOpen_ = {OpenError::NotFound, {}};
        return false;
    }
    lastOpen_ = device_.open(path);
    if (!lastOpen_.ok())
        return false;
    portOpen_ = true;
    portName_ = name;
    lineSuspect_ = false;  // a fresh open starts with an empty queue
    return true;
}

void SerialPort::close()
{
    if (!portOpen_)
        return;
    device_.close();
    portOpen_ = false;
    controllerConnected_ = false;
}

bool SerialPort::deviceLost() const
{
    return portOpen_ && device_.hungUp();
}

bool SerialPort::probeDeviceLost()
{
    if (portOpen_ && !device_.hungUp())
        (void)device_.queuedCount();
    return deviceLost();
}

bool SerialPort::send(const std::uint8_t* bytes, std::size_t count)
{
    if (!portOpen_ || device_.hungUp())
        return false;
    device_.setRts(true);
    if (!device_.write(bytes, count)) {
        // Release the line anyway: a keyed transmitter would deafen it.
        device_.setRts(false);
        return false;
    }
    device_.drainOutput();
    device_.setRts(false);
    return true;
}

void SerialPort::discardInput()
{
    // Stale bytes mean the controller may still be talking (an overlong or
    // late answer): let it finish, so that its remaining bytes are not taken
    // for the answer to the next command, and so that the two never transmit
    // at once on the half-duplex line. Bounded like any reply wait.
    if (!portOpen_ || device_.hungUp())
        return;
    if (lineSuspect_) {
        lineSuspect_ = false;
        waitForQuietLine();
        return;
    }
    if (device_.queuedCount() == 0)
        return;
    // Quiet means two polls in a row with nothing new: longer than the gap
    // between two bytes of one answer.
    dropUntilQuiet(2 * pollSleepMs, replyWindowMs);
}

bool SerialPort::staysQuiet(int polls)
{
    if (polls <= 0)
        return true;
    const Deadline quiet(clock_, polls * pollSleepMs);
    do {
        if (!portOpen_ || device_.hungUp())
            return false;
        clock_.sleepMs(pollSleepMs);
        if (device_.queuedCount() > 0)
            return false;
    } while (!quiet.passed());
    return true;
}

void SerialPort::waitForQuietLine()
{
    dropUntilQuiet(replyWindowMs, quietWaitLimitMs);
}

void SerialPort::dropUntilQuiet(int quietMs, int limitMs)
{
    // Each look is followed by a poll's sleep; the line counts as quiet from
    // the first look in a row that found nothing.
    const Deadline limit(clock_, limitMs);
    Deadline quiet(clock_, quietMs);
    bool quietLooks = false;
    do {
        if (device_.hungUp())
            return;
        if (device_.queuedCount() > 0) {
            device_.discardInput();
            quietLooks = false;
        } else if (!quietLooks) {
            quietLooks = true;
            quiet.restart();
        }
        clock_.sleepMs(pollSleepMs);
    } while (!(quietLooks && quiet.passed()) && !limit.passed());
    if (!device_.hungUp())
        device_.discardInput();
}

std::size_t SerialPort::readAvailable(std::uint8_t* buffer, std::size_t max)
{
    queuedCount_ = (portOpen_ && !device_.hungUp()) ? device_.queuedCount() : 0;
    if (queuedCount_ == 0) {
        lastReadCount_ = 0;
        return 0;
    }
    lastReadCount_ = device_.read(buffer, std::min(queuedCount_, max));
    return lastReadCount_;
}

void SerialPort::pollOnce(bool confirming)
{
    const Deadline interval(clock_, pollSleepMs);
    if (confirming && coarseTimer_) {
        // A whole timer tick per answer would double a read; this look
        // costs a poll's time of the processor instead.
        while (!interval.passed())
            clock_.yield();
    } else {
        clock_.sleepMs(pollSleepMs);
        coarseTimer_ = interval.elapsedUs() >= coarseSleepUs;
    }
    readAvailable(receive_.data(), receive_.size());
}

bool SerialPort::waitReply()
{
    replyFlag_ = false;
    lastReadCount_ = 0;
    const Deadline window(clock_, replyWindowMs);
    do {
        if (deviceLost())
            break;
        pollOnce();
        if (queuedCount_ > 0) {
            replyFlag_ = true;
            break;
        }
    } while (!window.passed());
    if (!replyFlag_)
        lineSuspect_ = true;
    return replyFlag_;
}

bool SerialPort::collectReply(std::size_t n)
{
    replyLength_ = 0;
    replyFlag_ = false;
    replyOverran_ = false;
    lastReadCount_ = 0;
    const Deadline window(clock_, replyWindowMs);
    do {
        if (deviceLost())
            break;
        // The test below looks only at bytes of earlier polls, so a reply
        // is confirmed by one more poll after its n-th byte arrived.
        replyLength_ += lastReadCount_;
        pollOnce(replyLength_ >= n);
        if (replyLength_ < reply_.size()) {
            const std::size_t room = reply_.size() - replyLength_;
            std::copy_n(receive_.begin(), std::min(room, lastReadCount_), reply_.begin() + replyLength_);
        }
        if (replyLength_ >= n) {
            replyFlag_ = true;
            replyOverran_ = replyLength_ + lastReadCount_ > n;
            break;
        }
    } while (!window.passed());
    if (!replyFlag_ || replyOverran_)
        lineSuspect_ = true;
    return replyFlag_;
}

}  // namespace dravinor::link
