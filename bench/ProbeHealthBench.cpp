// CPU of the probe check on one live frame: adding the frame to a full
// ten-second window and working out every figure and the verdict, as the live
// page does on each poll.
#include "GoalReporter.h"
#include "diagnostics/ProbeHealth.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using dravinor::diagnostics::ProbeHealth;

void probeCheckPerFrame(benchmark::State& state)
{
    ProbeHealth health(0);
    double t = 0;
    auto volts = [](double at) { return static_cast<float>(0.45 + 0.4 * std::sin(9.4 * at)); };
    for (; t < 10.0; t += 0.05)
        health.add({t, volts(t), 2500});
    for (auto _ : state) {
        health.add({t, volts(t), 2500});
        benchmark::DoNotOptimize(health.figures());
        t += 0.05;
    }
}
BENCHMARK(probeCheckPerFrame);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    dravinor::bench::GoalReporter reporter("frame", 0.1);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
