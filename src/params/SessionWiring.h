#pragma once

#include "link/Clock.h"
#include "link/SerialDevice.h"

#include <filesystem>
#include <memory>

namespace dravinor::params {

// What a session talks through, given by its caller: the program leaves it
// empty and gets the termios device, the system clock and the user's
// journal; tests hand in a simulated line, a fake clock and a folder of
// their own.
struct SessionWiring {
    std::shared_ptr<link::SerialDevice> device;  // null: the termios device
    std::shared_ptr<link::Clock> clock;          // null: the system clock
    std::filesystem::path journalPath;           // empty: WriteJournal::defaultPath()
};

}  // namespace dravinor::params
