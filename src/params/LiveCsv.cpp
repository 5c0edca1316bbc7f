#include "params/LiveCsv.h"

#include "params/Conversions.h"
#include "params/PathText.h"
#include "params/RegularFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <unistd.h>

namespace dravinor::params {

namespace {

enum Column {
    timeColumn,
    answeredColumn,
    lambdaVoltsColumn,
    tpsVoltsColumn,
    rpmColumn,
    stepperColumn,
    temperatureColumn,
    statusColumn,
    fuelColumn,
    lambdaByteColumn,
    tpsByteColumn,
    temperatureByteColumn,
    rpmPeriodColumn,
    ignitionColumn,
    sensorColumn,
    thresholdColumn,
    isoTimeColumn,
    columnCount
};
static_assert(columnCount == liveCsvColumnCount);

// A text kept in an error: a line may be anything, and long.
constexpr std::size_t keptTextBytes = 200;

// A recording is a few MB per half hour; anything far beyond is not one.
constexpr std::uintmax_t largestFile = 256u * 1024 * 1024;

const char* fuelText(FuelState state)
{
    switch (state) {
    case FuelState::Gas: return "Gaz";
    case FuelState::Automatic: return "Benzyna/Automat";
    case FuelState::Petrol: break;
    }
    return "Benzyna";
}

std::string isoTime(std::int64_t unixMs)
{
    if (unixMs <= 0)
        return {};
    const std::time_t seconds = static_cast<std::time_t>(unixMs / 1000);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900, utc.tm_mon + 1,
                  utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, static_cast<int>(unixMs % 1000));
    return text;
}

// Splits on commas; no column of ours holds a comma or a quote.
std::size_t splitFields(std::string_view line, std::array<std::string_view, columnCount + 1>& fields)
{
    std::size_t count = 0;
    while (count < fields.size()) {
        const std::size_t comma = line.find(',');
        fields[count++] = line.substr(0, comma);
        if (comma == std::string_view::npos)
            return count;
        line.remove_prefix(comma + 1);
    }
    return count + 1;  // more than we hold: too many
}

template <typename T>
bool parseWhole(std::string_view text, T& value, int base = 10)
{
    if (text.empty())
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc{} && end == text.data() + text.size();
}

bool parseInRange(std::string_view text, long low, long high, long& value)
{
    return parseWhole(text, value) && value >= low && value <= high;
}

// "2026-12-08T07:32:05.123Z" as Unix milliseconds; empty gives 0.
bool parseIsoTime(std::string_view text, std::int64_t& unixMs)
{
    unixMs = 0;
    if (text.empty())
        return true;
    if (text.size() != 24 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
        text[16] != ':' || text[19] != '.' || text[23] != 'Z')
        return false;
    int parts[7] = {};
    const std::size_t starts[7] = {0, 5, 8, 11, 14, 17, 20};
    const std::size_t lengths[7] = {4, 2, 2, 2, 2, 2, 3};
    for (int i = 0; i < 7; ++i) {
        const std::string_view digits = text.substr(starts[i], lengths[i]);
        if (digits.find_first_not_of("0123456789") != std::string_view::npos || !parseWhole(digits, parts[i]))
            return false;
    }
    if (parts[1] < 1 || parts[1] > 12 || parts[2] < 1 || parts[2] > 31 || parts[3] > 23 || parts[4] > 59 ||
        parts[5] > 60)
        return false;
    std::tm utc{};
    utc.tm_year = parts[0] - 1900;
    utc.tm_mon = parts[1] - 1;
    utc.tm_mday = parts[2];
    utc.tm_hour = parts[3];
    utc.tm_min = parts[4];
    utc.tm_sec = parts[5];
    unixMs = static_cast<std::int64_t>(timegm(&utc)) * 1000 + parts[6];
    // No recording was made before 1970: such a time would not survive
    // being written back (the column stays empty for 0 and below).
    return unixMs >= 0;
}

// "12.345" as milliseconds, exactly as written: up to three decimals.
bool parseSecondsAsMs(std::string_view text, std::int64_t& ms)
{
    const std::size_t dot = text.find('.');
    std::int64_t whole = 0;
    if (!parseWhole(text.substr(0, dot), whole) || whole < 0 || whole > 100'000'000)
        return false;
    std::int64_t fraction = 0;
    if (dot != std::string_view::npos) {
        const std::string_view decimals = text.substr(dot + 1);
        if (decimals.empty() || decimals.size() > 3 || !parseWhole(decimals, fraction) || decimals[0] == '-' ||
            decimals[0] == '+')
            return false;
        for (std::size_t i = decimals.size(); i < 3; ++i)
            fraction *= 10;
    }
    ms = whole * 1000 + fraction;
    return true;
}

bool parseRow(std::string_view line, LiveSample& sample, LiveCsvError& error)
{
    std::array<std::string_view, columnCount + 1> fields;
    const std::size_t count = splitFields(line, fields);
    if (count != columnCount) {
        error.fault = LiveCsvFault::ColumnCount;
        error.columns = std::min<std::size_t>(count, columnCount + 1);
        return false;
    }
    const auto fail = [&](Column column, LiveCsvValue expected) {
        error.fault = LiveCsvFault::BadValue;
        error.column = static_cast<std::size_t>(column) + 1;
        error.expected = expected;
        error.text = std::string(fields[column].substr(0, keptTextBytes));
        return false;
    };
    if (!parseSecondsAsMs(fields[timeColumn], sample.timeMs))
        return fail(timeColumn, LiveCsvValue::Seconds);
    long value = 0;
    if (!parseInRange(fields[answeredColumn], 0, 1, value))
        return fail(answeredColumn, LiveCsvValue::ZeroOrOne);
    sample.answered = value == 1;
    struct ByteColumn {
        Column column;
        std::uint8_t* target;
    };
    for (const auto& [column, target] :
         {ByteColumn{stepperColumn, &sample.frame.stepperPosition}, ByteColumn{lambdaByteColumn, &sample.frame.lambda},
          ByteColumn{tpsByteColumn, &sample.frame.tps}, ByteColumn{temperatureByteColumn, &sample.frame.temperature},
          ByteColumn{thresholdColumn, &sample.settings.lambdaThreshold}}) {
        if (!parseInRange(fields[column], 0, 255, value))
            return fail(column, LiveCsvValue::Byte);
        *target = static_cast<std::uint8_t>(value);
    }
    const std::string_view status = fields[statusColumn];
    if (status.size() != 4 || status.substr(0, 2) != "0x" || !parseWhole(status.substr(2), value, 16) || value < 0)
        return fail(statusColumn, LiveCsvValue::StatusByte);
    sample.frame.status = static_cast<std::uint8_t>(value);
    if (!parseInRange(fields[rpmPeriodColumn], 0, 65535, value))
        return fail(rpmPeriodColumn, LiveCsvValue::Word);
    sample.frame.rpmPeriod = static_cast<std::uint16_t>(value);
    if (!parseInRange(fields[ignitionColumn], 1, 1'000'000, value))
        return fail(ignitionColumn, LiveCsvValue::IgnitionConstant);
    sample.settings.ignitionConstant = static_cast<float>(value);
    if (!parseInRange(fields[sensorColumn], 0, 1, value))
        return fail(sensorColumn, LiveCsvValue::ZeroOrOne);
    sample.settings.temperatureSensor = value == 1;
    if (!parseIsoTime(fields[isoTimeColumn], sample.wallClockMs))
        return fail(isoTimeColumn, LiveCsvValue::UtcTime);
    // The decoded columns are for people; a replay works from the raw fields.
    return true;
}

}  // namespace

