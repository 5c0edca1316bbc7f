#include "live/OscilloscopeGroup.h"
#include "live/SuggestedFileName.h"
#include "live/TScope.h"
#include "live/TraceHistory.h"
#include "params/LiveCsv.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

using namespace dravinor;

namespace {

// Whether any pixel of the area is near the colour (antialiased text is lighter).
bool inked(const QImage& image, const QRect& area, QRgb colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (std::abs(qRed(pixel) - qRed(colour)) + std::abs(qGreen(pixel) - qGreen(colour)) +
                    std::abs(qBlue(pixel) - qBlue(colour)) <
                60)
                return true;
        }
    return false;
}

params::LiveFrame frameWithLambda(std::uint8_t lambda)
{
    params::LiveFrame frame;
    frame.lambda = lambda;
    frame.tps = 51;
    frame.stepperPosition = 90;
    frame.rpmPeriod = 0;
    frame.status = params::status::noEngineSpeed;
    return frame;
}

}  // namespace

TEST(TraceHistory, KeepsTheNewestAndWritesPointDecimalsWhateverTheLocale)
{
    live::TraceHistory history;
    for (int i = 0; i < static_cast<int>(live::TraceHistory::capacity) + 5; ++i)
        history.add({i * 0.1, 0.38f, 1.234f, i % 256, 2500});
    const auto newest = history.newest(2);
    ASSERT_EQ(newest.size(), 2u);
    EXPECT_EQ(newest[1].stepper, static_cast<int>((live::TraceHistory::capacity + 4) % 256));
    EXPECT_EQ(history.newest(100000).size(), live::TraceHistory::capacity);
    std::setlocale(LC_ALL, "pl_PL.UTF-8");
    EXPECT_EQ(live::traceCsv({{12.3, 0.38f, 1.234f, 90, 2500}}),
              "# Dravinor trace samples\ntime_s,lambda_V,tps_V,stepper,rpm\n0.0,0.38,1.23,90,2500\n");
    std::setlocale(LC_ALL, "C");
}

