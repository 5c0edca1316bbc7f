#include "ProbeHealthLine.h"

#include <cstdio>

namespace dravinor::cli {

namespace {

const char* verdictWords(diagnostics::ProbeVerdict verdict)
{
    using enum diagnostics::ProbeVerdict;
    switch (verdict) {
    case Working: return "working";
    case Slow: return "slow";
    case StuckLean: return "stuck lean";
    case StuckRich: return "stuck rich";
    case NoSignal: return "no signal";
    case NotEnoughData: break;
    }
    return "not judged yet";
}

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
        std::snprintf(text, sizeof text, "probe: not judged yet (%.1f of %.0f s above idle)",
                      figures.judgedSeconds, diagnostics::probeHealthLimits.judgedSecondsAtLeast);
        return text;
    }
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "probe: %.2f-%.2f V, %.1f crossings/s, rich %.0f %%, ",
                  figures.minVolts, figures.maxVolts, figures.crossingsPerSecond, figures.richShare * 100);
    return numbers + ("lean->rich " + edgeTime(figures.leanToRichSeconds)) + ", rich->lean "
           + edgeTime(figures.richToLeanSeconds) + ": " + verdictWords(figures.verdict);
}

}  // namespace dravinor::cli
