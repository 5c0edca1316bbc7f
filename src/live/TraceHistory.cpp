#include "live/TraceHistory.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ctime>

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

std::string localIsoTime(std::int64_t unixMs)
{
    const std::int64_t wholeSeconds = unixMs / 1000 - (unixMs % 1000 < 0 ? 1 : 0);
    const auto seconds = static_cast<std::time_t>(wholeSeconds);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[64];
    const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    // The local time read as UTC, less the instant: the zone's offset then
    // (struct tm has no tm_gmtoff on Windows).
    std::tm asUtc = local;
    const auto offsetMinutes = static_cast<long>((timegm(&asUtc) - seconds) / 60);
    std::snprintf(text + length, sizeof text - length, ".%03d%c%02ld:%02ld",
                  static_cast<int>(unixMs - wholeSeconds * 1000), offsetMinutes < 0 ? '-' : '+',
                  std::labs(offsetMinutes) / 60, std::labs(offsetMinutes) % 60);
    return text;
}

std::string traceCsv(const std::vector<TraceSample>& samples)
{
    std::string text = std::string(traceCsvSignature) + '\n';
    if (!samples.empty() && samples.front().wallClockMs > 0)
        text += "# start: " + localIsoTime(samples.front().wallClockMs) + '\n';
    text += std::string(traceCsvColumns) + '\n';
    for (const TraceSample& s : samples) {
        append(text, s.seconds - samples.front().seconds, 1, ',');
        append(text, s.lambdaVolts, 2, ',');
        append(text, s.tpsVolts, 2, ',');
        text += std::to_string(s.stepper) + ',' + std::to_string(s.rpm) + '\n';
    }
    return text;
}

bool isTraceCsvFirstLine(std::string_view line)
{
    return line.starts_with(traceCsvSignature) || line == traceCsvColumns;
}

}  // namespace dravinor::live
