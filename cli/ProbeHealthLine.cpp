#include "ProbeHealthLine.h"

#include "lang/ShownNumbers.h"

#include <cstdio>

namespace dravinor::cli {

namespace {

std::string edgeTime(const std::optional<double>& seconds)
{
    char text[16] = "-";
    if (seconds)
        std::snprintf(text, sizeof text, "%.2f s", *seconds);
    return text;
}

}  // namespace

std::string probeHealthLine(const diagnostics::ProbeHealthFigures& figures)
{
    if (figures.verdict == diagnostics::ProbeVerdict::NotEnoughData) {
        char text[96];
        std::snprintf(text, sizeof text, "probe: not judged yet (%.1f of %.0f s above idle)", figures.judgedSeconds,
                      diagnostics::probeHealthLimits.judgedSecondsAtLeast);
        return text;
    }
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "probe: %.2f-%.2f V, %.1f crossings/s, rich %.0f %%, ", figures.minVolts,
                  figures.maxVolts, figures.crossingsPerSecond, figures.richShare * 100);
    return numbers + ("lean->rich " + edgeTime(figures.leanToRichSeconds)) + ", rich->lean " +
           edgeTime(figures.richToLeanSeconds) + ": " + diagnostics::probeVerdictName(figures.verdict);
}

std::optional<std::string> thresholdLine(const diagnostics::ProbeHealthFigures& figures,
                                         const diagnostics::ThresholdFinding& finding, float thresholdVolts)
{
    using diagnostics::ThresholdPlace;
    if (!diagnostics::thresholdMisplaced(finding.place))
        return std::nullopt;
    const std::string swing =
        lang::decimalText(figures.minVolts, 2) + "-" + lang::decimalText(figures.maxVolts, 2) + " V";
    const char* side = finding.controllerSeesRich ? "rich" : "lean";
    std::string text = "threshold: the controller's threshold " + lang::decimalText(thresholdVolts, 2) + " V is ";
    if (finding.place == ThresholdPlace::OffMiddle)
        text += "far from the middle of the probe's swing " + swing + " (" + lang::decimalText(finding.swingMiddle, 2) +
                " V): it mostly sees " + side;
    else
        text += std::string(finding.place == ThresholdPlace::BelowSwing ? "below" : "above") + " the probe's swing " +
                swing + ": it always sees " + side;
    return text + " (a setting to correct, not a probe to replace)";
}

}  // namespace dravinor::cli
