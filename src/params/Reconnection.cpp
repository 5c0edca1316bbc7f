#include "params/Reconnection.h"

#include "link/StableName.h"
#include "params/ControllerSession.h"

namespace dravinor::params {

Reconnection::Reconnection(ControllerSession& session, link::SystemRoots roots)
    : session_(session), roots_(std::move(roots))
{
}

Reconnection::~Reconnection() = default;

const std::string& Reconnection::watchedName() const
{
    static const std::string none;
    return watcher_ ? watcher_->path() : none;
}

int Reconnection::descriptor() const
{
    return watcher_ ? watcher_->descriptor() : -1;
}

void Reconnection::follow()
{
    link::SerialPort& port = session_.port();
    const auto identity = session_.connection().identity();
    if (!port.portOpen() || !port.controllerConnected() || !identity) {
        // Nothing the fitter did meanwhile found a controller: the wait goes on.
        if (waiting_)
            return;
        following_ = false;
        watcher_.reset();
        return;
    }
    portName_ = port.portName();
    identity_ = *identity;
    following_ = true;
    waiting_ = false;
    const std::string device = session_.portMap().resolve(portName_);
    const std::string name = device.empty() ? std::string{} : link::stableDeviceName(device, roots_);
    if (watcher_ && watcher_->path() == name)
        return;
    watcher_.reset();
    if (name.empty())
        return;
    watcher_ = std::make_unique<link::DeviceWatcher>(name);
    if (!watcher_->start())
        watcher_.reset();  // no inotify: the loss is still told, the return is up to the fitter
}

ReconnectOutcome Reconnection::outcome(ReconnectStep step) const
{
    ReconnectOutcome result;
    result.step = step;
    result.portName = portName_;
    result.expectedIdentity = identity_;
    return result;
}

ReconnectOutcome Reconnection::lose()
{
    // The dead port stays open: its exchanges fail at once, without a
    // frame and without waiting out a reply window, where a closed port
    // would have every poll of the live view wait in vain.
    session_.port().setControllerConnected(false);
    waiting_ = true;
    return outcome(ReconnectStep::Lost);
}

ReconnectOutcome Reconnection::checkLine()
{
    if (!following_ || waiting_ || !session_.port().probeDeviceLost())
        return {};
    return lose();
}

ReconnectOutcome Reconnection::onWatchEvent(bool readPages)
{
    if (!watcher_ || !watcher_->takeChanges() || !following_)
        return {};
    if (!waiting_) {
        // A name that went away is believed once the port says so too: udev
        // also replaces links of a device that stays.
        if (!session_.port().probeDeviceLost())
            return {};
        ReconnectOutcome lost = lose();
        if (!watcher_->present())
            return lost;
        // Gone and back between two looks: try it at once.
    }
    return watcher_->present() ? tryAgain(readPages) : ReconnectOutcome{};
}

ReconnectOutcome Reconnection::tryAgain(bool readPages)
{
    if (!waiting_)
        return {};
    link::SerialPort& port = session_.port();
    link::Connection& connection = session_.connection();
    port.close();
    // The port name now stands for the stable name: the node behind it may
    // have a new number (ttyUSB0 back as ttyUSB1).
    const std::string name = watchedName();
    if (const int index = link::PortMap::portIndex(portName_);
        index >= 0 && !name.empty() && session_.portMap().resolve(portName_) != name)
        session_.portMap().assign(index, name);
    if (!port.open(portName_)) {
        ReconnectOutcome notYet = outcome(ReconnectStep::NotYet);
        notYet.openError = port.lastOpenResult().error;
        return notYet;
    }
    if (!connection.isControllerPresent()) {
        port.close();
        return outcome(ReconnectStep::NotYet);
    }
    // Only a confirmed identity tells the same controller from another: a
    // stray byte must pass for neither.
    const link::TitleUpdate title = connection.versionTitle();
    const auto found = connection.identity();
    if (!found) {
        port.close();
        ReconnectOutcome unclear = outcome(ReconnectStep::NotYet);
        unclear.answeredUnclearly = true;
        return unclear;
    }
    if (*found != identity_) {
        // Not the controller the pages belong to: nothing is read or written.
        port.close();
        ReconnectOutcome other = outcome(ReconnectStep::OtherController);
        other.foundIdentity = *found;
        return other;
    }
    waiting_ = false;
    ReconnectOutcome back = outcome(ReconnectStep::Back);
    if (readPages) {
        back.connection = connection.readIdentified();
        back.pagesRead = true;
        back.readComplete = session_.lastRead().complete();
    } else {
        back.connection.title = title;
    }
    // Pulled out again while it was being read: waiting again, not back.
    if (port.deviceLost())
        return lose();
    port.setControllerConnected(true);
    back.connection.connected = true;
    return back;
}

}  // namespace dravinor::params
