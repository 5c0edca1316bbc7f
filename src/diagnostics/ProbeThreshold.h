#pragma once

#include "diagnostics/ProbeHealth.h"

namespace dravinor::diagnostics {

// Where the controller's lambda threshold lies against the swing of a probe
// that switches: a threshold outside the swing, or far from its middle, is a
// setting to correct, not a probe to replace.
enum class ThresholdPlace {
    NotJudged,   // no swing to judge against (too little data, a failed probe)
    InSwing,     // near the middle of the swing: as it should be
    BelowSwing,  // under the lowest voltage the probe gave
    AboveSwing,  // over the highest
    OffMiddle,   // inside the swing, but far from its middle
};

struct ThresholdFinding {
    ThresholdPlace place = ThresholdPlace::NotJudged;
    // The side the controller sees: always (outside the swing) or mostly
    // (off its middle).
    bool controllerSeesRich = false;
    float swingMiddle = 0;  // volts
};

// Judged only for a probe that works or is slow; thresholdVolts is the
// controller's (parameter 1), probeType the item of the probe-type list.
ThresholdFinding judgeThreshold(const ProbeHealthFigures& figures, int probeType, float thresholdVolts,
                                const ProbeHealthLimits& limits = probeHealthLimits);

// A threshold the fitter should correct.
constexpr bool thresholdMisplaced(ThresholdPlace place)
{
    return place == ThresholdPlace::BelowSwing || place == ThresholdPlace::AboveSwing ||
           place == ThresholdPlace::OffMiddle;
}

}  // namespace dravinor::diagnostics
