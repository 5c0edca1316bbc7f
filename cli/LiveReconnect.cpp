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
    if (reconnection.descriptor() < 0)
        return false;
    std::cerr << "dravinor-cli: waiting for " << reconnection.watchedName() << " to come back (Ctrl+C ends)\n";
    bool tryLater = false;
    for (int looks = 0; !interrupted; ++looks) {
        params::ReconnectOutcome outcome;
        if (waitReadable(reconnection.descriptor(), lookMs))
            outcome = reconnection.onWatchEvent(true);
        else if (tryLater && looks % retryEveryLooks == 0)
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
