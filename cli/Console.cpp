#include "Console.h"

#include <csignal>
#include <poll.h>
#include <unistd.h>

namespace dravinor::cli {

namespace {

std::atomic<bool>* interruptFlag = nullptr;

extern "C" void noteInterrupt(int)
{
    if (interruptFlag)
        *interruptFlag = true;
}

}  // namespace

std::vector<std::string> commandLineArguments(int argc, char** argv)
{
    return {argv, argv + argc};
}

// A terminal takes UTF-8 as it is.
void printUtf8ToConsole() {}

bool inputIsTerminal()
{
    return ::isatty(STDIN_FILENO) == 1;
}

bool outputIsTerminal()
{
    return ::isatty(STDOUT_FILENO) == 1;
}

void catchInterrupts(std::atomic<bool>& interrupted)
{
    interruptFlag = &interrupted;
    struct sigaction action {};
    action.sa_handler = noteInterrupt;
    sigemptyset(&action.sa_mask);
    // A write to a slow pipe goes on; the loops look at the flag between polls.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

WaitingInput takeWaitingInput(std::string& typed)
{
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (poll(&input, 1, 0) <= 0 || !(input.revents & (POLLIN | POLLHUP)))
        return WaitingInput::Nothing;
    char buffer[256];
    const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
    if (n <= 0)
        return WaitingInput::Ended;
    typed.assign(buffer, static_cast<std::size_t>(n));
    return WaitingInput::Taken;
}

}  // namespace dravinor::cli
