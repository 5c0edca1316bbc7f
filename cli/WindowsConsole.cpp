#include "Console.h"

#include <conio.h>
#include <cstdlib>
#include <windows.h>

#include <shellapi.h>

namespace dravinor::cli {

namespace {

std::atomic<bool>* interruptFlag = nullptr;

// The system calls it on a thread of its own; the loops look at the flag
// between their polls. Closing the console window is left to the system.
BOOL WINAPI noteConsoleEvent(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    if (interruptFlag)
        *interruptFlag = true;
    return TRUE;
}

// A console answers GetConsoleMode; a file, a pipe or NUL does not.
bool isConsole(DWORD standardHandle)
{
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(standardHandle), &mode) != 0;
}

constexpr DWORD bufferSize = 256;

WaitingInput readAtMost(HANDLE input, DWORD count, std::string& typed)
{
    char buffer[bufferSize];
    DWORD got = 0;
    if (!ReadFile(input, buffer, count < bufferSize ? count : bufferSize, &got, nullptr) || got == 0)
        return WaitingInput::Ended;
    typed.assign(buffer, got);
    return WaitingInput::Taken;
}

std::string utf8Of(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    utf8.pop_back();  // the terminating zero
    return utf8;
}

UINT consoleCodePageBefore = 0;

void restoreConsoleCodePage()
{
    SetConsoleOutputCP(consoleCodePageBefore);
}

}  // namespace

std::vector<std::string> commandLineArguments(int argc, char** argv)
{
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide)
        return {argv, argv + argc};
    std::vector<std::string> arguments;
    arguments.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        arguments.push_back(utf8Of(wide[i]));
    LocalFree(wide);
    return arguments;
}

void printUtf8ToConsole()
{
    if (!isConsole(STD_OUTPUT_HANDLE) && !isConsole(STD_ERROR_HANDLE))
        return;
    consoleCodePageBefore = GetConsoleOutputCP();
    if (consoleCodePageBefore != CP_UTF8 && SetConsoleOutputCP(CP_UTF8))
        std::atexit(restoreConsoleCodePage);
}

bool inputIsTerminal()
{
    return isConsole(STD_INPUT_HANDLE);
}

bool outputIsTerminal()
{
    return isConsole(STD_OUTPUT_HANDLE);
}

void catchInterrupts(std::atomic<bool>& interrupted)
{
    interruptFlag = &interrupted;
    SetConsoleCtrlHandler(noteConsoleEvent, TRUE);
}

WaitingInput takeWaitingInput(std::string& typed)
{
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (isConsole(STD_INPUT_HANDLE)) {
        // Keys one by one: a console read would wait for the whole line.
        if (!_kbhit())
            return WaitingInput::Nothing;
        typed.clear();
        while (_kbhit()) {
            const int key = _getch();
            typed += key == '\r' ? '\n' : static_cast<char>(key);
        }
        return WaitingInput::Taken;
    }
    if (GetFileType(input) == FILE_TYPE_PIPE) {
        DWORD waiting = 0;
        if (!PeekNamedPipe(input, nullptr, 0, nullptr, &waiting, nullptr))
            return WaitingInput::Ended;  // the writer has gone
        return waiting == 0 ? WaitingInput::Nothing : readAtMost(input, waiting, typed);
    }
    // A file (or NUL) never makes a read wait.
    return readAtMost(input, bufferSize, typed);
}

}  // namespace dravinor::cli
