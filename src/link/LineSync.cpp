#include "link/LineSync.h"

#include "link/CommandFrame.h"
#include "link/Deadline.h"
#include "link/SerialPort.h"

#include <array>

namespace dravinor::link {

namespace {

struct Heard {
    std::size_t count = 0;
    std::uint8_t last = 0;
    bool quiet = false;  // a whole reply window passed after the last byte
    bool lost = false;
};

// Reads everything waiting; returns how many bytes came and keeps the last.
std::size_t drain(SerialPort& port, Heard* heard = nullptr)
{
    std::array<std::uint8_t, 256> chunk{};
    std::size_t total = 0;
    while (const std::size_t n = port.readAvailable(chunk.data(), chunk.size())) {
        total += n;
        if (heard) {
            heard->count += n;
            heard->last = chunk[n - 1];
        }
    }
    return total;
}

Heard listenUntilQuiet(SerialPort& port)
{
    Heard heard;
    Clock& clock = port.clock();
    const Deadline firstByte(clock, sync::firstByteWindows * SerialPort::replyWindowMs);
    const Deadline longest(clock, sync::longestWindows * SerialPort::replyWindowMs);
    Deadline quiet(clock, SerialPort::replyWindowMs);
    do {
        if (port.deviceLost()) {
            heard.lost = true;
            return heard;
        }
        clock.sleepMs(SerialPort::pollSleepMs);
        if (drain(port, &heard) > 0)
            quiet.restart();
        if (heard.count == 0 && firstByte.passed())
            return heard;
        if (heard.count > 0 && quiet.passed()) {
            heard.quiet = true;
            return heard;
        }
    } while (!longest.passed());
    return heard;
}

SyncResult inStep(SerialPort& port, std::uint8_t identity)
{
    port.noteLineInStep();
    return {SyncOutcome::Synchronised, identity};
}

SyncResult ended(SyncOutcome outcome)
{
    return {outcome, std::nullopt};
}

}  // namespace

SyncResult synchronise(SerialPort& port, std::optional<std::uint8_t> identity, Patience patience,
                       std::optional<std::uint8_t> hint)
{
    const int silentTriesAllowed = patience == Patience::Spaced ? sync::silentTries : 1;
    const CommandFrame identify = buildFrame(letter::identify, 0, 0, 0);
    // With an unknown identity: the lone answer the next one must repeat.
    bool voted = !identity && hint;
    std::uint8_t vote = hint.value_or(0);
    int silentTries = 0;
    for (int attempt = 0; attempt < sync::attempts; ++attempt) {
        if (!port.portOpen() || port.deviceLost())
            return ended(SyncOutcome::NoPort);
        // Whatever waits already is owed to earlier commands; the identify
        // answer comes after it anyway.
        drain(port);
        if (!port.send(identify.data(), identify.size()))
            return ended(port.deviceLost() ? SyncOutcome::NoPort : SyncOutcome::Silent);
        const Heard heard = listenUntilQuiet(port);
        if (heard.lost)
            return ended(SyncOutcome::NoPort);
        // Nothing at all in a dozen windows: the controller may be pausing
        // (a brown-out, a busy moment) and deaf to this identify. Only when
        // the spaced tries all go unanswered is nobody there.
        if (heard.count == 0) {
            if (++silentTries >= silentTriesAllowed)
                return ended(SyncOutcome::Silent);
            continue;
        }
        // Anything before the identity byte was owed: it has come now, but
        // only an answer with nothing ahead of it shows that nothing more is.
        const bool alone = heard.quiet && heard.count == 1;
        if (alone && identity && heard.last == *identity)
            return inStep(port, *identity);
        if (alone && !identity) {
            if (voted && vote == heard.last)
                return inStep(port, heard.last);
            voted = true;
            vote = heard.last;
        }
    }
    return ended(SyncOutcome::Garbled);
}

}  // namespace dravinor::link