const std::string& liveCsvHeader()
{
    static const std::string header =
        "time_s,answered,lambda_v,tps_v,rpm,stepper,temperature_c,status,fuel,"
        "lambda_byte,tps_byte,temperature_byte,rpm_period,ignition_k,temperature_sensor,lambda_threshold,iso_time";
    return header;
}

std::string liveCsvRow(const LiveSample& s)
{
    const LiveFrame& f = s.frame;
    // The speed of a zero period is no number a spreadsheet could plot: its
    // cell stays empty, and rpm_period tells why.
    const int rpm = engineRpm(f, s.settings.ignitionConstant);
    const std::string rpmText = rpm >= rpmBeyondAnyEngine ? std::string() : std::to_string(rpm);
    char row[256];
    std::snprintf(row, sizeof row, "%lld.%03lld,%d,%.3f,%.3f,%s,%u,%.1f,0x%02X,%s,%u,%u,%u,%u,%.0f,%d,%u,%s",
                  static_cast<long long>(s.timeMs / 1000), static_cast<long long>(s.timeMs % 1000), s.answered ? 1 : 0,
                  static_cast<double>(lambdaVolts(f.lambda)), static_cast<double>(tpsVolts(f.tps)), rpmText.c_str(),
                  f.stepperPosition, static_cast<double>(temperatureC(f.temperature)), f.status,
                  fuelText(fuelState(f.status)), f.lambda, f.tps, f.temperature, f.rpmPeriod,
                  static_cast<double>(s.settings.ignitionConstant), s.settings.temperatureSensor ? 1 : 0,
                  s.settings.lambdaThreshold, isoTime(s.wallClockMs).c_str());
    return row;
}

