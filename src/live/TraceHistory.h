#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace dravinor::live {

// What the trace drew at one sweep step, in the channels' units.
struct TraceSample {
    double seconds = 0;  // since the trace's first step
    float lambdaVolts = 0;
    float tpsVolts = 0;
    int stepper = 0;
    int rpm = 0;
    std::int64_t wallClockMs = 0;  // Unix time of the step; 0: not known
};

// The latest sweep steps, as many as one sweep across the widest trace can
// show; plain data, so a frozen picture's samples can be written out.
class TraceHistory {
public:
    static constexpr std::size_t capacity = 2048;

    void add(const TraceSample& sample);
    // The newest count samples, oldest first.
    std::vector<TraceSample> newest(std::size_t count) const;
    void clear() { samples_.clear(); }

private:
    std::deque<TraceSample> samples_;
};

// The first line of every trace export, and the columns' line after the
// comments (the first line of older exports).
inline constexpr std::string_view traceCsvSignature = "# Dravinor trace samples";
inline constexpr std::string_view traceCsvColumns = "time_s,lambda_V,tps_V,stepper,rpm";

// Comment lines ("# "): the signature, then the first sample's wall-clock
// time ("# start: " and localIsoTime) when known; then the columns' line and
// one row a sample, its time in seconds since the first sample.
std::string traceCsv(const std::vector<TraceSample>& samples);

// Whether a file's first line is a trace export's, this one's or an older
// one's; such a file is no live recording.
bool isTraceCsvFirstLine(std::string_view line);

// Unix milliseconds as the local date and time with its offset from UTC,
// ISO 8601: "2026-12-09T13:05:12.300+01:00".
std::string localIsoTime(std::int64_t unixMs);

}  // namespace dravinor::live
