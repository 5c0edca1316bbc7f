#pragma once

#include "LiveFrame.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dravinor::params {

// The settings that shape how a frame is shown: they travel with each
// recorded row, so a replay shows what the fitter saw without the
// controller's parameters.
struct LiveSettings {
    float ignitionConstant = 0;
    bool temperatureSensor = false;
    std::uint8_t lambdaThreshold = 0;
};

// One live poll as recorded.
struct LiveSample {
    std::int64_t timeMs = 0;       // since the first poll of the recording
    std::int64_t wallClockMs = 0;  // Unix time; 0 leaves the ISO column empty
    bool answered = false;
    LiveFrame frame;
    LiveSettings settings;
};

// The header line of a live recording (no line end). The columns up to
// "fuel" are decoded values, their units in their names; then the raw
// frame fields and the settings a replay needs.
const std::string& liveCsvHeader();

// One row (no line end). The decoded columns are computed from the frame
// and the settings.
std::string liveCsvRow(const LiveSample& sample);

struct LiveCsvError {
    std::size_t line = 0;  // 1-based; 0 for a file that cannot be read
    std::string message;
};

// Parses a whole recording: the header, then one row per poll. Empty
// lines are skipped; times must not go backwards. Returns false with the
// first fault's line.
bool parseLiveCsv(std::string_view text, std::vector<LiveSample>& samples, LiveCsvError& error);

// Reads and parses a recording file.
bool loadLiveCsv(const std::string& path, std::vector<LiveSample>& samples, LiveCsvError& error);

}  // namespace dravinor::params
