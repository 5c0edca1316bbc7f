#pragma once

class QCoreApplication;

namespace dravinor::app {

// SIGTERM and SIGINT end the event loop instead of killing the process, so
// the program still closes its port and frees its parts; a session logging
// out, a script or a leak check can stop it cleanly.
void quitOnTerminationSignals(QCoreApplication& application);

}  // namespace dravinor::app
