#include "TickSchedule.h"

#include <poll.h>
#include <unistd.h>

namespace dravinor::cli {

namespace {

long long nanos(const timespec& t)
{
    return static_cast<long long>(t.tv_sec) * 1'000'000'000LL + t.tv_nsec;
}

timespec now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t;
}

}  // namespace

TickSchedule::TickSchedule() : start_(now()), deadline_(start_) {}

long TickSchedule::elapsedMs() const
{
    return static_cast<long>((nanos(now()) - nanos(start_)) / 1'000'000);
}

void TickSchedule::waitForNextTick(bool watchInput, int& enters, const std::atomic<bool>& interrupted)
{
    long long deadline = nanos(deadline_) + periodNs;
    if (nanos(now()) > deadline)
        deadline = nanos(now());  // late: the next tick starts now, once
    deadline_.tv_sec = static_cast<time_t>(deadline / 1'000'000'000LL);
    deadline_.tv_nsec = static_cast<long>(deadline % 1'000'000'000LL);

    for (;;) {
        if (interrupted)
            return;
        const long long remaining = deadline - nanos(now());
        if (remaining <= 0)
            return;
        const int timeoutMs = static_cast<int>((remaining + 999'999) / 1'000'000);
        if (!watchInput || !inputOpen_) {
            timespec pause{static_cast<time_t>(remaining / 1'000'000'000LL),
                           static_cast<long>(remaining % 1'000'000'000LL)};
            nanosleep(&pause, nullptr);
            continue;
        }
        pollfd input{STDIN_FILENO, POLLIN, 0};
        if (poll(&input, 1, timeoutMs) <= 0 || !(input.revents & (POLLIN | POLLHUP)))
            continue;
        char buffer[256];
        const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            inputOpen_ = false;  // end of input: nothing more will be typed
            continue;
        }
        for (ssize_t i = 0; i < n; ++i)
            enters += buffer[i] == '\n' ? 1 : 0;
    }
}

}  // namespace dravinor::cli
