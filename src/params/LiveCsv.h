#pragma once

#include "params/LiveFrame.h"

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

// Why a recording cannot be played.
enum class LiveCsvFault {
    None,
    Missing,
    CannotOpen,  // systemText says why
    Folder,
    NotAFile,  // a FIFO or a device: never waited on
    TooLarge,
    CannotRead,   // systemText says why
    Empty,        // nothing but empty lines
    WrongHeader,  // the first line is not a recording's header; text holds it
    NoPolls,      // a header and no row
    ColumnCount,  // columns says how many the row has (expected + 1: more)
    BadValue,     // column (1-based) holds text, which is not what `expected` says
    TimeGoesBack,
};

// What a column must hold.
enum class LiveCsvValue { Seconds, ZeroOrOne, Byte, StatusByte, Word, IgnitionConstant, UtcTime };

inline constexpr std::size_t liveCsvColumnCount = 17;

struct LiveCsvError {
    std::size_t line = 0;  // 1-based; 0 for a file that cannot be read
    LiveCsvFault fault = LiveCsvFault::None;
    std::size_t columns = 0;
    std::size_t column = 0;
    LiveCsvValue expected = LiveCsvValue::Seconds;
    std::string text = {};  // the bad column's text, or the first line (at most 200 bytes)
    std::string systemText = {};
};

// Parses a whole recording: the header, then one row per poll. Empty
// lines are skipped; times must not go backwards. Returns false with the
// first fault and its line.
bool parseLiveCsv(std::string_view text, std::vector<LiveSample>& samples, LiveCsvError& error);

// Reads and parses a recording file; its name is UTF-8 text.
bool loadLiveCsv(const std::string& path, std::vector<LiveSample>& samples, LiveCsvError& error);

}  // namespace dravinor::params
