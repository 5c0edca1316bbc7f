#pragma once

#include <string>

namespace dravinor::sim {

// The simulator's end of the serial line: a pseudo-terminal whose slave the
// tool opens as its port.
class Pty {
public:
    Pty() = default;
    ~Pty() { close(); }
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    // Opens a new pair, raw both ways so every byte value passes unchanged.
    // The master is non-blocking: a client that never reads must not stall
    // the controller.
    bool open(std::string* error);
    // The slave path disappears and a client's open slave sees a hang-up.
    void close();

    bool isOpen() const { return master_ >= 0; }
    int master() const { return master_; }
    const std::string& slavePath() const { return slavePath_; }

private:
    int master_ = -1;
    // Held open so the master never sees a hang-up while the tool closes and
    // reopens its port (a port scan does that several times in a row).
    int ownSlave_ = -1;
    std::string slavePath_;
};

// Points a symlink at target, replacing whatever link is there. Refuses to
// replace anything that is not a symlink.
bool pointLink(const std::string& link, const std::string& target, std::string* error);
// Removes the link if it is a symlink.
void removeLink(const std::string& link);

}  // namespace dravinor::sim