bool parseLiveCsv(std::string_view text, std::vector<LiveSample>& samples, LiveCsvError& error)
{
    samples.clear();
    // A spreadsheet may have saved it with a byte-order mark.
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    // Rows are about a hundred bytes: reserve once, not on every growth.
    samples.reserve(text.size() / 90 + 1);
    bool headerSeen = false;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        if (!headerSeen) {
            if (line != liveCsvHeader()) {
                error = {.line = lineNumber, .fault = LiveCsvFault::WrongHeader};
                error.text = std::string(line.substr(0, keptTextBytes));
                return false;
            }
            headerSeen = true;
            continue;
        }
        LiveSample sample;
        error = {};
        if (!parseRow(line, sample, error)) {
            error.line = lineNumber;
            return false;
        }
        if (!samples.empty() && sample.timeMs < samples.back().timeMs) {
            error = {.line = lineNumber, .fault = LiveCsvFault::TimeGoesBack};
            return false;
        }
        samples.push_back(sample);
    }
    if (samples.empty()) {
        error = {.line = lineNumber, .fault = headerSeen ? LiveCsvFault::NoPolls : LiveCsvFault::Empty};
        return false;
    }
    return true;
}

bool loadLiveCsv(const std::string& path, std::vector<LiveSample>& samples, LiveCsvError& error)
{
    // Never blocks: a FIFO is refused, not waited on for a writer.
    OpenedFile file = openRegularFile(pathFromUtf8(path), O_RDONLY);
    switch (file.error) {
    case RegularFileError::None: break;
    case RegularFileError::Directory: error = {.fault = LiveCsvFault::Folder}; return false;
    case RegularFileError::NotAFile: error = {.fault = LiveCsvFault::NotAFile}; return false;
    case RegularFileError::Missing: error = {.fault = LiveCsvFault::Missing}; return false;
    case RegularFileError::CannotOpen:
        error = {.fault = LiveCsvFault::CannotOpen};
        error.systemText = file.systemText;
        return false;
    }
    if (file.size > largestFile) {
        error = {.fault = LiveCsvFault::TooLarge};
        return false;
    }
    std::string text(static_cast<std::size_t>(file.size), '\0');
    std::size_t got = 0;
    while (got < text.size()) {
        const ssize_t n = ::read(file.fd.get(), text.data() + got, text.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = {.fault = LiveCsvFault::CannotRead};
            error.systemText = std::strerror(errno);
            return false;
        }
        if (n == 0)
            break;  // it became shorter meanwhile: parse what is there
        got += static_cast<std::size_t>(n);
    }
    text.resize(got);
    return parseLiveCsv(text, samples, error);
}

}  // namespace dravinor::params
