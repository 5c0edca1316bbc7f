#include "TickSchedule.h"

#include <algorithm>
#include <poll.h>
#include <unistd.h>

namespace dravinor::cli {

TickSchedule::TickSchedule(link::Clock& clock) : clock_(clock), startMs_(clock.tickMs()), deadlineMs_(startMs_) {}

long TickSchedule::elapsedMs() const
{
    return static_cast<long>(clock_.tickMs() - startMs_);
}

bool TickSchedule::readInput(int& enters)
{
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (poll(&input, 1, 0) <= 0 || !(input.revents & (POLLIN | POLLHUP)))
        return false;
    char buffer[256];
    const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
    if (n <= 0) {
        inputOpen_ = false;  // end of input: nothing more will be typed
        return false;
    }
    enters += static_cast<int>(std::count(buffer, buffer + n, '\n'));
    return true;
}

void TickSchedule::waitForNextTick(bool watchInput, int& enters, const std::atomic<bool>& interrupted)
{
    deadlineMs_ += periodMs;
    if (static_cast<std::int32_t>(clock_.tickMs() - deadlineMs_) > 0)
        deadlineMs_ = clock_.tickMs();  // late: the next tick starts now, once

    for (;;) {
        if (interrupted)
            return;
        const auto remaining = static_cast<std::int32_t>(deadlineMs_ - clock_.tickMs());
        if (remaining <= 0)
            return;
        if (!watchInput || !inputOpen_) {
            clock_.sleepMs(remaining);
            continue;
        }
        if (!readInput(enters))
            clock_.sleepMs(std::min<std::int32_t>(remaining, inputSliceMs));
    }
}

}  // namespace dravinor::cli