// A trace's samples start at its first: 0.0 and the wall-clock time it was
// taken at, local with its offset, which reads back to the same instant.
TEST(TraceHistory, TheCsvStartsAtTheFirstSampleAndSaysWhenThatWas)
{
    const char* zone = std::getenv("TZ");
    const std::string before = zone ? zone : "";
    // Warsaw's zone as a POSIX rule: Windows' C runtime reads no zone names
    // (it takes the offset and the summer name, and these two dates fall
    // alike under its own summer rule).
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    const std::int64_t winter = 1796817912300;  // 2026-12-09 12:05:12.300 UTC
    const std::int64_t summer = 1782900000045;  // 2026-07-01 10:00:00.045 UTC
    EXPECT_EQ(live::localIsoTime(winter), "2026-12-09T13:05:12.300+01:00");
    EXPECT_EQ(live::localIsoTime(summer), "2026-07-01T12:00:00.045+02:00");

    const std::string csv =
        live::traceCsv({{32.4, 0.38f, 1.2f, 90, 2500, winter}, {32.5, 0.8f, 1.3f, 91, 2600, winter + 100}});
    std::vector<std::string> comments, rows;
    std::string columns;
    for (std::size_t start = 0, end; start < csv.size(); start = end + 1) {
        end = csv.find('\n', start);
        const std::string line = csv.substr(start, end - start);
        if (line.starts_with("#"))
            comments.push_back(line);
        else if (columns.empty())
            columns = line;
        else
            rows.push_back(line);
    }
    EXPECT_TRUE(live::isTraceCsvFirstLine(comments.at(0)));
    ASSERT_EQ(comments.size(), 2u);
    ASSERT_TRUE(comments[1].starts_with("# start: "));
    const QDateTime start = QDateTime::fromString(QString::fromStdString(comments[1].substr(9)), Qt::ISODateWithMs);
    EXPECT_EQ(start.toMSecsSinceEpoch(), winter);
    EXPECT_EQ(columns, live::traceCsvColumns);
    EXPECT_EQ(rows, (std::vector<std::string>{"0.0,0.38,1.20,90,2500", "0.1,0.80,1.30,91,2600"}));

    // A replay knows the trace's files, old ones by their columns, and nothing else.
    EXPECT_TRUE(live::isTraceCsvFirstLine("time_s,lambda_V,tps_V,stepper,rpm"));
    EXPECT_FALSE(live::isTraceCsvFirstLine(params::liveCsvHeader()));
    if (zone)
        setenv("TZ", before.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST(TraceSaveNames, ADatedSuggestionAndTheTypesExtensionForANewNameWithout)
{
    const QDateTime when(QDate(2026, 12, 9), QTime(13, 5, 12));
    EXPECT_EQ(live::datedFileName("dravinor-trace", "png", when), "dravinor-trace-2026-12-09_13-05-12.png");
    EXPECT_EQ(live::datedFileName("dravinor-trace", "csv", when), "dravinor-trace-2026-12-09_13-05-12.csv");
    QTemporaryDir dir;
    EXPECT_EQ(live::withDefaultSuffix(dir.filePath("trace1"), "png"), dir.filePath("trace1.png"));
    EXPECT_EQ(live::withDefaultSuffix(dir.filePath("trace1"), "csv"), dir.filePath("trace1.csv"));
    EXPECT_EQ(live::withDefaultSuffix(dir.filePath("trace1.PNG"), "png"), dir.filePath("trace1.PNG"));
    QDir(dir.path()).mkdir("car.v2");
    EXPECT_EQ(live::withDefaultSuffix(dir.filePath("car.v2/trace1"), "png"), dir.filePath("car.v2/trace1.png"))
        << "a folder's dot is not the file's extension";
    QFile existing(dir.filePath("kept"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    EXPECT_EQ(live::withDefaultSuffix(dir.filePath("kept"), "png"), dir.filePath("kept"))
        << "an existing file chosen in the dialog is the one asked about";
    EXPECT_EQ(live::withDefaultSuffix("", "png"), "") << "cancelled";
}

TEST(TraceFreeze, TheHeldPictureAndSamplesStayWhileTheSweepGoesOn)
{
    live::OscilloscopeGroup group;
    live::TScope* scope = group.scope();
    for (int step = 0; step < 10; ++step) {
        group.feed(frameWithLambda(static_cast<std::uint8_t>(step * 5)), 4800);
        scope->step();
    }
    group.findChild<QAction*>("ZamrozObraz")->trigger();
    ASSERT_TRUE(group.frozen());
    const QImage held = scope->shownImage();
    const auto heldSamples = group.shownSamples();
    ASSERT_EQ(heldSamples.size(), 10u);
    EXPECT_NEAR(heldSamples.back().lambdaVolts, 45 * 5.0 / 255, 0.001);
    EXPECT_NEAR(heldSamples.back().seconds, 0.9, 1e-9) << "a step every 100 ms";

    for (int step = 0; step < 5; ++step) {
        group.feed(frameWithLambda(200), 4800);
        scope->step();
    }
    EXPECT_EQ(scope->shownImage(), held) << "the picture is held";
    EXPECT_NE(scope->traceImage(), held) << "the sweep went on underneath";
    EXPECT_EQ(group.shownSamples().size(), 10u);

    QTemporaryDir dir;
    // A Polish and Cyrillic name, which Windows must be given whole.
    const QString png = dir.filePath(QStringLiteral("ślad-Жиг.png"));
    const QString csv = dir.filePath(QStringLiteral("ślad-Жиг.csv"));
    ASSERT_TRUE(group.savePicture(png));
    ASSERT_TRUE(group.saveSamples(csv));
    const QImage kept(png);
    EXPECT_GE(kept.width(), 1200);
    EXPECT_TRUE(inked(kept, QRect(16, 104, 84, 526), qRgb(0xD0, 0, 0))) << "the lambda axis's values";
    EXPECT_TRUE(inked(kept, QRect(100, 640, 1084, 60), qRgb(0, 0, 0))) << "the time axis's values and name";
    EXPECT_TRUE(inked(kept, QRect(16, 16, 1168, 34), qRgb(0, 0, 0))) << "the heading";
    EXPECT_FALSE(inked(kept, QRect(1110, 104, 84, 526), qRgb(0xC0, 0, 0xC0))) << "no TPS axis: not shown";
    QFile samples(csv);
    ASSERT_TRUE(samples.open(QIODevice::ReadOnly));
    EXPECT_EQ(samples.readAll().count('\n'), 13) << "two comments, the columns and the ten held samples";
    EXPECT_FALSE(group.saveSamples(dir.filePath("no-such-folder/trace.csv")));

    group.setFrozen(false);
    EXPECT_FALSE(group.findChild<QAction*>("ZamrozObraz")->isChecked());
    EXPECT_EQ(group.shownSamples().size(), 15u);
}
