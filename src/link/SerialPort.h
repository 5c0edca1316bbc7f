#pragma once

#include "link/Clock.h"
#include "link/SerialDevice.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace dravinor::link {

// The one serial port of the program: opens a named port, sends with RTS
// keyed around the transmission and collects answers by short polls within
// windows measured on the clock: where a sleep lasts as asked, a reply
// window is 21 polls 2 ms apart; where the timer rounds every sleep up to a
// coarse tick, fewer polls fill the same 42 ms.
class SerialPort {
public:
    static constexpr std::size_t receiveBufferSize = 1024;
    static constexpr std::size_t replyBufferSize = 12;
    static constexpr int pollsPerWait = 21;
    static constexpr int pollSleepMs = 2;
    static constexpr int replyWindowMs = pollsPerWait * pollSleepMs;
    // Longest wait for a chattering line to fall quiet: four reply windows.
    static constexpr int quietWaitLimitMs = 4 * replyWindowMs;
    // A poll's sleep that takes this long shows a timer too coarse for it.
    static constexpr std::uint32_t coarseSleepUs = 4 * pollSleepMs * 1000;

    // Turns a logical name ("COM3") into a device path; empty when unknown.
    using NameResolver = std::function<std::string(const std::string& name)>;

    SerialPort(SerialDevice& device, Clock& clock, NameResolver resolver);

    bool open(const std::string& name);
    void close();
    bool send(const std::uint8_t* bytes, std::size_t count);
    std::size_t readAvailable(std::uint8_t* buffer, std::size_t max);
    bool waitReply();
    bool collectReply(std::size_t n);
    // Throws away stale bytes before a new command, and waits (bounded) for
    // a controller still talking to fall quiet, so an old answer can never
    // be taken for the next one. Costs nothing when no stale byte waits and
    // the last answer was in order.
    void discardInput();
    // The last answer was missing, short, rejected or longer than asked
    // for: the controller's real answer may still be on its way, and an 'l'
    // answer carries no address to tell it from the next one. The next
    // purge therefore waits for a whole quiet reply window.
    void noteBadReply() { lineSuspect_ = true; }
    // True when nothing comes for that many poll intervals; what does come
    // stays queued for the next read. Tells an answer that stands alone from
    // one with more behind it.
    bool staysQuiet(int polls);
    // A resynchronisation has shown that nothing older is still on its way.
    void noteLineInStep() { lineSuspect_ = false; }
    bool lineSuspect() const { return lineSuspect_; }
    // collectReply's last poll brought bytes beyond the n asked for.
    bool replyOverran() const { return replyOverran_; }
    // Bytes the last collectReply gathered in all, its last poll's included:
    // tells a short answer from none.
    std::size_t collectedCount() const { return replyLength_ + lastReadCount_; }

    bool portOpen() const { return portOpen_; }
    bool controllerConnected() const { return controllerConnected_; }
    void setControllerConnected(bool connected) { controllerConnected_ = connected; }
    const std::string& portName() const { return portName_; }
    // Why the last open failed (OpenError::None after a success).
    const OpenResult& lastOpenResult() const { return lastOpen_; }
    // The device went away while open: waits give up at once.
    bool deviceLost() const;
    // Asks the device whether it is still there without reading from it
    // (a hang-up shows even with no exchange going on); true when it is gone.
    bool probeDeviceLost();

    bool replyReceived() const { return replyFlag_; }
    const std::array<std::uint8_t, receiveBufferSize>& receiveBuffer() const { return receive_; }
    const std::array<std::uint8_t, replyBufferSize>& replyBuffer() const { return reply_; }
    std::size_t lastReadCount() const { return lastReadCount_; }
    std::size_t queuedCount() const { return queuedCount_; }

    Clock& clock() { return clock_; }

private:
    // One poll of a wait: sleep, then read what is waiting into the receive
    // buffer. The look that confirms a complete answer, a poll after it, is
    // timed on the clock where the timer is too coarse for the poll's sleep.
    void pollOnce(bool confirming = false);
    // Drops whatever comes until the line has been quiet for a whole reply
    // window (bounded, for a line that never falls quiet).
    void waitForQuietLine();
    // Drops what arrives until the line has been quiet for quietMs, or
    // limitMs have passed.
    void dropUntilQuiet(int quietMs, int limitMs);

    SerialDevice& device_;
    Clock& clock_;
    NameResolver resolver_;
    bool portOpen_ = false;
    bool controllerConnected_ = false;
    std::string portName_;
    OpenResult lastOpen_;
    std::array<std::uint8_t, receiveBufferSize> receive_{};
    std::array<std::uint8_t, replyBufferSize> reply_{};
    std::size_t lastReadCount_ = 0;
    std::size_t queuedCount_ = 0;
    std::size_t replyLength_ = 0;
    bool replyFlag_ = false;
    bool replyOverran_ = false;
    bool lineSuspect_ = false;
    // The last poll's sleep took several polls' time: the timer is coarse.
    bool coarseTimer_ = false;
};

}  // namespace dravinor::link
