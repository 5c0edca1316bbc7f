#pragma once

#include <atomic>
#include <string>

namespace dravinor::cli {

// The console or terminal the tool runs in, one file per system.

// Whether standard input, or standard output, is a terminal (a console
// window on Windows), not a file or a pipe.
bool inputIsTerminal();
bool outputIsTerminal();

// Ctrl+C (and a termination request, where the system sends one) sets
// interrupted instead of ending the program: the command closes its port,
// prints its summary and ends with its own exit code.
void catchInterrupts(std::atomic<bool>& interrupted);

// What standard input holds now, taken without waiting: Enter comes as '\n'.
enum class WaitingInput { Nothing, Taken, Ended };
WaitingInput takeWaitingInput(std::string& typed);

}  // namespace dravinor::cli
