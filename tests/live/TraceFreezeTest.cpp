#include "live/OscilloscopeGroup.h"
#include "live/TScope.h"
#include "live/TraceHistory.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace dravinor;

namespace {

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
              "time_s,lambda_V,tps_V,stepper,rpm\n12.3,0.38,1.23,90,2500\n");
    std::setlocale(LC_ALL, "C");
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
    const QString png = dir.filePath("trace.png");
    const QString csv = dir.filePath("trace.csv");
    ASSERT_TRUE(group.savePicture(png));
    ASSERT_TRUE(group.saveSamples(csv));
    EXPECT_EQ(QImage(png).size(), held.size());
    QFile samples(csv);
    ASSERT_TRUE(samples.open(QIODevice::ReadOnly));
    EXPECT_EQ(samples.readAll().count('\n'), 11) << "a header and the ten held samples";
    EXPECT_FALSE(group.saveSamples(dir.filePath("no-such-folder/trace.csv")));

    group.setFrozen(false);
    EXPECT_FALSE(group.findChild<QAction*>("ZamrozObraz")->isChecked());
    EXPECT_EQ(group.shownSamples().size(), 15u);
}
