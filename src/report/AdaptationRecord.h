#pragma once

#include "report/AdaptationSummary.h"

#include <string>

namespace dravinor::report {

// An auto-adaptation's summary as the car book keeps it with the visit: one
// line per fact, "name: value", the figures as the wizard's pages showed
// them, so that it reads the same in any language and years later:
//   finished: yes
//   tps: 0,45 1,40 3,80 V
//   lambda: 0,12 0,45 0,84 V
//   emulation times: 0,496 0,496 s
//   actuator above tps: 85 115 100
//   actuator below tps: 70 100 85
//   not acknowledged: 4 5
//   doubtful phases: 1
//   failed probe: stuck lean, went on
std::string adaptationRecordText(const AdaptationSummary& summary);

}  // namespace dravinor::report
