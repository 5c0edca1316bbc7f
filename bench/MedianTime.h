#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

namespace dravinor::bench {

// The median wall time of runs calls of work, in milliseconds: one slow run
// (another process taking the core) does not move it.
template <typename Work>
double medianMs(int runs, Work work)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace dravinor::bench
