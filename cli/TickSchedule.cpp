#include "TickSchedule.h"

#include "Console.h"

#include <algorithm>
#include <string>

namespace dravinor::cli {

TickSchedule::TickSchedule(link::Clock& clock) : clock_(clock), startMs_(clock.tickMs()), deadlineMs_(startMs_) {}

long TickSchedule::elapsedMs() const
{
    return static_cast<long>(clock_.tickMs() - startMs_);
}

bool TickSchedule::readInput(int& enters)
{
    std::string typed;
    switch (takeWaitingInput(typed)) {
    case WaitingInput::Nothing: return false;
    case WaitingInput::Ended: inputOpen_ = false; return false;  // nothing more will be typed
    case WaitingInput::Taken: break;
    }
    enters += static_cast<int>(std::count(typed.begin(), typed.end(), '\n'));
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
