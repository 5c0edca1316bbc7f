#pragma once

#include "link/PortReport.h"

#include <QString>

namespace dravinor::link {
struct ConnectionOutcome;
class PortMap;
}  // namespace dravinor::link

namespace dravinor::ui {

// What the window tells once at start-up when a scan found no controller
// and a port was refused for a reason the user can remove (not in the
// device's group; ModemManager or brltty holding it; a name mapped to
// something that is no serial port): what is wrong and the command that
// fixes it. Empty when there is nothing the user can fix, and
// always after a controller was found.
QString portProblemNotice(const link::ConnectionOutcome& outcome, const link::PortMap& map,
                          const link::SystemRoots& roots = {},
                          const link::UserIdentity& user = link::UserIdentity::current());

}  // namespace dravinor::ui
