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

std::uint32_t SystemClock::tickMs()
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
    return static_cast<std::uint32_t>(seconds * 1000 + rest * 1000 / frequency);
}

}  // namespace dravinor::link
