#include "LiveReconnect.h"

#include "DescriptorWait.h"

#include <cstdio>
#include <iostream>

namespace dravinor::cli {

namespace {

// How long one look at the watcher lasts: Ctrl+C is noticed this often.
constexpr int lookMs = 200;
// A device that is back but does not open or answer yet is tried this often.
constexpr int retryEveryLooks = 3;

std::string identityText(link::ControllerIdentity identity)
{
    return "type " + std::to_string(identity.type()) + ", firmware " + std::to_string(identity.firmware());
}

}  // namespace

bool waitForController(params::Reconnection& reconnection, const std::atomic<bool>& interrupted)
{
    if (!reconnection.watching())
        return false;
    std::cerr << "dravinor-cli: waiting for " << reconnection.watchedName() << " to come back (Ctrl+C ends)\n";
    // Where the system tells of nothing (Windows), the name is looked at
    // every look, and the port tried every few: a port whose name stays
    // while its device is gone (wine's) comes back that way too.
    const bool told = reconnection.descriptor() >= 0;
    bool tryLater = !told;
    for (int looks = 0; !interrupted; ++looks) {
        params::ReconnectOutcome outcome;
        const bool readable = waitReadable(reconnection.descriptor(), lookMs);
        if (readable || !told)
            outcome = reconnection.onWatchEvent(true);
        if (!readable && outcome.step == params::ReconnectStep::Nothing && tryLater && looks % retryEveryLooks == 0)
            outcome = reconnection.tryAgain(true);
        switch (outcome.step) {
        case params::ReconnectStep::Back:
            std::cerr << "dravinor-cli: the controller is back on " << outcome.portName << "\n";
            return true;
        case params::ReconnectStep::OtherController:
            std::cerr << "dravinor-cli: another controller (" << identityText(outcome.foundIdentity) << ") answers on "
                      << outcome.portName << " instead of " << identityText(outcome.expectedIdentity)
                      << "; it is not used\n";
            tryLater = false;
            break;
        case params::ReconnectStep::NotYet: tryLater = true; break;
        case params::ReconnectStep::Lost:
        case params::ReconnectStep::Nothing: break;
        }
    }
    return false;
}

}  // namespace dravinor::cli
