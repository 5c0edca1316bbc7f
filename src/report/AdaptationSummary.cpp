#include "report/AdaptationSummary.h"

#include "wizard/AdaptationResult.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace dravinor::report {

namespace {

struct FigureGroup {
    AdaptationFigure figure;
    std::array<std::optional<wizard::Figure>, 3> figures;  // the emulation times are two
    std::string_view unit;
};

// The figures the report shows, group by group, in the order the wizard
// measures them.
constexpr FigureGroup figureGroups[] = {
    {AdaptationFigure::Tps, {wizard::Figure::TpsIdle, wizard::Figure::TpsThreshold, wizard::Figure::TpsHigh}, "V"},
    {AdaptationFigure::LambdaProbe,
     {wizard::Figure::LambdaLean, wizard::Figure::LambdaThreshold, wizard::Figure::LambdaRich},
     "V"},
    {AdaptationFigure::EmulationTimes, {wizard::Figure::RichTime, wizard::Figure::LeanTime, std::nullopt}, "s"},
    {AdaptationFigure::ActuatorAboveTps,
     {wizard::Figure::AboveTpsMinimum, wizard::Figure::AboveTpsMaximum, wizard::Figure::AboveTpsStart},
     ""},
    {AdaptationFigure::ActuatorBelowTps,
     {wizard::Figure::IdleMinimum, wizard::Figure::IdleMaximum, wizard::Figure::IdleStart},
     ""},
};

}  // namespace

std::optional<AdaptationSummary> summariseAdaptation(const wizard::AdaptationResult& result,
                                                     std::string_view decimalSeparator)
{
    AdaptationSummary summary;
    for (const FigureGroup& group : figureGroups) {
        AdaptationLine line{group.figure, {}, std::string(group.unit)};
        bool any = false;
        for (const auto& figure : group.figures) {
            if (!figure)
                continue;
            const std::optional<double> value = result.figure(*figure);
            any = any || value.has_value();
            line.shown.push_back(value ? wizard::figureText(*figure, *value, decimalSeparator) : "-");
        }
        if (any)
            summary.lines.push_back(std::move(line));
    }
    if (summary.lines.empty())
        return std::nullopt;
    summary.finished = result.finished;
    summary.unacknowledged = result.unacknowledgedAddresses();
    summary.doubtfulPhases = static_cast<int>(result.doubtfulPhases.size());
    // Asked and not yet answered is no decision: the report waits for none.
    if (result.doubtfulProbe() || result.stoppedAtProbe()) {
        const auto& figures = result.probeFailure->figures;
        summary.failedProbe =
            ProbeFailureSummary{figures.verdict, figures.minVolts, figures.maxVolts, result.doubtfulProbe()};
    }
    return summary;
}

}  // namespace dravinor::report
