#include "DisplayCheck.h"

#include <cstdio>
#include <cstdlib>

namespace dravinor::app {

// X11 and Wayland: the window needs a display named before Qt tries it.
bool prepareForDisplay(int argc, char** argv, DisplayOpenGuard& guard)
{
    const auto environment = [](const char* name) -> const char* { return std::getenv(name); };
    const std::string display = namedDisplay(argc, argv, environment);
    switch (lookForDisplay(argc, argv, environment)) {
    case DisplayOutlook::Missing: std::fprintf(stderr, "%s\n", noDisplayLine(display).c_str()); return false;
    case DisplayOutlook::Named: guard.arm(display); break;
    case DisplayOutlook::NotNeeded: break;
    }
    return true;
}

}  // namespace dravinor::app
