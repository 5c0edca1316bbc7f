#include "link/Clock.h"

#include <cerrno>
#include <ctime>
#include <sys/prctl.h>

namespace dravinor::link {

void SystemClock::sleepMs(int ms)
{
    if (ms <= 0)
        return;
    // The default 50 us timer slack would stretch every 2 ms poll of an
    // exchange; a reply wait is a chain of them.
    thread_local const bool tightTimers = ::prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0) == 0;
    (void)tightTimers;
    timespec request{ms / 1000, (ms % 1000) * 1000000L};
    while (nanosleep(&request, &request) != 0 && errno == EINTR) {}
}

std::uint32_t SystemClock::tickMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint32_t>(now.tv_sec * 1000ULL + now.tv_nsec / 1000000);
}

std::uint32_t SystemClock::tickUs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint32_t>(now.tv_sec * 1000000ULL + now.tv_nsec / 1000);
}

}  // namespace dravinor::link
