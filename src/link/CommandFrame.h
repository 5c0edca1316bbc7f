#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace dravinor::link {

class SerialPort;

// A command to the controller: letter, address, two data bytes, checksum, ';'.
using CommandFrame = std::array<std::uint8_t, 6>;

namespace letter {
inline constexpr std::uint8_t eepromWrite = 's';
inline constexpr std::uint8_t ramWordWrite = 'R';
inline constexpr std::uint8_t ramByteWrite = 'r';
inline constexpr std::uint8_t parameterRead = 'l';
inline constexpr std::uint8_t identify = 'I';
inline constexpr std::uint8_t liveRequest = 'V';
inline constexpr std::uint8_t parameterReply = 'D';
inline constexpr std::uint8_t terminator = ';';
}  // namespace letter

// RAM address of the fuel-mode request, and the values written there.
inline constexpr std::uint8_t fuelModeAddress = 125;
inline constexpr std::uint8_t fuelModeManualPetrol = 2;
inline constexpr std::uint8_t fuelModeAutomatic = 254;
inline constexpr std::uint8_t fuelModeToggle = 255;
// The working copy of parameter p sits at RAM address p + ramOffset.
inline constexpr int ramOffset = 36;
inline constexpr std::size_t liveFrameSize = 10;

constexpr std::uint8_t frameChecksum(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d)
{
    return static_cast<std::uint8_t>(a + b + c + d);
}

constexpr CommandFrame buildFrame(std::uint8_t command, std::uint8_t address, std::uint8_t data1, std::uint8_t data2)
{
    return {command, address, data1, data2, frameChecksum(command, address, data1, data2), letter::terminator};
}

// Checks a parameter-read answer: 'D', value, ('D' + value) mod 256, ';'.
std::optional<std::uint8_t> decodeParameterReply(const std::uint8_t* reply);

// Sending: each clears stale input, then sends the frame. None waits; the
// caller waits as each command needs (see the judges below).
void sendFrame(SerialPort& port, const CommandFrame& frame);
void sendEepromWrite(SerialPort& port, std::uint8_t address, std::uint8_t value);
void sendRamWordWrite(SerialPort& port, std::uint8_t address, std::uint16_t word);
void sendRamByteWrite(SerialPort& port, std::uint8_t address, std::uint8_t value);
void sendParameterRead(SerialPort& port, std::uint8_t address);
void sendIdentify(SerialPort& port);
void sendLiveRequest(SerialPort& port);

// Judging, right after the wait the command calls for.
// 's' and 'R' are acknowledged by their own letter at the head of the answer.
bool waitAcknowledge(SerialPort& port, std::uint8_t commandLetter);
// 'l': collectReply(4) and the reply check; the value when accepted. An
// answer longer than its four bytes is refused as well.
std::optional<std::uint8_t> collectParameterValue(SerialPort& port);

}  // namespace dravinor::link
