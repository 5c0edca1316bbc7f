#include "Connection.h"

#include "CommandFrame.h"
#include "PortMap.h"

#include <utility>

namespace dravinor::link {

Connection::Connection(SerialPort& port, std::function<void()> readAllParameters)
    : port_(port), readAllParameters_(std::move(readAllParameters))
{
}

void Connection::showStatus(ConnectionOutcome& outcome, StatusUpdate update)
{
    outcome.status = update;
    if (listener_)
        listener_(update);
}

bool Connection::isControllerPresent()
{
    sendIdentify(port_);
    if (!port_.waitReply())
        return false;
    // Kept at once: the read that follows resynchronises on this byte.
    identity_ = port_.receiveBuffer()[0];
    return true;
}

std::string Connection::versionTextFor(std::uint8_t identity)
{
    const int type = identity & 0x0F;
    const int version = identity >> 4;
    std::string text = "[ ";
    if (type == 1 || type == 2)
        text += " ";
    return text + "wersja sterownika " + std::to_string(version) + " ]";
}

std::string Connection::versionText()
{
    sendIdentify(port_);
    port_.waitReply();
    identity_ = port_.receiveBuffer()[0];
    return versionTextFor(*identity_);
}

ConnectionOutcome Connection::connectToPort(const std::string& name)
{
    ConnectionOutcome outcome;
    identity_.reset();
    if (!port_.open(name)) {
        showStatus(outcome, {StatusLine::First, StatusMessage::CannotOpenPort, {}});
        outcome.title.kind = TitleUpdate::Kind::NoController;
        port_.setControllerConnected(false);
        return outcome;
    }
    if (!isControllerPresent()) {
        // The port stays open: the fitter may retry through the menu.
        showStatus(outcome, {StatusLine::First, StatusMessage::WrongController, {}});
        outcome.title.kind = TitleUpdate::Kind::NoController;
        port_.setControllerConnected(false);
        return outcome;
    }
    showStatus(outcome, {StatusLine::First, StatusMessage::PortOpen, {}});
    if (readAllParameters_)
        readAllParameters_();
    port_.setControllerConnected(true);
    outcome.connected = true;
    outcome.title = {TitleUpdate::Kind::Version, versionText()};
    return outcome;
}

ConnectionOutcome Connection::choosePortItem(int index)
{
    port_.close();
    ConnectionOutcome outcome = connectToPort(PortMap::portName(index));
    outcome.checks = outcome.connected ? PortChecks{PortChecks::Kind::Only, index}
                                       : PortChecks{PortChecks::Kind::None, -1};
    return outcome;
}

ConnectionOutcome Connection::autodetectFromMenu()
{
    currentPortIndex_ = 0;
    port_.close();
    ConnectionOutcome outcome = autodetect();
    if (outcome.checks.kind == PortChecks::Kind::Unchanged)
        outcome.checks.kind = PortChecks::Kind::None;
    return outcome;
}

ConnectionOutcome Connection::autodetect()
{
    ConnectionOutcome outcome;
    int portsLeft = menuPortCount;
    int triesLeft = silentTries;
    identity_.reset();
    port_.setControllerConnected(false);
    port_.close();
    while (portsLeft > 0 && !outcome.connected) {
        const bool known = currentPortIndex_ >= 0 && currentPortIndex_ < PortMap::portCount;
        const std::string name = known ? PortMap::portName(currentPortIndex_) : std::string{};
        if (!known || !port_.open(name)) {
            if (known)
                outcome.attempts.push_back({name, port_.lastOpenResult()});
            ++currentPortIndex_;
            --portsLeft;
            showStatus(outcome, {StatusLine::First, StatusMessage::CannotOpenPort, {}});
        } else if (isControllerPresent()) {
            if (readAllParameters_)
                readAllParameters_();
            showStatus(outcome, {StatusLine::First, StatusMessage::PortOpen, name});
            port_.setControllerConnected(true);
            outcome.title = {TitleUpdate::Kind::Version, versionText()};
            if (currentPortIndex_ < menuPortCount)
                outcome.checks = {PortChecks::Kind::Only, currentPortIndex_};
            outcome.connected = true;
        } else {
            // A silent port is tried again before the scan moves on; these
            // tries do not count against the ports left.
            if (--triesLeft <= 0) {
                outcome.attempts.push_back({name, {}});
                ++currentPortIndex_;
                triesLeft = silentTries;
            }
            port_.close();
            showStatus(outcome, {StatusLine::First, StatusMessage::WrongController, {}});
            port_.clock().sleepMs(pauseAfterSilentTryMs);
        }
    }
    return outcome;
}

ConnectionOutcome Connection::reidentify()
{
    ConnectionOutcome outcome;
    if (isControllerPresent()) {
        if (readAllParameters_)
            readAllParameters_();
        showStatus(outcome, {StatusLine::Second, StatusMessage::PortOpen, port_.portName()});
        outcome.title = {TitleUpdate::Kind::Version, versionText()};
        outcome.connected = true;
    } else {
        showStatus(outcome, {StatusLine::First, StatusMessage::WrongController, {}});
    }
    return outcome;
}

}  // namespace dravinor::link
