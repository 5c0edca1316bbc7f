#include "InProcessController.h"

namespace dravinor::sim {

InProcessController::InProcessController(SimulatorOptions options)
    : origin_(std::chrono::steady_clock::now()), line_(options)
{
}

std::int64_t InProcessController::nowNs() const
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - origin_).count();
}

void InProcessController::receive(const std::uint8_t* data, std::size_t count)
{
    line_.receive(data, count, nowNs());
}

std::size_t InProcessController::dueCount() const
{
    return line_.dueCount(nowNs());
}

std::vector<std::uint8_t> InProcessController::takeDue(std::size_t max)
{
    return line_.takeDue(nowNs(), max);
}

void InProcessController::setEngineRunning(bool running)
{
    line_.core().engineAt(secondsNow()).setRunning(running);
}

void InProcessController::setThrottle(double zeroToOne)
{
    line_.core().engineAt(secondsNow()).setThrottle(zeroToOne);
}

void InProcessController::setReducerScrew(double minusOneToOne)
{
    line_.core().engineAt(secondsNow()).setReducerScrew(minusOneToOne);
}

void InProcessController::setFitterEnabled(bool enabled)
{
    line_.core().setFitterEnabled(enabled, secondsNow());
}

void InProcessController::setProbeModel(ProbeModel model)
{
    line_.core().engineAt(secondsNow()).setProbeModel(model);
}

EngineView InProcessController::engineView()
{
    return viewOfEngine(line_.core(), secondsNow());
}

}  // namespace dravinor::sim
