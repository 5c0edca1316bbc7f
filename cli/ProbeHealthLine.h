#pragma once

#include "diagnostics/ProbeHealth.h"
#include "diagnostics/ProbeThreshold.h"

#include <optional>
#include <string>

namespace dravinor::cli {

// One line of `live --probe-health`: the figures of the last ten seconds and
// the verdict, e.g. "probe: 0.08-0.85 V, 3.0 crossings/s, rich 48 %,
// lean->rich 0.07 s, rich->lean 0.09 s: working".
std::string probeHealthLine(const diagnostics::ProbeHealthFigures& figures);

// The line beside it when the controller's threshold is misplaced against
// the probe's swing, e.g. "threshold: the controller's threshold 0,00 V is
// below the probe's swing 0,10-0,78 V: it always sees rich (a setting to
// correct, not a probe to replace)"; nothing while it fits or is not judged.
std::optional<std::string> thresholdLine(const diagnostics::ProbeHealthFigures& figures,
                                         const diagnostics::ThresholdFinding& finding, float thresholdVolts);

}  // namespace dravinor::cli
