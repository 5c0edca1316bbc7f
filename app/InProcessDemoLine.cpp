#include "InProcessDemoLine.h"

#include "InProcessController.h"

#include <algorithm>
#include <cstdint>

namespace dravinor::app {

link::OpenResult InProcessDemoLine::open(const std::string& devicePath)
{
    if (devicePath != path)
        return {link::OpenError::NotFound, "No such file or directory"};
    // One port at a time, as an exclusive open of a real device allows.
    if (open_)
        return {link::OpenError::Busy, "Device or resource busy"};
    open_ = true;
    // What came while nobody listened is gone, as a fresh open of a device flushes it.
    discardInput();
    return {};
}

bool InProcessDemoLine::write(const std::uint8_t* data, std::size_t count)
{
    if (!open_)
        return false;
    controller_.receive(data, count);
    return true;
}

void InProcessDemoLine::discardInput()
{
    if (open_)
        (void)controller_.takeDue(SIZE_MAX);
}

std::size_t InProcessDemoLine::queuedCount()
{
    return open_ ? controller_.dueCount() : 0;
}

std::size_t InProcessDemoLine::read(std::uint8_t* buffer, std::size_t max)
{
    if (!open_)
        return 0;
    const auto due = controller_.takeDue(max);
    std::copy(due.begin(), due.end(), buffer);
    return due.size();
}

}  // namespace dravinor::app
