#include "diagnostics/ProbeHealth.h"

#include <algorithm>

namespace dravinor::diagnostics {

const char* probeVerdictName(ProbeVerdict verdict)
{
    switch (verdict) {
    case ProbeVerdict::Working: return "working";
    case ProbeVerdict::Slow: return "slow";
    case ProbeVerdict::StuckLean: return "stuck lean";
    case ProbeVerdict::StuckRich: return "stuck rich";
    case ProbeVerdict::NoSignal: return "no signal";
    case ProbeVerdict::NotEnoughData: break;
    }
    return "not judged yet";
}

namespace {

// Mean of the edge-to-edge times seen, if any.
struct MeanTime {
    double sum = 0;
    int count = 0;
    void add(double seconds)
    {
        sum += seconds;
        ++count;
    }
    std::optional<double> mean() const { return count ? std::optional<double>(sum / count) : std::nullopt; }
};

// Time at which the straight line between two samples passes a level.
double passingTime(double t0, double p0, double t1, double p1, double level)
{
    return p1 == p0 ? t1 : t0 + (t1 - t0) * (level - p0) / (p1 - p0);
}

}  // namespace

// Follows the signal from the moment it leaves one edge until it reaches the
// other; a return behind the edge it left, or a gap, starts again.
struct ProbeHealth::Stretch {
    enum class Heading { None, ToRich, ToLean };
    Heading heading = Heading::None;
    double leftAt = 0;

    void forget() { heading = Heading::None; }
};

ProbeHealth::ProbeHealth(int probeType, const ProbeHealthLimits& limits) : limits_(limits), span_(probeSpan(probeType))
{
}

void ProbeHealth::reset(int probeType)
{
    span_ = probeSpan(probeType);
    samples_.clear();
}

void ProbeHealth::add(const ProbeSample& sample)
{
    if (!samples_.empty() && sample.seconds < samples_.back().seconds)
        samples_.clear();  // the clock went back: nothing before is comparable
    if (sample.rpm > limits_.aboveIdleRpm && sample.rpm < limits_.beyondAnyEngineRpm)
        samples_.push_back(sample);
    while (!samples_.empty() && samples_.front().seconds < sample.seconds - limits_.windowSeconds)
        samples_.pop_front();
}

bool ProbeHealth::isRich(float volts) const
{
    return span_.richAtLow ? volts < span_.switchingPoint : volts > span_.switchingPoint;
}

// Where a voltage lies in the probe's span, 0 at full lean, 1 at full rich.
float ProbeHealth::spanPosition(float volts) const
{
    const float fraction = (volts - span_.low) / (span_.high - span_.low);
    return span_.richAtLow ? 1.0f - fraction : fraction;
}

ProbeHealthFigures ProbeHealth::figures() const
{
    ProbeHealthFigures result;
    if (samples_.empty())
        return result;

    auto [lowest, highest] = std::minmax_element(
        samples_.begin(), samples_.end(), [](const ProbeSample& a, const ProbeSample& b) { return a.volts < b.volts; });
    result.minVolts = lowest->volts;
    result.maxVolts = highest->volts;

    double richSeconds = 0;
    int crossings = 0;
    MeanTime toRich, toLean;
    Stretch stretch;
    for (std::size_t i = 1; i < samples_.size(); ++i) {
        const ProbeSample& a = samples_[i - 1];
        const ProbeSample& b = samples_[i];
        const double dt = b.seconds - a.seconds;
        if (dt > limits_.largestSampleGap) {
            stretch.forget();
            continue;
        }
        result.judgedSeconds += dt;
        if (isRich(a.volts))
            richSeconds += dt;
        if (isRich(a.volts) != isRich(b.volts))
            ++crossings;

        const double pa = spanPosition(a.volts), pb = spanPosition(b.volts);
        const double lean = limits_.leanEdge, rich = limits_.richEdge;
        if (pa <= lean && pb > lean)
            stretch = {Stretch::Heading::ToRich, passingTime(a.seconds, pa, b.seconds, pb, lean)};
        else if (pa >= rich && pb < rich)
            stretch = {Stretch::Heading::ToLean, passingTime(a.seconds, pa, b.seconds, pb, rich)};
        if (stretch.heading == Stretch::Heading::ToRich && pb >= rich) {
            toRich.add(passingTime(a.seconds, pa, b.seconds, pb, rich) - stretch.leftAt);
            stretch.forget();
        } else if (stretch.heading == Stretch::Heading::ToLean && pb <= lean) {
            toLean.add(passingTime(a.seconds, pa, b.seconds, pb, lean) - stretch.leftAt);
            stretch.forget();
        }
    }
    if (result.judgedSeconds > 0) {
        result.crossingsPerSecond = crossings / result.judgedSeconds;
        result.richShare = richSeconds / result.judgedSeconds;
    }
    result.leanToRichSeconds = toRich.mean();
    result.richToLeanSeconds = toLean.mean();
    result.verdict = verdictFor(result);
    return result;
}

ProbeVerdict ProbeHealth::verdictFor(const ProbeHealthFigures& figures) const
{
    if (figures.judgedSeconds < limits_.judgedSecondsAtLeast)
        return ProbeVerdict::NotEnoughData;
    const bool flat = figures.maxVolts - figures.minVolts < limits_.noSignalSwingVolts;
    const bool belowSpan = figures.maxVolts < span_.low - (span_.high - span_.low) / 2;
    if (figures.maxVolts < limits_.noSignalBelowVolts || (flat && belowSpan))
        return ProbeVerdict::NoSignal;
    if (figures.richShare >= limits_.stuckShare)
        return ProbeVerdict::StuckRich;
    if (figures.richShare <= 1.0 - limits_.stuckShare)
        return ProbeVerdict::StuckLean;

    const float lowEdge = std::min(spanPosition(figures.minVolts), spanPosition(figures.maxVolts));
    const float highEdge = std::max(spanPosition(figures.minVolts), spanPosition(figures.maxVolts));
    const bool narrowSwing = lowEdge >= limits_.slowSwingLow && highEdge <= limits_.slowSwingHigh;
    auto slowTransition = [this](const std::optional<double>& seconds) {
        return seconds && *seconds > limits_.slowerThanTransitionSeconds;
    };
    if (figures.crossingsPerSecond < limits_.slowerThanCrossingsPerSecond || narrowSwing ||
        slowTransition(figures.leanToRichSeconds) || slowTransition(figures.richToLeanSeconds))
        return ProbeVerdict::Slow;
    return ProbeVerdict::Working;
}

}  // namespace dravinor::diagnostics
