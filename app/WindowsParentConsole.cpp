#include "ParentConsole.h"

#include <cstdio>

#include <windows.h>

namespace dravinor::app {

namespace {

bool handleGiven(DWORD stream)
{
    const HANDLE handle = GetStdHandle(stream);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

}  // namespace

void reachParentConsole()
{
    // A stream the caller redirected (to a file, a pipe) is already handed
    // over and stays where it goes; only the ones left unset go to the console.
    const bool outputGiven = handleGiven(STD_OUTPUT_HANDLE);
    const bool errorGiven = handleGiven(STD_ERROR_HANDLE);
    if (outputGiven && errorGiven)
        return;
    // Started from Explorer or a shortcut there is no parent console: nothing to print to.
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    // cmd does not wait for a window program: its prompt is back at once, and
    // a Ctrl+C typed there later reaches every program on the console. The
    // window is not that prompt's to stop: an unsaved set would go with it.
    SetConsoleCtrlHandler(nullptr, TRUE);
    if (!outputGiven && std::freopen("CONOUT$", "w", stdout))
        std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (!errorGiven && std::freopen("CONOUT$", "w", stderr))
        std::setvbuf(stderr, nullptr, _IONBF, 0);
}

}  // namespace dravinor::app
