#include "link/Connection.h"

#include "link/CommandFrame.h"
#include "link/LineSync.h"
#include "link/PortMap.h"

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
    identity_.reset();
    candidate_.reset();
    // After a fault only a resynchronisation tells a late answer of an
    // earlier exchange from the identity.
    if (port_.lineSuspect()) {
        const SyncResult sync = synchronise(port_, std::nullopt);
        identity_ = sync.identity;
        return sync.outcome == SyncOutcome::Synchronised || sync.outcome == SyncOutcome::Garbled;
    }
    sendIdentify(port_);
    if (!port_.waitReply())
        return false;
    // A stray byte may come ahead of the identity byte (noise at plug-in, a
    // late byte of another program): one lone byte is only a first vote, and
    // more than one is none.
    if (port_.lastReadCount() == 1)
        candidate_ = port_.receiveBuffer()[0];
    else
        port_.noteBadReply();
    return true;
}

bool Connection::confirmIdentity()
{
    const std::optional<std::uint8_t> known = identity_ ? identity_ : candidate_;
    candidate_.reset();
    std::optional<std::uint8_t> hint = known;
    // On a line in step, one identify answered by the same byte, alone and
    // with nothing behind it, confirms it: on a clean line nothing more is
    // sent. (A stray byte may precede every answer, as a transmitter
    // keyed on can give: the identity byte then follows it at once.)
    if (!port_.lineSuspect()) {
        sendIdentify(port_);
        if (port_.waitReply() && port_.lastReadCount() == 1 && port_.staysQuiet(quietPollsAfterAnswer)) {
            const std::uint8_t answer = port_.receiveBuffer()[0];
            if (known == answer) {
                identity_ = answer;
                return true;
            }
            hint = answer;
        }
        // Late, crowded or another byte: what else is still on its way?
        port_.noteBadReply();
    }
    const SyncResult sync = synchronise(port_, std::nullopt, Patience::Spaced, hint);
    if (sync.outcome == SyncOutcome::Synchronised)
        identity_ = sync.identity;
    return identity_.has_value();
}

TitleUpdate Connection::versionTitle()
{
    if (confirmIdentity())
        return {TitleUpdate::Kind::Version, ControllerIdentity(*identity_).versionTitle()};
    return {TitleUpdate::Kind::VersionUnknown, {}};
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
    outcome.title = versionTitle();
    return outcome;
}

ConnectionOutcome Connection::connectToPortWithTries(const std::string& name)
{
    for (int tries = 1;; ++tries) {
        ConnectionOutcome outcome = connectToPort(name);
        // Only a port that opened and stayed silent is worth asking again;
        // the last one stays open, as a silent menu choice leaves it.
        if (outcome.connected || !port_.portOpen() || tries == silentTries)
            return outcome;
        port_.close();
        port_.clock().sleepMs(pauseAfterSilentTryMs);
    }
}

ConnectionOutcome Connection::choosePortItem(int index)
{
    port_.close();
    ConnectionOutcome outcome = connectToPort(PortMap::portName(index));
    outcome.checks =
        outcome.connected ? PortChecks{PortChecks::Kind::Only, index} : PortChecks{PortChecks::Kind::None, -1};
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
            outcome.title = versionTitle();
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
    if (isControllerPresent())
        return readIdentified();
    ConnectionOutcome outcome;
    showStatus(outcome, {StatusLine::First, StatusMessage::WrongController, {}});
    return outcome;
}

ConnectionOutcome Connection::readIdentified()
{
    ConnectionOutcome outcome;
    if (readAllParameters_)
        readAllParameters_();
    showStatus(outcome, {StatusLine::Second, StatusMessage::PortOpen, port_.portName()});
    outcome.title = versionTitle();
    outcome.connected = true;
    return outcome;
}

}  // namespace dravinor::link
