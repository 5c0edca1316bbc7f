#include "link/CommandFrame.h"

#include "link/SerialPort.h"

namespace dravinor::link {

std::optional<std::uint8_t> decodeParameterReply(const std::uint8_t* reply)
{
    const std::uint8_t value = reply[1];
    if (reply[0] != letter::parameterReply || reply[3] != letter::terminator)
        return std::nullopt;
    if (reply[2] != static_cast<std::uint8_t>(letter::parameterReply + value))
        return std::nullopt;
    return value;
}

void sendFrame(SerialPort& port, const CommandFrame& frame)
{
    // Whatever waits now belongs to an earlier exchange (a late tail, a
    // longer answer, noise); left there it would be read as this answer.
    port.discardInput();
    port.send(frame.data(), frame.size());
}

void sendEepromWrite(SerialPort& port, std::uint8_t address, std::uint8_t value)
{
    sendFrame(port, buildFrame(letter::eepromWrite, address, value, 0));
}

void sendRamWordWrite(SerialPort& port, std::uint8_t address, std::uint16_t word)
{
    sendFrame(port, buildFrame(letter::ramWordWrite, address, static_cast<std::uint8_t>(word >> 8),
                               static_cast<std::uint8_t>(word & 0xFF)));
}

void sendRamByteWrite(SerialPort& port, std::uint8_t address, std::uint8_t value)
{
    sendFrame(port, buildFrame(letter::ramByteWrite, address, value, 0));
}

void sendParameterRead(SerialPort& port, std::uint8_t address)
{
    sendFrame(port, buildFrame(letter::parameterRead, address, 0, 0));
}

void sendIdentify(SerialPort& port)
{
    sendFrame(port, buildFrame(letter::identify, 0, 0, 0));
}

void sendLiveRequest(SerialPort& port)
{
    sendFrame(port, buildFrame(letter::liveRequest, 0, 0, 0));
}

bool waitAcknowledge(SerialPort& port, std::uint8_t commandLetter)
{
    if (!port.waitReply())
        return false;
    if (port.receiveBuffer()[0] != commandLetter) {
        port.noteBadReply();
        return false;
    }
    return true;
}

std::optional<std::uint8_t> collectParameterValue(SerialPort& port)
{
    if (!port.collectReply(4))
        return std::nullopt;
    // More than the four bytes of one answer: an earlier, late answer may
    // stand at its head, so the value cannot be trusted to be this address's.
    if (port.replyOverran())
        return std::nullopt;
    const auto value = decodeParameterReply(port.replyBuffer().data());
    if (!value)
        port.noteBadReply();
    return value;
}

}  // namespace dravinor::link
