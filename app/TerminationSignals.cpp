#include "QuitOnSignal.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace dravinor::app {

namespace {

// Written by the handler, read on the GUI thread: the only async-signal-safe
// way into the event loop.
int signalPipe[2] = {-1, -1};
Termination* signalled = nullptr;

extern "C" void noteSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
}

}  // namespace

bool terminationRequested()
{
    return signalled && signalled->requested();
}

void quitOnTerminationSignals(QCoreApplication& application)
{
    if (signalPipe[0] >= 0)
        return;  // one application per process
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;  // the default handling stays
    signalled = new Termination(application);
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, &application, [] {
        char byte = 0;
        [[maybe_unused]] const auto got = ::read(signalPipe[1], &byte, 1);
        signalled->request();
    });
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

}  // namespace dravinor::app
