#pragma once

#include "link/Connection.h"
#include "link/DeviceWatcher.h"
#include "link/PortReport.h"

#include <cstdint>
#include <memory>
#include <string>

namespace dravinor::params {

class ControllerSession;

// What became of the connection being followed.
enum class ReconnectStep {
    Nothing,          // nothing changed
    Lost,             // the adapter went away: nothing more is sent, its name is watched
    Back,             // it came back with the same controller
    OtherController,  // it came back with another controller, which is left alone
    NotYet,           // the name is back, but the device does not open or nothing answers yet
};

struct ReconnectOutcome {
    ReconnectStep step = ReconnectStep::Nothing;
    std::string portName;  // the logical name ("COM1")
    link::ControllerIdentity expectedIdentity{0};
    link::ControllerIdentity foundIdentity{0};  // with OtherController
    // With NotYet: why the device did not open; None when it opened but stayed silent.
    link::OpenError openError = link::OpenError::None;
    // With NotYet: something answered, but no clean identity came, so the
    // same controller cannot be told from another yet.
    bool answeredUnclearly = false;
    // With Back: what the re-identification (and the read, when asked for) gives the window.
    link::ConnectionOutcome connection;
    bool pagesRead = false;
    bool readComplete = false;  // with pagesRead: every address was read
};

// Follows the controller the fitter connected to. When its adapter goes
// away the port is let alone (it stays open but dead, so every exchange
// fails at once and nothing goes out), and the adapter's stable name is
// watched. When that name comes back, the device is opened under the same
// port name and the controller identified: the same identity byte and it
// is used again; another one is reported and the port closed, untouched;
// no clean identity, and it is tried again later.
// Nothing is ever written here: a write the unplug cut off stays reported
// as not confirmed. The parameters are read again when the caller asks
// (reads change nothing in the controller, and show whether a cut-off
// write landed after all).
class Reconnection {
public:
    explicit Reconnection(ControllerSession& session, link::SystemRoots roots = {});
    ~Reconnection();
    Reconnection(const Reconnection&) = delete;
    Reconnection& operator=(const Reconnection&) = delete;

    // Follows the connection the session holds now: the fitter's own
    // connection to a controller ends a wait and is followed instead.
    // Without a connected controller nothing is followed any more, unless
    // a wait goes on (a failed menu choice does not end it).
    void follow();
    bool following() const { return following_; }
    bool waiting() const { return waiting_; }
    const std::string& watchedName() const;
    // The watcher's descriptor, for an event loop; -1 when nothing is watched,
    // or when the watcher is looked at now and then instead (Windows).
    int descriptor() const;
    // A port is followed and its name watched.
    bool watching() const { return watcher_ != nullptr; }

    // After an exchange: has the followed port's device gone away?
    ReconnectOutcome checkLine();
    // The descriptor is readable: the name went or came.
    ReconnectOutcome onWatchEvent(bool readPages);
    // While waiting: tries the device now (after an event, or again later).
    ReconnectOutcome tryAgain(bool readPages);

private:
    ReconnectOutcome lose();
    ReconnectOutcome outcome(ReconnectStep step) const;

    ControllerSession& session_;
    link::SystemRoots roots_;
    std::unique_ptr<link::DeviceWatcher> watcher_;
    std::string portName_;
    link::ControllerIdentity identity_{0};
    bool following_ = false;
    bool waiting_ = false;
};

}  // namespace dravinor::params
