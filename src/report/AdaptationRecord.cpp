#include "report/AdaptationRecord.h"

namespace dravinor::report {

namespace {

const char* groupName(AdaptationFigure figure)
{
    switch (figure) {
    case AdaptationFigure::Tps: return "tps";
    case AdaptationFigure::LambdaProbe: return "lambda";
    case AdaptationFigure::EmulationTimes: return "emulation times";
    case AdaptationFigure::ActuatorAboveTps: return "actuator above tps";
    case AdaptationFigure::ActuatorBelowTps: return "actuator below tps";
    }
    return "figures";
}

}  // namespace

std::string adaptationRecordText(const AdaptationSummary& summary)
{
    std::string text = std::string("finished: ") + (summary.finished ? "yes" : "no") + "\n";
    for (const AdaptationLine& line : summary.lines) {
        text += groupName(line.figure);
        text += ":";
        for (const std::string& shown : line.shown)
            text += " " + shown;
        if (!line.unit.empty())
            text += " " + line.unit;
        text += "\n";
    }
    if (!summary.unacknowledged.empty()) {
        text += "not acknowledged:";
        for (const int address : summary.unacknowledged)
            text += " " + std::to_string(address);
        text += "\n";
    }
    if (summary.doubtfulPhases > 0)
        text += "doubtful phases: " + std::to_string(summary.doubtfulPhases) + "\n";
    if (summary.failedProbe)
        text += std::string("failed probe: ") + diagnostics::probeVerdictName(summary.failedProbe->verdict) +
                (summary.failedProbe->wentOn ? ", went on" : ", stopped there") + "\n";
    return text;
}

}  // namespace dravinor::report
