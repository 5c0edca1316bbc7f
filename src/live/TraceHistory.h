#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

namespace dravinor::live {

// What the trace drew at one sweep step, in the channels' units.
struct TraceSample {
    double seconds = 0;  // since the trace's first step
    float lambdaVolts = 0;
    float tpsVolts = 0;
    int stepper = 0;
    int rpm = 0;
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

// A header line and one row a sample: "time_s,lambda_V,tps_V,stepper,rpm".
std::string traceCsv(const std::vector<TraceSample>& samples);

}  // namespace dravinor::live
