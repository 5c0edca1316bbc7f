#pragma once

#include "ProbeHealth.h"

#include <string>

namespace dravinor::cli {

// One line of `live --probe-health`: the figures of the last ten seconds and
// the verdict, e.g. "probe: 0.08-0.85 V, 3.0 crossings/s, rich 48 %,
// lean->rich 0.07 s, rich->lean 0.09 s: working".
std::string probeHealthLine(const diagnostics::ProbeHealthFigures& figures);

}  // namespace dravinor::cli
