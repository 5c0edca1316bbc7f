#include "DisplayCheck.h"

namespace dravinor::app {

// Windows always has its desktop: Qt's windows platform needs no display
// named, and DISPLAY (set under wine, say) means nothing to it.
bool prepareForDisplay(int, char**, DisplayOpenGuard&)
{
    return true;
}

}  // namespace dravinor::app
