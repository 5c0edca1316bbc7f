#include "link/WindowsSerialDevice.h"

#include "link/WindowsText.h"

#include <windows.h>

#include <timeapi.h>

namespace dravinor::link {

namespace {

HANDLE handleOf(void* handle)
{
    return static_cast<HANDLE>(handle);
}

OpenResult openFailure(DWORD error)
{
    const std::string text = systemErrorText(error);
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_INVALID_NAME: return {OpenError::NotFound, text};
    // Windows says "access denied" for a port another program has open.
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: return {OpenError::Busy, text};
    default: return {OpenError::Other, text};
    }
}

// The errors of a port whose adapter has gone (unplugged USB, removed driver).
bool meansGone(DWORD error)
{
    switch (error) {
    case ERROR_BAD_COMMAND:
    case ERROR_DEVICE_REMOVED:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_GEN_FAILURE:
    case ERROR_INVALID_HANDLE:
    case ERROR_OPERATION_ABORTED:
    case ERROR_NOT_READY:
    case ERROR_FILE_NOT_FOUND: return true;
    default: return false;
    }
}

}  // namespace

std::string WindowsSerialDevice::devicePathOf(const std::string& name)
{
    return name.rfind("\\\\.\\", 0) == 0 ? name : "\\\\.\\" + name;
}

WindowsSerialDevice::~WindowsSerialDevice()
{
    close();
}

OpenResult WindowsSerialDevice::open(const std::string& path)
{
    close();
    hungUp_ = false;
    const std::wstring device = wideFromUtf8(devicePathOf(path));
    // No sharing: a second program gets ERROR_ACCESS_DENIED.
    const HANDLE port =
        CreateFileW(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE)
        return openFailure(GetLastError());

    DCB state{};
    state.DCBlength = sizeof state;
    if (!GetCommState(port, &state)) {
        const DWORD error = GetLastError();
        CloseHandle(port);
        return {OpenError::NotATerminal, systemErrorText(error)};
    }
    state.BaudRate = CBR_9600;
    state.ByteSize = 8;
    state.Parity = NOPARITY;
    state.StopBits = ONESTOPBIT;
    state.fBinary = TRUE;
    state.fParity = FALSE;
    state.fOutxCtsFlow = FALSE;
    state.fOutxDsrFlow = FALSE;
    state.fDtrControl = DTR_CONTROL_DISABLE;
    state.fDsrSensitivity = FALSE;
    state.fOutX = FALSE;
    state.fInX = FALSE;
    state.fErrorChar = FALSE;
    state.fNull = FALSE;
    state.fRtsControl = RTS_CONTROL_DISABLE;
    state.fAbortOnError = FALSE;
    if (!SetCommState(port, &state)) {
        const DWORD error = GetLastError();
        CloseHandle(port);
        return {OpenError::NotATerminal, systemErrorText(error)};
    }
    // Reads return at once with what has come; a write that cannot finish
    // in half a second belongs to a stuck adapter.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.WriteTotalTimeoutConstant = 500;
    SetCommTimeouts(port, &timeouts);
    PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR | PURGE_RXABORT | PURGE_TXABORT);
    timeBeginPeriod(1);
    handle_ = port;
    return {};
}

void WindowsSerialDevice::close()
{
    if (!handle_)
        return;
    CloseHandle(handleOf(handle_));
    handle_ = nullptr;
    timeEndPeriod(1);
}

void WindowsSerialDevice::noteFailure(unsigned long error)
{
    if (meansGone(error))
        hungUp_ = true;
}

// A virtual port (USB CDC without lines, wine's pty) may refuse RTS: the
// interface is then keyed by the data itself, and nothing is wrong.
void WindowsSerialDevice::setRts(bool on)
{
    if (handle_)
        EscapeCommFunction(handleOf(handle_), on ? SETRTS : CLRRTS);
}

bool WindowsSerialDevice::write(const std::uint8_t* data, std::size_t count)
{
    if (!handle_)
        return false;
    while (count > 0) {
        DWORD written = 0;
        if (!WriteFile(handleOf(handle_), data, static_cast<DWORD>(count), &written, nullptr)) {
            noteFailure(GetLastError());
            return false;
        }
        if (written == 0)
            return false;  // the write time-out ran out: a stuck adapter
        data += written;
        count -= written;
    }
    return true;
}

void WindowsSerialDevice::drainOutput()
{
    if (handle_ && !FlushFileBuffers(handleOf(handle_)))
        noteFailure(GetLastError());
}

void WindowsSerialDevice::discardInput()
{
    if (handle_ && !PurgeComm(handleOf(handle_), PURGE_RXCLEAR))
        noteFailure(GetLastError());
}

std::size_t WindowsSerialDevice::queuedCount()
{
    if (!handle_)
        return 0;
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(handleOf(handle_), &errors, &status)) {
        noteFailure(GetLastError());
        return 0;
    }
    return status.cbInQue;
}

std::size_t WindowsSerialDevice::read(std::uint8_t* buffer, std::size_t max)
{
    if (!handle_ || max == 0)
        return 0;
    DWORD got = 0;
    if (!ReadFile(handleOf(handle_), buffer, static_cast<DWORD>(max), &got, nullptr)) {
        noteFailure(GetLastError());
        return 0;
    }
    return got;
}

}  // namespace dravinor::link
