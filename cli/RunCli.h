#pragma once

#include "params/SessionWiring.h"

namespace dravinor::cli {

// The whole of dravinor-cli: parses argv, runs the command and returns the
// exit code; it talks through the standard streams. The wiring's empty parts
// are the real serial device, clock and journal; tests run it in-process on
// a simulated line.
int runCli(int argc, char** argv, const params::SessionWiring& wiring = {});

}  // namespace dravinor::cli
