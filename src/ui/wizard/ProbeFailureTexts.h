#pragma once

#include "wizard/AdaptationEngine.h"

#include <QString>

namespace dravinor::ui {

// The wizard page's words for a lambda probe the adaptation found failed:
// the verdict and the voltages it gave, then what the fitter chose.
QString probeFailureNotice(const wizard::ProbeFailure& failure);
// The question whether to go on with it.
QString probeFailureQuestion(const diagnostics::ProbeHealthFigures& figures);

}  // namespace dravinor::ui
