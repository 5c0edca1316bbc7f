#include "AdaptationSummary.h"

#include "AdaptationEngine.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace dravinor::report {

namespace {

struct FigurePanels {
    AdaptationFigure figure;
    std::array<std::string_view, 3> panels;  // an empty name: the group has two
    std::string_view unit;
};

// The wizard's result panels, group by group, in the order it measures them.
constexpr FigurePanels figurePanels[] = {
    {AdaptationFigure::Tps, {"TPSDolEDAA_P2", "TPSProEDAA_P2", "TPSGorEDAA_P2"}, "V"},
    {AdaptationFigure::LambdaProbe, {"UbogaEDAA_P3", "ProgEDAA_P3", "BogataEDAA_P3"}, "V"},
    {AdaptationFigure::EmulationTimes, {"THEDAA_P3", "TLEDAA_P3", ""}, "s"},
    {AdaptationFigure::ActuatorAboveTps, {"MinPOWEDAA_P5", "MaxPOWEDAA_P5", "StartPOWEDAA_P5"}, ""},
    {AdaptationFigure::ActuatorBelowTps, {"MinPONEDAA_P5", "MaxPONEDAA_P5", "StartPONEDAA_P5"}, ""},
};

// The text the wizard gave the panel, or nothing while it shows its
// unmeasured dots (as after the wizard's start).
std::optional<std::string> measured(const wizard::WizardView& view, std::string_view panel)
{
    const wizard::ControlView* control = view.find(panel);
    if (!control || !control->text || control->text->empty() ||
        control->text->find_first_not_of('.') == std::string::npos)
        return std::nullopt;
    return *control->text;
}

}  // namespace

std::optional<AdaptationSummary> summariseAdaptation(const wizard::AdaptationEngine& engine)
{
    AdaptationSummary summary;
    for (const FigurePanels& group : figurePanels) {
        AdaptationLine line{group.figure, {}, std::string(group.unit)};
        bool any = false;
        for (std::string_view panel : group.panels) {
            if (panel.empty())
                continue;
            const auto text = measured(engine.view(), panel);
            any = any || text.has_value();
            line.shown.push_back(text.value_or("-"));
        }
        if (any)
            summary.lines.push_back(std::move(line));
    }
    if (summary.lines.empty())
        return std::nullopt;
    summary.finished = engine.finished();
    summary.unacknowledged = engine.unacknowledgedAddresses();
    summary.doubtfulPhases = static_cast<int>(engine.doubtfulPhases().size());
    // Asked and not yet answered is no decision: the report waits for none.
    if (engine.doubtfulProbe() || engine.stoppedAtProbe()) {
        const auto& figures = engine.probeFailure()->figures;
        summary.failedProbe = ProbeFailureSummary{figures.verdict, figures.minVolts, figures.maxVolts,
                                                  engine.doubtfulProbe()};
    }
    return summary;
}

}  // namespace dravinor::report
