#include "live/TraceHistory.h"

#include <algorithm>
#include <charconv>

namespace dravinor::live {

void TraceHistory::add(const TraceSample& sample)
{
    samples_.push_back(sample);
    if (samples_.size() > capacity)
        samples_.pop_front();
}

std::vector<TraceSample> TraceHistory::newest(std::size_t count) const
{
    const std::size_t taken = std::min(count, samples_.size());
    return {samples_.end() - static_cast<std::ptrdiff_t>(taken), samples_.end()};
}

namespace {

// A number with a point whatever the user's locale, so the file reads the
// same everywhere.
void append(std::string& text, double value, int decimals, char after)
{
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals).ptr;
    text.append(digits, end);
    text += after;
}

}  // namespace

std::string traceCsv(const std::vector<TraceSample>& samples)
{
    std::string text = "time_s,lambda_V,tps_V,stepper,rpm\n";
    for (const TraceSample& s : samples) {
        append(text, s.seconds, 1, ',');
        append(text, s.lambdaVolts, 2, ',');
        append(text, s.tpsVolts, 2, ',');
        text += std::to_string(s.stepper) + ',' + std::to_string(s.rpm) + '\n';
    }
    return text;
}

}  // namespace dravinor::live
