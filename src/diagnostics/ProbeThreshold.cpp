#include "diagnostics/ProbeThreshold.h"

#include <cmath>

namespace dravinor::diagnostics {

ThresholdFinding judgeThreshold(const ProbeHealthFigures& figures, int probeType, float thresholdVolts,
                                const ProbeHealthLimits& limits)
{
    ThresholdFinding finding;
    if (figures.verdict != ProbeVerdict::Working && figures.verdict != ProbeVerdict::Slow)
        return finding;
    finding.swingMiddle = (figures.minVolts + figures.maxVolts) / 2;
    // Below the middle a rising probe's voltage is mostly above the
    // threshold: rich to the controller; a falling probe's the reverse.
    finding.controllerSeesRich = (thresholdVolts < finding.swingMiddle) != probeSpan(probeType).richAtLow;
    const float swing = figures.maxVolts - figures.minVolts;
    if (thresholdVolts < figures.minVolts)
        finding.place = ThresholdPlace::BelowSwing;
    else if (thresholdVolts > figures.maxVolts)
        finding.place = ThresholdPlace::AboveSwing;
    else if (std::fabs(thresholdVolts - finding.swingMiddle) > swing * limits.thresholdOffMiddleOfSwing)
        finding.place = ThresholdPlace::OffMiddle;
    else
        finding.place = ThresholdPlace::InSwing;
    return finding;
}

}  // namespace dravinor::diagnostics
