#include "OscilloscopeGroup.h"
#include "TScope.h"
#include "TraceSamples.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

using dravinor::live::layoutOscilloscope;
using dravinor::live::OscilloscopeGroup;
using dravinor::live::Placement;
using dravinor::live::ProbeTypeSettings;
using dravinor::live::TScope;
using dravinor::params::LiveFrame;

namespace {

constexpr float k19200 = 19200.0f;

template <typename T = QWidget>
T* child(const OscilloscopeGroup& group, const char* name)
{
    auto* widget = group.findChild<T*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QString text(const OscilloscopeGroup& group, const char* label)
{
    return child<QLabel>(group, label)->text();
}

// Steps until the sweep has wrapped and the picture has been wiped.
void stepThroughWipe(TScope& scope)
{
    for (int i = 0; i < 1000; ++i) {
        scope.step();
        if (scope.sweepX() == 2)
            return;
    }
    FAIL() << "the sweep never wrapped";
}

bool rowHas(const QImage& image, int y, QColor color)
{
    for (int x = 1; x < image.width(); ++x)
        if (image.pixelColor(x, y) == color)
            return true;
    return false;
}

LiveFrame lambdaFrame(int lambdaByte)
{
    LiveFrame frame;
    frame.lambda = static_cast<std::uint8_t>(lambdaByte);
    return frame;
}

}  // namespace

TEST(OscilloscopeGroupForm, StartsWithTheLambdaChannelAndTheGridOn)
{
    const OscilloscopeGroup group;
    EXPECT_EQ(group.objectName(), "GroupBoxLambda");
    EXPECT_EQ(text(group, "PodpisWykresLambdaLAB"), "CZASY LAMBDA:");
    const struct {
        const char* name;
        const char* caption;
        bool checked;
    } boxes[] = {{"CheckOscyLambda", "&LAMBDA", true}, {"CheckOscyTPS", "&TPS", false},
                 {"CheckOscySTEP", "&STEP", false},    {"CheckOscyRPM", "&RPM", false},
                 {"CheckSiatka", "S&IATKA", true},     {"CheckOscyPauza", "&PAUZA", false}};
    for (const auto& box : boxes) {
        const auto* check = child<QCheckBox>(group, box.name);
        EXPECT_EQ(check->text(), box.caption);
        EXPECT_EQ(check->isChecked(), box.checked) << box.name;
        EXPECT_EQ(check->parent()->objectName(), "GroupBoxLambdaIn");
    }
    EXPECT_FALSE(child(group, "PanelOscyLambda")->isHidden());
    for (const char* hidden : {"PanelOscyTPS", "PanelOscySTEP", "PanelOscyRPM"})
        EXPECT_TRUE(child(group, hidden)->isHidden()) << hidden;
    EXPECT_TRUE(group.traceFeed(0));
    EXPECT_FALSE(group.traceFeed(1) || group.traceFeed(2) || group.traceFeed(3));
    EXPECT_FLOAT_EQ(group.lambdaTraceDivisor(), 2.55f);

    EXPECT_EQ(text(group, "VLAB_0"), " [V]");
    EXPECT_EQ(text(group, "VLAB_2"), "3,8");
    EXPECT_EQ(text(group, "STEPLAB_1"), "255");
    EXPECT_EQ(text(group, "RPMLAB_5"), "0");
    EXPECT_EQ(child(group, "TPSLAB_3")->parent()->objectName(), "PanelOscyTPS");
    // Colours are 0x00BBGGRR on the form.
    const auto ink = [&](const char* label) { return child(group, label)->palette().color(QPalette::WindowText); };
    EXPECT_EQ(ink("VLAB_3"), QColor(255, 0, 0));
    EXPECT_EQ(ink("RPMLAB_2"), QColor(255, 128, 0));
    EXPECT_EQ(ink("RPMLAB_0"), QColor(255, 128, 64));
}

TEST(OscilloscopeGroupForm, TraceHasTheFormValuesAndNoRunningTimer)
{
    const OscilloscopeGroup group;
    const TScope& scope = *group.scope();
    EXPECT_EQ(scope.objectName(), "Scope1");
    EXPECT_EQ(scope.gridsize(), 34);
    EXPECT_TRUE(scope.active());
    EXPECT_FALSE(scope.timerRunning());  // the page starts the sweep
    EXPECT_EQ(scope.interval(), 10);
    EXPECT_EQ(scope.geometry(), QRect(56, 32, 256, 160));
    EXPECT_EQ((std::array{scope.position(0), scope.position(1), scope.position(2), scope.position(3)}),
              (std::array{15, 50, 0, 0}));
    EXPECT_TRUE(scope.channelDrawn(0));
    EXPECT_FALSE(scope.channelDrawn(1) || scope.channelDrawn(2) || scope.channelDrawn(3));
    EXPECT_EQ(scope.color(), QColor(255, 255, 0xCA));
    EXPECT_EQ(scope.gridcolor(), QColor(128, 128, 128));
    EXPECT_EQ(scope.linecolor(1), QColor(255, 0, 255));
    EXPECT_EQ(scope.linecolor(2), QColor(255, 128, 64));
    EXPECT_EQ(scope.linecolor(3), QColor(0, 255, 255));
    EXPECT_EQ(scope.basecolor(), QColor(0xDF, 0xDF, 0xFF));
    EXPECT_EQ(scope.traceImage().pixelColor(33, 100), QColor(128, 128, 128));
}

TEST(OscilloscopeGroupChannels, UncheckedChannelIsNeitherFedNorDrawnAndResumesFromItsHeight)
{
    OscilloscopeGroup group;
    TScope& scope = *group.scope();
    auto* lambdaBox = child<QCheckBox>(group, "CheckOscyLambda");
    group.feed(lambdaFrame(145), k19200);  // 145 / 2.55 + 5 = 61.86
    scope.step();
    EXPECT_EQ(scope.lastY(0), 160 - 98);

    lambdaBox->click();
    EXPECT_FALSE(group.traceFeed(0));
    EXPECT_FALSE(scope.channelDrawn(0));
    EXPECT_TRUE(child(group, "PanelOscyLambda")->isHidden());
    group.feed(lambdaFrame(0), k19200);
    EXPECT_EQ(scope.position(0), 61);
    const int x = scope.sweepX();
    scope.step();
    scope.step();
    EXPECT_EQ(scope.lastY(0), 62);
    EXPECT_FALSE(rowHas(scope.traceImage().copy(x, 0, 8, 160), 62, Qt::red));

    lambdaBox->click();
    EXPECT_TRUE(group.traceFeed(0));
    EXPECT_FALSE(child(group, "PanelOscyLambda")->isHidden());
    group.feed(lambdaFrame(0), k19200);
    const int resumeX = scope.sweepX();
    scope.step();
    EXPECT_EQ(scope.traceImage().pixelColor(resumeX, 62), QColor(Qt::red));
    EXPECT_EQ(scope.lastY(0), 160 - 8);
}

TEST(OscilloscopeGroupChannels, OtherChannelsShowTheirPanelsAndTakeTheirInputs)
{
    OscilloscopeGroup group;
    LiveFrame frame;
    frame.tps = 255;
    frame.stepperPosition = 255;
    frame.rpmPeriod = 0;
    for (const char* box : {"CheckOscyTPS", "CheckOscySTEP", "CheckOscyRPM"})
        child<QCheckBox>(group, box)->click();
    for (const char* panel : {"PanelOscyTPS", "PanelOscySTEP", "PanelOscyRPM"})
        EXPECT_FALSE(child(group, panel)->isHidden()) << panel;
    group.feed(frame, k19200);
    const TScope& scope = *group.scope();
    EXPECT_EQ((std::array{scope.position(1), scope.position(2), scope.position(3)}), (std::array{103, 110, 5}));
    EXPECT_TRUE(scope.channelDrawn(1) && scope.channelDrawn(2) && scope.channelDrawn(3));
}

TEST(OscilloscopeGroupPause, PauseStopsTheSweepWhereItIsAndUnpauseResumes)
{
    OscilloscopeGroup group;
    TScope& scope = *group.scope();
    scope.setActive(true);  // as the live poll does
    ASSERT_TRUE(scope.timerRunning());
    QSignalSpy stepped(&scope, &TScope::stepped);
    ASSERT_TRUE(stepped.wait(1000));

    child<QCheckBox>(group, "CheckOscyPauza")->click();
    EXPECT_TRUE(group.paused());
    EXPECT_FALSE(scope.active());
    const int stoppedAt = scope.sweepX();
    QTest::qWait(250);
    EXPECT_EQ(scope.sweepX(), stoppedAt);

    child<QCheckBox>(group, "CheckOscyPauza")->click();
    EXPECT_TRUE(scope.active());
    ASSERT_TRUE(stepped.wait(1000));
    EXPECT_EQ(scope.sweepX(), stoppedAt + 4);
}

TEST(OscilloscopeGroupGrid, GridBoxTakesEffectAtTheNextWipe)
{
    OscilloscopeGroup group;
    TScope& scope = *group.scope();
    const QColor background(255, 255, 0xCA);
    const QColor silver(192, 192, 192);
    const int lineY = 160 - 34;

    child<QCheckBox>(group, "CheckSiatka")->click();
    EXPECT_EQ(scope.gridcolor(), background);
    EXPECT_TRUE(rowHas(scope.traceImage(), lineY, QColor(128, 128, 128)));  // not yet
    stepThroughWipe(scope);
    EXPECT_FALSE(rowHas(scope.traceImage(), lineY, QColor(128, 128, 128)));
    EXPECT_EQ(scope.traceImage().pixelColor(200, lineY), background);

    child<QCheckBox>(group, "CheckSiatka")->click();
    EXPECT_EQ(scope.traceImage().pixelColor(200, lineY), background);
    stepThroughWipe(scope);
    EXPECT_EQ(scope.traceImage().pixelColor(200, lineY), silver);
}

TEST(OscilloscopeGroupProbe, SwitchingToTheOneVoltProbeRelabelsAndRescalesTheLambdaTrace)
{
    OscilloscopeGroup group;
    QSignalSpy applied(&group, &OscilloscopeGroup::probeTypeApplied);
    group.applyProbeType(4);
    group.feed(lambdaFrame(51), k19200);
    EXPECT_EQ(group.scope()->position(0), 22);
    EXPECT_EQ(text(group, "VLAB_1"), "5,0");

    group.applyProbeType(0);
    const QStringList labels{text(group, "VLAB_1"), text(group, "VLAB_2"), text(group, "VLAB_3"),
                             text(group, "VLAB_4"), text(group, "VLAB_5")};
    EXPECT_EQ(labels, (QStringList{"1,10", "0,80", "0,50", "0,25", "0,00"}));
    group.feed(lambdaFrame(51), k19200);
    EXPECT_EQ(group.scope()->position(0), 89);
    EXPECT_EQ(group.probeClampRange(), std::make_pair(0, 51));
    ASSERT_EQ(applied.count(), 2);
    EXPECT_FLOAT_EQ(applied.last().at(0).value<ProbeTypeSettings>().barTo, 51.0f);

    group.applyProbeType(3);
    EXPECT_TRUE(group.probeFalling());
    EXPECT_EQ(group.probeClampRange(), std::make_pair(40, 81));
    group.applyProbeType(-1);  // no item selected: nothing changes
    group.applyProbeType(6);
    EXPECT_EQ(applied.count(), 3);
    EXPECT_TRUE(group.probeFalling());
    EXPECT_EQ(text(group, "VLAB_1"), "2,0");
}

TEST(OscilloscopeGroupLayout, NumbersAtTheDesignSizeAndAtSxga)
{
    const auto at800 = layoutOscilloscope(800, 600, 200, 550);
    EXPECT_EQ(at800.controls.at("GroupBoxLambda"), (Placement{206, 266, 374, 270, {}}));
    EXPECT_EQ(at800.controls.at("Scope1"), (Placement{56, 32, 256, 160, {}}));
    EXPECT_EQ(at800.gridsize, 36);
    EXPECT_EQ(at800.controls.at("PanelOscyTPS"), (Placement{320, 8, 28, 184, {}}));
    EXPECT_EQ(at800.controls.at("STEPLAB_5"), (Placement{{}, 165, {}, {}, 8}));
    EXPECT_EQ(at800.controls.at("TL_L"), (Placement{278, 8, {}, {}, 10}));
    EXPECT_EQ(at800.controls.at("GroupBoxLambdaIn"), (Placement{8, 200, 360, 60, {}}));
    EXPECT_EQ(at800.controls.at("CheckOscyPauza"), (Placement{124, 38, 104, {}, 8}));

    // 1.6 across, 1.70666 down; 1024 x 1.05 of the group's own height above the page end.
    const auto at1280 = layoutOscilloscope(1280, 1024, 333, 900);
    EXPECT_EQ(at1280.controls.at("GroupBoxLambda"), (Placement{342, 417, 598, 460, {}}));
    EXPECT_EQ(at1280.controls.at("Scope1"), (Placement{89, 54, 409, 273, {}}));
    EXPECT_EQ(at1280.gridsize, 57);
    EXPECT_EQ(at1280.controls.at("PanelOscyRPM"), (Placement{550, 13, 44, 314, {}}));
    std::vector<int> tops;
    for (int i = 0; i < 6; ++i)
        tops.push_back(*at1280.controls.at("VLAB_" + std::to_string(i)).top);
    EXPECT_EQ(tops, (std::vector<int>{8, 42, 102, 162, 221, 281}));
    EXPECT_EQ(at1280.controls.at("VLAB_0").fontSize, 12);
    EXPECT_EQ(at1280.controls.at("PodpisTH"), (Placement{300, 13, {}, {}, 16}));
    EXPECT_EQ(at1280.controls.at("GroupBoxLambdaIn"), (Placement{12, 320, 576, 102, {}}));  // top follows the width
    EXPECT_EQ(at1280.controls.at("CheckOscyRPM"), (Placement{384, 64, 166, {}, 12}));
    EXPECT_EQ(at1280.controls.size(), 1u + 4 + 24 + 1 + 5 + 1 + 6);
}

TEST(OscilloscopeGroupLayout, RelayoutResizesAndWipesTheTrace)
{
    OscilloscopeGroup group;
    TScope& scope = *group.scope();
    scope.setPosition(0, 50);
    scope.step();
    scope.step();
    const int x = scope.sweepX();
    group.layout(1280, 1024, 333, 900);
    EXPECT_EQ(group.geometry(), QRect(342, 417, 598, 460));
    EXPECT_EQ(scope.geometry(), QRect(89, 54, 409, 273));
    EXPECT_EQ(scope.gridsize(), 56);
    EXPECT_EQ(scope.traceImage().size(), QSize(409, 273));
    EXPECT_EQ(scope.sweepX(), x);
    for (int y = 1; y < 273; ++y)
        ASSERT_NE(scope.traceImage().pixelColor(3, y), QColor(Qt::red)) << y;
    const auto* label = child(group, "RPMLAB_4");
    EXPECT_EQ(label->y(), 221);
    EXPECT_EQ(label->font().pointSize(), 12);
    EXPECT_EQ(child(group, "CheckOscySTEP")->geometry().topLeft(), QPoint(12, 64));
}

// Set DRAVINOR_SCOPE_PICTURES to a folder to get pictures of the group after
// a few hundred steps of a swinging probe, at two window sizes.
TEST(OscilloscopeGroupPictures, SwingingLambdaAtTwoSizes)
{
    const char* folder = std::getenv("DRAVINOR_SCOPE_PICTURES");
    if (!folder)
        GTEST_SKIP() << "DRAVINOR_SCOPE_PICTURES not set";
    const struct {
        int width, height;
        const char* file;
    } sizes[] = {{800, 600, "scope800.png"}, {1280, 1024, "scope1280.png"}};
    for (const auto& size : sizes) {
        QWidget page;
        page.resize(size.width, size.height);
        auto* group = new OscilloscopeGroup(&page);
        group->applyProbeType(0);
        for (const char* box : {"CheckOscyTPS", "CheckOscySTEP", "CheckOscyRPM"})
            group->findChild<QCheckBox*>(QLatin1String(box))->click();
        group->layout(size.width, size.height, size.width / 4, size.height);
        page.show();
        for (int i = 0; i < 300; ++i) {
            LiveFrame frame;
            frame.lambda = static_cast<std::uint8_t>(25 + 24 * std::sin(i / 4.0));
            frame.tps = static_cast<std::uint8_t>(60 + 40 * std::sin(i / 30.0));
            frame.stepperPosition = static_cast<std::uint8_t>(128 + 60 * std::sin(i / 17.0));
            frame.rpmPeriod = static_cast<std::uint16_t>(800 * 19200 / (2500 + 1500 * std::sin(i / 23.0)));
            group->feed(frame, k19200);
            group->scope()->step();
        }
        group->showHighTime(412);
        group->showLowTime(388);
        group->grab().save(QString::fromUtf8(folder) + '/' + QLatin1String(size.file));
    }
}
