#include "params/LiveCsv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace dravinor::params;

namespace {

LiveSample sample(std::int64_t ms, std::uint8_t lambda, std::uint8_t status, std::uint16_t period)
{
    LiveSample s;
    s.timeMs = ms;
    s.wallClockMs = 1'796'000'000'000 + ms;
    s.answered = ms % 2 == 0;
    s.frame = {lambda, static_cast<std::uint8_t>(255 - lambda), 153, static_cast<std::uint8_t>(lambda / 2), status,
               period};
    s.settings = {4800, status % 2 == 1, 46};
    return s;
}

std::string recording(const std::vector<std::string>& rows)
{
    std::string text = liveCsvHeader() + "\n";
    for (const auto& row : rows)
        text += row + "\n";
    return text;
}

std::size_t columns(const std::string& line)
{
    return static_cast<std::size_t>(std::count(line.begin(), line.end(), ',')) + 1;
}

bool sameFrame(const LiveSample& a, const LiveSample& b)
{
    return a.timeMs == b.timeMs && a.answered == b.answered && a.frame.lambda == b.frame.lambda &&
           a.frame.tps == b.frame.tps && a.frame.temperature == b.frame.temperature &&
           a.frame.stepperPosition == b.frame.stepperPosition && a.frame.status == b.frame.status &&
           a.frame.rpmPeriod == b.frame.rpmPeriod && a.settings.ignitionConstant == b.settings.ignitionConstant &&
           a.settings.temperatureSensor == b.settings.temperatureSensor &&
           a.settings.lambdaThreshold == b.settings.lambdaThreshold && a.wallClockMs == b.wallClockMs;
}

}  // namespace

TEST(LiveCsv, RowsReadBackAsTheFramesAndSettingsWritten)
{
    const std::vector<LiveSample> written{sample(0, 0, 0x00, 0), sample(1, 255, 0x43, 65535),
                                          sample(50, 128, 0x02, 1234), sample(1'799'999, 46, 0x01, 3000)};
    std::vector<std::string> rows;
    for (const auto& s : written)
        rows.push_back(liveCsvRow(s));
    std::vector<LiveSample> read;
    LiveCsvError error;
    ASSERT_TRUE(parseLiveCsv(recording(rows), read, error))
        << error.line << ": fault " << static_cast<int>(error.fault);
    ASSERT_EQ(read.size(), written.size());
    for (std::size_t i = 0; i < read.size(); ++i)
        EXPECT_TRUE(sameFrame(read[i], written[i])) << rows[i];
}

