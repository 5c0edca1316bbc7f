#include "live/widgets/InstrumentValue.h"
#include "live/widgets/InstrumentColor.h"
#include "live/widgets/ScaleFormat.h"

#include <gtest/gtest.h>

using namespace dravinor::live;

namespace {

InstrumentValue scale(int digitalTo, float valueTo)
{
    InstrumentValue m;
    m.setDigitalTo(digitalTo);
    m.setValueTo(valueTo);
    return m;
}

}  // namespace

TEST(InstrumentColor, ReadsBlueGreenRed)
{
    EXPECT_EQ(bgrColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(bgrColor(0x008000), QColor(0, 128, 0));
    EXPECT_EQ(bgrColor(0x8000FF), QColor(255, 0, 128));
    EXPECT_EQ(bgrColor(0x00FFFF), QColor(255, 255, 0));
    EXPECT_EQ(bgrColor(bgr::red), QColor(colour::red)) << "both names of a colour agree";
    EXPECT_EQ(bgrColor(bgr::green), QColor(colour::green));
    EXPECT_EQ(bgrColor(bgr::lime), QColor(colour::lime));
    EXPECT_EQ(bgrColor(bgr::yellow), QColor(colour::yellow));
}

TEST(InstrumentValue, ValueMapsThroughDigitToPpt)
{
    auto tps = scale(255, 12.0f);
    tps.setValue(6.19f);  // TPS byte 128
    EXPECT_EQ(tps.digit(), 132);
    EXPECT_EQ(tps.ppt(), 518);

    auto rpm = scale(8000, 8.0f);
    rpm.setSectors({{{0, 200, Qt::yellow}, {200, 800, Qt::green}, {800, 1000, Qt::red}}});
    const struct {
        float value;
        int ppt;
        int sector;
    } cases[] = {{0.8f, 100, 0}, {4.0f, 500, 1}, {7.0f, 875, 2}, {1.6f, 200, 1}, {6.4f, 800, 2}};
    for (const auto& c : cases) {
        rpm.setValue(c.value);
        EXPECT_EQ(rpm.ppt(), c.ppt) << c.value;
        EXPECT_EQ(rpm.sectorIndex(), c.sector) << c.value << ": overlapping zones go to the later one";
    }
}

TEST(InstrumentValue, RoundsHalvesToEven)
{
    InstrumentValue m;
    m.setValueFrom(1.0f);
    m.setValueTo(3.0f);
    m.setDigitalTo(4);
    m.setValue(1.25f);  // digit 0.5
    EXPECT_EQ(m.digit(), 0);
    m.setValue(1.75f);  // digit 1.5
    EXPECT_EQ(m.digit(), 2);

    m.setDigitalTo(2000);
    m.setDigit(1);  // ppt 0.5
    EXPECT_EQ(m.ppt(), 0);
    m.setDigit(3);  // ppt 1.5
    EXPECT_EQ(m.ppt(), 2);
}

TEST(InstrumentValue, DigitSetsValueOnTheSameScale)
{
    auto tps = scale(255, 12.0f);
    tps.setDigit(128);
    EXPECT_NEAR(tps.value(), 6.0235f, 1e-4);
    EXPECT_EQ(tps.ppt(), 502);
    tps.setValue(tps.value());
    EXPECT_EQ(tps.digit(), 128);
}

TEST(InstrumentValue, PositionsOffTheScaleAreDrawnAtItsEnds)
{
    auto lambda = scale(255, 255.0f);
    lambda.setValueFrom(0.0f);
    lambda.setValueTo(51.0f);  // 0-1 V probe
    lambda.setValue(60.0f);
    EXPECT_EQ(lambda.digit(), 300);
    EXPECT_EQ(lambda.rawPpt(), 1176);
    EXPECT_EQ(lambda.ppt(), 1000);
    EXPECT_EQ(lambda.sectorIndex(), 2);

    auto thermo = scale(90, 90.0f);
    thermo.setValue(-40.0f);
    EXPECT_EQ(thermo.ppt(), 0);
    EXPECT_EQ(thermo.value(), -40.0f);

    // Far off values must not overflow the digit.
    thermo.setValue(1e30f);
    EXPECT_EQ(thermo.ppt(), 1000);
}

TEST(InstrumentValue, RangeStartingAtZeroStartsJustAboveIt)
{
    InstrumentValue m;
    EXPECT_EQ(m.valueFrom(), 0.000001f);
    m.setValueFrom(40.8f);
    m.setValueFrom(0.0f);
    EXPECT_EQ(m.valueFrom(), 0.000001f);

    // Either end equal to the other's value is ignored: the range never collapses.
    m.setValueTo(51.0f);
    EXPECT_FALSE(m.setValueFrom(51.0f));
    EXPECT_FALSE(m.setValueTo(0.000001f));
    EXPECT_FALSE(m.setValueTo(51.0f));
    EXPECT_EQ(m.valueFrom(), 0.000001f);
    EXPECT_EQ(m.valueTo(), 51.0f);
}

TEST(InstrumentValue, NewRangeMovesTheCurrentValue)
{
    auto m = scale(255, 60.0f);
    m.setValue(30.0f);
    EXPECT_EQ(m.digit(), 127) << "the range starts at 0.000001, just under 127.5";
    EXPECT_EQ(m.ppt(), 498);
    m.setValueTo(120.0f);
    EXPECT_EQ(m.digit(), 64);
    EXPECT_EQ(m.ppt(), 251);
}

TEST(InstrumentValue, LimitFlagsFollowValueAndLimits)
{
    auto tps = scale(255, 12.0f);
    EXPECT_FALSE(tps.isOutsideLimits());
    // The meter starts at 0, below the TPS lower limit, as soon as limits are set.
    EXPECT_TRUE(tps.setLimits(0.0001f, 12.0f));
    EXPECT_TRUE(tps.isBelowLowerLimit());
    tps.setValue(12.0f);
    EXPECT_FALSE(tps.isOutsideLimits()) << "a limit itself is inside";
    tps.setValue(12.333f);
    EXPECT_TRUE(tps.isAboveUpperLimit());
    EXPECT_FALSE(tps.isBelowLowerLimit());
    tps.setValue(6.0f);
    EXPECT_FALSE(tps.isOutsideLimits());
}

TEST(InstrumentValue, SameValueChangesNothing)
{
    auto m = scale(255, 12.0f);
    EXPECT_TRUE(m.setValue(3.0f));
    EXPECT_FALSE(m.setValue(3.0f));
    EXPECT_FALSE(m.setDigit(m.digit()));
    EXPECT_FALSE(m.setSectors(m.sectors()));
}

TEST(InstrumentValue, SectorsDefaultToYellowGreenRed)
{
    const InstrumentValue m;
    const Sectors expected{
        {{0, 333, QColor(colour::yellow)}, {334, 666, QColor(colour::green)}, {667, 1000, QColor(colour::red)}}};
    EXPECT_EQ(m.sectors(), expected);

    // A gap between zones has no colour.
    auto tps = scale(1000, 1000.0f);
    tps.setSectors({{{0, 100, Qt::red}, {200, 300, Qt::yellow}, {400, 1000, Qt::green}}});
    tps.setValue(150.0f);
    EXPECT_EQ(tps.sectorIndex(), -1);
    EXPECT_FALSE(tps.sectorColor().isValid());
    EXPECT_FALSE(tps.setSector(3, {0, 1, Qt::red}));
}

TEST(ScaleFormat, WholeNumberPatternNeverShowsMinusZero)
{
    EXPECT_EQ(formatScaleLabel(0.000001, QStringLiteral("##0")), QStringLiteral("0"));
    EXPECT_EQ(formatScaleLabel(-0.3, QStringLiteral("##0")), QStringLiteral("0"));
    EXPECT_EQ(formatScaleLabel(-40.0, QStringLiteral("##0")), QStringLiteral("-40"));
    EXPECT_EQ(formatScaleLabel(12.0, QStringLiteral("##0")), QStringLiteral("12"));
    EXPECT_EQ(formatScaleLabel(2.5, QStringLiteral("##0.0")), QStringLiteral("2,5")) << "the language's comma";
}
