#pragma once

#include <atomic>
#include <string>
#include <vector>

namespace dravinor::cli {

// The console or terminal the tool runs in, one file per system.

// The command line as UTF-8, the tool's own text. On Windows argv is in the
// ANSI code page, which has no "Ż" on a Russian system and no "Ж" on a
// Polish one: the wide command line is taken instead.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// Lets a console show the UTF-8 the tool prints (Windows' console shows its
// own code page otherwise); the console's code page is put back at exit.
void printUtf8ToConsole();

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
