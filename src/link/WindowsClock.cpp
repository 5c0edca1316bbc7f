#include "link/Clock.h"

#include <windows.h>

namespace dravinor::link {

// Sleep() is as fine as the system timer: 1 ms while a port is open (the
// serial device raises it with timeBeginPeriod), 15.6 ms otherwise.
void SystemClock::sleepMs(int ms)
{
    if (ms > 0)
        Sleep(static_cast<DWORD>(ms));
}

namespace {

// The performance counter in units per second (1000 or 1000000); it wraps
// as the tick does.
std::uint32_t counterIn(LONGLONG unitsPerSecond)
{
    static const LONGLONG frequency = [] {
        LARGE_INTEGER value{};
        QueryPerformanceFrequency(&value);
        return value.QuadPart;
    }();
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    // Whole seconds and the rest apart, so that the product cannot overflow.
    const LONGLONG seconds = now.QuadPart / frequency;
    const LONGLONG rest = now.QuadPart % frequency;
    return static_cast<std::uint32_t>(seconds * unitsPerSecond + rest * unitsPerSecond / frequency);
}

}  // namespace

std::uint32_t SystemClock::tickMs()
{
    return counterIn(1000);
}

std::uint32_t SystemClock::tickUs()
{
    return counterIn(1000000);
}

}  // namespace dravinor::link
