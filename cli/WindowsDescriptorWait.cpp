#include "DescriptorWait.h"

#include <windows.h>

namespace dravinor::cli {

// The Windows device watcher hands out no descriptor to wait on: a lost
// port is found by trying it again, so the wait is the time alone.
bool waitReadable(int, int timeoutMs)
{
    Sleep(static_cast<DWORD>(timeoutMs));
    return false;
}

}  // namespace dravinor::cli
