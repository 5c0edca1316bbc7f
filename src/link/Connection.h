#pragma once

#include "link/ControllerIdentity.h"
#include "link/SerialPort.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dravinor::link {

// What the window shows after a connection step; the window turns these
// into its own texts.
enum class StatusLine { First, Second };
enum class StatusMessage {
    CannotOpenPort,   // the port does not open
    WrongController,  // the port opens but nothing answers
    PortOpen,         // a controller answered (the port name follows after a scan)
};

struct StatusUpdate {
    StatusLine line = StatusLine::First;
    StatusMessage message = StatusMessage::CannotOpenPort;
    std::string portName;  // set when the text names the port: "Port otwarty - COM3"
};

struct TitleUpdate {
    // VersionUnknown: the controller answers, but gave no clean identity, so
    // no version can be told.
    enum class Kind { Unchanged, NoController, Version, VersionUnknown } kind = Kind::Unchanged;
    std::string versionText;  // with Kind::Version
};

// Check marks of the port items COM1..COM8 of the ports menu.
struct PortChecks {
    enum class Kind { Unchanged, None, Only } kind = Kind::Unchanged;
    int index = -1;  // with Kind::Only
};

// A port a scan tried without finding the controller there.
struct PortAttempt {
    std::string name;
    OpenResult open;  // why it did not open; ok() when it opened but stayed silent
};

struct ConnectionOutcome {
    bool connected = false;
    std::vector<PortAttempt> attempts;   // a scan's ports, in order, each with its reason
    std::optional<StatusUpdate> status;  // the last text put into a status line
    TitleUpdate title;
    PortChecks checks;
};

// Finds the controller, identifies it and has the parameters read.
class Connection {
public:
    static constexpr int menuPortCount = 8;  // COM1..COM8 have menu items
    static constexpr int silentTries = 5;
    static constexpr int pauseAfterSilentTryMs = 10;
    // Polls that must bring nothing after the answer that confirms an
    // identity: longer than the gap between two bytes of one answer.
    static constexpr int quietPollsAfterAnswer = 2;

    // readAllParameters is the transfer layer's full read, run after every
    // successful identification.
    Connection(SerialPort& port, std::function<void()> readAllParameters);

    // Identify: true when anything answered. A lone answer is the identity's
    // first vote; the identity counts as known only once confirmed.
    bool isControllerPresent();
    // Asks again, and after a fault until the line is in step, so that two
    // identifies in a row were answered by the same lone byte: that byte is
    // the identity. True when the identity is known (a known one is kept when
    // the asking fails).
    bool confirmIdentity();
    // Confirms the identity and gives the window's title: the version text,
    // or that the version is unknown.
    TitleUpdate versionTitle();

    ConnectionOutcome connectToPort(const std::string& name);
    // A port named on the command line, tried as the scan tries each port:
    // one that opens but stays silent is asked again, up to silentTries
    // times, with the pause between.
    ConnectionOutcome connectToPortWithTries(const std::string& name);
    // A port item of the ports menu (index 0 = COM1).
    ConnectionOutcome choosePortItem(int index);
    ConnectionOutcome autodetect();
    // The menu command: the scan always begins at COM1.
    ConnectionOutcome autodetectFromMenu();
    ConnectionOutcome reidentify();
    // After the controller has just identified itself again: reads the
    // parameters and gives what reidentify gives then.
    ConnectionOutcome readIdentified();

    int currentPortIndex() const { return currentPortIndex_; }
    // The identity byte of the controller last identified cleanly on the
    // open port: two identifies in a row on a line in step, each answered by
    // this byte alone. Unset until then, and when no clean answer came.
    std::optional<ControllerIdentity> identity() const
    {
        return identity_ ? std::optional(ControllerIdentity(*identity_)) : std::nullopt;
    }
    // The identity, or while it is not confirmed the lone answer of the
    // presence check: a first vote for a resynchronisation, never shown.
    std::optional<std::uint8_t> identityHint() const { return identity_ ? identity_ : candidate_; }
    // Called with each status text as a scan goes, so a window can repaint.
    void setStatusListener(std::function<void(const StatusUpdate&)> listener) { listener_ = std::move(listener); }

private:
    void showStatus(ConnectionOutcome& outcome, StatusUpdate update);

    SerialPort& port_;
    std::function<void()> readAllParameters_;
    std::function<void(const StatusUpdate&)> listener_;
    int currentPortIndex_ = 0;
    std::optional<std::uint8_t> identity_;
    // The lone answer of the last presence check, until an identify confirms it.
    std::optional<std::uint8_t> candidate_;
};

}  // namespace dravinor::link
