#include "ParentConsole.h"

namespace dravinor::app {

// A POSIX program's streams are its terminal's, or wherever they were redirected.
void reachParentConsole() {}

}  // namespace dravinor::app
