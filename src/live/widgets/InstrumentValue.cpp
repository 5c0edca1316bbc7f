#include "live/widgets/InstrumentValue.h"

#include "live/widgets/InstrumentColor.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dravinor::live {

namespace {
// A range starting at 0 starts just above it instead.
constexpr float zeroValueFrom = 0.000001f;

// Far outside any scale yet still safe to convert to int.
constexpr double digitBound = 1.0e9;

// Round to nearest, halves to even (the default rounding mode).
int roundEven(double x)
{
    return static_cast<int>(std::nearbyint(std::clamp(x, -digitBound, digitBound)));
}
}  // namespace

Sectors defaultSectors()
{
    return {{{0, 333, QColor(colour::yellow)}, {334, 666, QColor(colour::green)}, {667, 1000, QColor(colour::red)}}};
}

InstrumentValue::InstrumentValue()
    : valueFrom_(zeroValueFrom), limitLower_(std::numeric_limits<float>::lowest()),
      limitUpper_(std::numeric_limits<float>::max()), sectors_(defaultSectors())
{
}

int InstrumentValue::digitFor(float v) const
{
    const double span = static_cast<double>(valueTo_) - valueFrom_;
    if (span == 0.0)
        return digitalFrom_;
    return roundEven((static_cast<double>(v) - valueFrom_) * (digitalTo_ - digitalFrom_) / span + digitalFrom_);
}

float InstrumentValue::valueFor(int d) const
{
    const int span = digitalTo_ - digitalFrom_;
    if (span == 0)
        return valueFrom_;
    return static_cast<float>(
        static_cast<double>(d - digitalFrom_) * (static_cast<double>(valueTo_) - valueFrom_) / span + valueFrom_);
}

int InstrumentValue::pptFor(int d) const
{
    const int span = digitalTo_ - digitalFrom_;
    if (span == 0)
        return 0;
    return roundEven(1000.0 * (static_cast<double>(d) - digitalFrom_) / span);
}

int InstrumentValue::ppt() const
{
    return std::clamp(ppt_, 0, 1000);
}

bool InstrumentValue::updateLimitFlags()
{
    const bool below = value_ < limitLower_;
    const bool above = value_ > limitUpper_;
    const bool changed = below != belowLower_ || above != aboveUpper_;
    belowLower_ = below;
    aboveUpper_ = above;
    return changed;
}

bool InstrumentValue::setValue(float v)
{
    if (v == value_)
        return false;
    value_ = v;
    digit_ = digitFor(v);
    ppt_ = pptFor(digit_);
    updateLimitFlags();
    return true;
}

bool InstrumentValue::setDigit(int d)
{
    if (d == digit_)
        return false;
    digit_ = d;
    value_ = valueFor(d);
    ppt_ = pptFor(d);
    updateLimitFlags();
    return true;
}

// The value stays; its place on the new scale follows.
bool InstrumentValue::remap()
{
    digit_ = digitFor(value_);
    ppt_ = pptFor(digit_);
    return true;
}

// A value equal to either end is ignored, so the range never collapses.
bool InstrumentValue::setValueFrom(float v)
{
    const float stored = v == 0.0f ? zeroValueFrom : v;
    if (stored == valueFrom_ || stored == valueTo_)
        return false;
    valueFrom_ = stored;
    return remap();
}

bool InstrumentValue::setValueTo(float v)
{
    if (v == valueFrom_ || v == valueTo_)
        return false;
    valueTo_ = v;
    return remap();
}

bool InstrumentValue::setDigitalFrom(int d)
{
    if (d == digitalFrom_)
        return false;
    digitalFrom_ = d;
    return remap();
}

bool InstrumentValue::setDigitalTo(int d)
{
    if (d == digitalTo_)
        return false;
    digitalTo_ = d;
    return remap();
}

bool InstrumentValue::setLimits(float lower, float upper)
{
    limitLower_ = lower;
    limitUpper_ = upper;
    return updateLimitFlags();
}

bool InstrumentValue::setSectors(const Sectors& sectors)
{
    if (sectors == sectors_)
        return false;
    sectors_ = sectors;
    return true;
}

bool InstrumentValue::setSector(int index, const Sector& sector)
{
    if (index < 0 || index >= static_cast<int>(sectors_.size()))
        return false;
    auto& target = sectors_[static_cast<std::size_t>(index)];
    if (target == sector)
        return false;
    target = sector;
    return true;
}

int InstrumentValue::sectorIndex() const
{
    const int at = ppt();
    int found = -1;
    for (int i = 0; i < static_cast<int>(sectors_.size()); ++i) {
        const auto& s = sectors_[static_cast<std::size_t>(i)];
        if (at >= s.from && at <= s.to)
            found = i;
    }
    return found;
}

QColor InstrumentValue::sectorColor() const
{
    const int i = sectorIndex();
    return i < 0 ? QColor() : sectors_[static_cast<std::size_t>(i)].color;
}

}  // namespace dravinor::live