TEST(LiveCsv, HeaderNamesUnitsAndRowsCarryDecodedValues)
{
    const std::string& header = liveCsvHeader();
    EXPECT_EQ(header.rfind("time_s,answered,lambda_v,tps_v,rpm,stepper,temperature_c,status,fuel,", 0), 0u);
    const std::string row = liveCsvRow(sample(61'005, 255, 0x02, 0));
    EXPECT_EQ(columns(row), columns(header));
    // 61.005 s; 5 V of lambda, the 255-complement TPS byte 0; gas; ISO time in
    // UTC. Period 0 is a speed beyond any engine: no number in the rpm cell.
    EXPECT_EQ(row.rfind("61.005,0,5.000,0.000,,127,95.0,0x02,Gaz,255,0,153,0,4800,0,46,", 0), 0u) << row;
    EXPECT_NE(liveCsvRow(sample(0, 10, 0x00, 1745)).find(",2200,"), std::string::npos);
    EXPECT_NE(row.find("T"), std::string::npos);
    EXPECT_EQ(row.back(), 'Z');
    // No engine speed reads 0 whatever the period.
    EXPECT_NE(liveCsvRow(sample(0, 10, 0x40, 1000)).find(",0,5,"), std::string::npos);
}

TEST(LiveCsv, ToleratesBlankLinesCarriageReturnsAndAByteOrderMark)
{
    const std::string row = liveCsvRow(sample(100, 10, 0, 500));
    const std::string text = "\xEF\xBB\xBF" + liveCsvHeader() + "\r\n\r\n" + row + "\r\n\n" + row;
    std::vector<LiveSample> read;
    LiveCsvError error;
    ASSERT_TRUE(parseLiveCsv(text, read, error)) << "line " << error.line;
    EXPECT_EQ(read.size(), 2u);
}

TEST(LiveCsv, MalformedLinesAreRefusedWithTheirLineNumber)
{
    const std::string good = liveCsvRow(sample(100, 10, 0, 500));
    auto replaced = [&](std::size_t column, const std::string& value) {
        std::string row = good;
        std::size_t start = 0;
        for (std::size_t i = 0; i < column; ++i)
            start = row.find(',', start) + 1;
        const std::size_t end = row.find(',', start);
        return row.replace(start, end == std::string::npos ? std::string::npos : end - start, value);
    };
    using enum LiveCsvFault;
    using enum LiveCsvValue;
    const struct {
        std::string text;
        std::size_t line;
        LiveCsvFault fault;
        std::size_t column = 0;  // a bad value's column, or a wrong row's count of columns
        LiveCsvValue expected = Seconds;
    } cases[] = {
        {"", 0, Empty},
        {liveCsvHeader() + "\n", 1, NoPolls},
        {"time_s,answered,lambda_v\n" + good + "\n", 1, WrongHeader},
        {recording({good, good.substr(0, good.rfind(','))}), 3, ColumnCount, 16},
        {recording({good + ",x"}), 2, ColumnCount, 18},
        {recording({good, replaced(0, "-1.000")}), 3, BadValue, 1, Seconds},
        {recording({replaced(0, "1.0001")}), 2, BadValue, 1, Seconds},
        {recording({replaced(0, "abc")}), 2, BadValue, 1, Seconds},
        {recording({replaced(1, "2")}), 2, BadValue, 2, ZeroOrOne},
        {recording({replaced(7, "0x1G")}), 2, BadValue, 8, StatusByte},
        {recording({replaced(7, "12")}), 2, BadValue, 8, StatusByte},
        {recording({replaced(9, "256")}), 2, BadValue, 10, Byte},
        {recording({replaced(9, " 1")}), 2, BadValue, 10, Byte},
        {recording({replaced(12, "65536")}), 2, BadValue, 13, Word},
        {recording({replaced(13, "0")}), 2, BadValue, 14, IgnitionConstant},
        {recording({replaced(14, "yes")}), 2, BadValue, 15, ZeroOrOne},
        {recording({good, good, replaced(0, "0.050")}), 4, TimeGoesBack},
        {recording({replaced(16, "2026-13-08T07:32:05.123Z")}), 2, BadValue, 17, UtcTime},
        {recording({replaced(16, "yesterday")}), 2, BadValue, 17, UtcTime},
        // Before 1970 no recording was made, and the time would be lost when written back.
        {recording({replaced(16, "0262-12-08T07:32:05.123Z")}), 2, BadValue, 17, UtcTime},
    };
    for (const auto& c : cases) {
        std::vector<LiveSample> read;
        LiveCsvError error;
        EXPECT_FALSE(parseLiveCsv(c.text, read, error)) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_EQ(error.fault, c.fault) << c.text;
        if (c.fault == ColumnCount) {
            EXPECT_EQ(error.columns, c.column) << c.text;
        }
        if (c.fault == BadValue) {
            EXPECT_EQ(error.column, c.column) << c.text;
            EXPECT_EQ(error.expected, c.expected) << c.text;
        }
    }
}

// The message names what it found: the column's text, or the line that is
// no header, cut so that a huge line cannot flood a message box.
TEST(LiveCsv, TheFaultKeepsWhatWasFoundButNoMoreThanAShortPiece)
{
    std::vector<LiveSample> read;
    LiveCsvError error;
    const std::string spreadsheet = "Czas;Lambda;TPS" + std::string(1000, ';');
    EXPECT_FALSE(parseLiveCsv(spreadsheet + "\n", read, error));
    EXPECT_EQ(error.fault, LiveCsvFault::WrongHeader);
    EXPECT_EQ(error.text, spreadsheet.substr(0, 200));

    const std::string row = liveCsvRow(sample(100, 10, 0, 500));
    EXPECT_FALSE(parseLiveCsv(liveCsvHeader() + "\n" + "zero" + row.substr(row.find(',')) + "\n", read, error));
    EXPECT_EQ(error.text, "zero");
}

TEST(LiveCsv, AMissingFileIsAnErrorWithoutALine)
{
    std::vector<LiveSample> read;
    LiveCsvError error;
    EXPECT_FALSE(loadLiveCsv("/nonexistent/dravinor/recording.csv", read, error));
    EXPECT_EQ(error.line, 0u);
    EXPECT_EQ(error.fault, LiveCsvFault::Missing);
}

TEST(LiveCsv, AFolderIsCalledAFolderNotTooLargeAndAFifoIsNeverWaitedOn)
{
    const std::string dir = ::testing::TempDir() + "dravinor-replay-" + std::to_string(::getpid());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir + "/recording.csv");
    ASSERT_EQ(::mkfifo((dir + "/fifo.csv").c_str(), 0600), 0);
    std::vector<LiveSample> read;
    LiveCsvError error;
    EXPECT_FALSE(loadLiveCsv(dir + "/recording.csv", read, error));
    EXPECT_EQ(error.line, 0u);
    EXPECT_EQ(error.fault, LiveCsvFault::Folder);

    // No writer ever comes: the load must not wait for one.
    EXPECT_FALSE(loadLiveCsv(dir + "/fifo.csv", read, error));
    EXPECT_EQ(error.fault, LiveCsvFault::NotAFile);
    EXPECT_FALSE(loadLiveCsv("/dev/zero", read, error));
    std::filesystem::remove_all(dir);
}
