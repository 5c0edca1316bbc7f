#include "QuitOnSignal.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <windows.h>

namespace dravinor::app {

namespace {

Termination* signalled = nullptr;

// Ctrl+C or Ctrl+Break in the console the program was started from. The
// system calls this on a thread of its own: the request goes to the GUI
// thread's event loop. Closing a window is Qt's own business.
BOOL WINAPI noteConsoleEvent(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    QMetaObject::invokeMethod(
        signalled, [] { signalled->request(); }, Qt::QueuedConnection);
    return TRUE;
}

}  // namespace

bool terminationRequested()
{
    return signalled && signalled->requested();
}

void quitOnTerminationSignals(QCoreApplication& application)
{
    if (signalled)
        return;  // one application per process
    signalled = new Termination(application);
    SetConsoleCtrlHandler(noteConsoleEvent, TRUE);
}

}  // namespace dravinor::app
