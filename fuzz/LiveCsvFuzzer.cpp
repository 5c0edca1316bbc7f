// Any bytes as a live recording for --replay: the reader never crashes or
// reads past its input; a recording it accepts is written back row by row
// and read again to the same polls; a refusal names a line of the input
// (none for an empty one).
#include "FuzzCheck.h"
#include "params/LiveCsv.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace dravinor;

using dravinor::fuzz::check;

namespace {

bool samePoll(const params::LiveSample& a, const params::LiveSample& b)
{
    return a.timeMs == b.timeMs && a.wallClockMs == b.wallClockMs && a.answered == b.answered &&
           a.frame.lambda == b.frame.lambda && a.frame.tps == b.frame.tps &&
           a.frame.temperature == b.frame.temperature && a.frame.stepperPosition == b.frame.stepperPosition &&
           a.frame.status == b.frame.status && a.frame.rpmPeriod == b.frame.rpmPeriod &&
           a.settings.ignitionConstant == b.settings.ignitionConstant &&
           a.settings.temperatureSensor == b.settings.temperatureSensor &&
           a.settings.lambdaThreshold == b.settings.lambdaThreshold;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<params::LiveSample> samples;
    params::LiveCsvError error;
    if (!params::parseLiveCsv(text, samples, error)) {
        check(error.fault != params::LiveCsvFault::None);
        // What the fault keeps of the text is bounded.
        check(error.text.size() <= 200);
        const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
        check(error.line <= lines);  // 0 only for a text without a line
        return 0;
    }
    check(!samples.empty());
    std::string written = params::liveCsvHeader() + "\n";
    for (std::size_t i = 0; i < samples.size(); ++i) {
        check(i == 0 || samples[i].timeMs >= samples[i - 1].timeMs);
        written += params::liveCsvRow(samples[i]) + "\n";
    }
    std::vector<params::LiveSample> again;
    check(params::parseLiveCsv(written, again, error));
    check(again.size() == samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i)
        check(samePoll(samples[i], again[i]));
    return 0;
}
