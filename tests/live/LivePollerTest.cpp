#include "live/LivePoller.h"

#include "FakeClock.h"
#include "ScriptedDevice.h"
#include "lang/TextSlots.h"
#include "link/SerialPort.h"
#include "params/Conversions.h"
#include "params/ParameterState.h"

#include <gtest/gtest.h>

#include <initializer_list>

using namespace dravinor;
using dravinor::testing::FakeClock;
using dravinor::testing::ScriptedDevice;
using Bytes = std::vector<std::uint8_t>;

namespace {

// A controller whose next live frame the test sets.
struct PollFixture : ::testing::Test {
    FakeClock clock;
    ScriptedDevice device{clock};
    link::SerialPort port{device, clock, [](const std::string& n) { return n; }};
    params::ParameterState state;
    live::LivePoller poller{port, clock, state};
    Bytes next{0, 0, 0, 0, 0, 0, 0x12, 0xC0, 0, 0};  // idle at 800 RPM: never a blank frame
    std::vector<Bytes> ramWrites;

    void SetUp() override
    {
        state.loadDefaults();
        ASSERT_TRUE(port.open("/dev/x"));
        device.onWrite = [this](const Bytes& frame) {
            if (frame[0] == 'V')
                device.arriveAt(clock.nowMs + 2, next);
            if (frame[0] == 'r') {
                ramWrites.push_back(frame);
                device.arriveAt(clock.nowMs + 2, {'r'});
            }
        };
    }
    live::LiveDisplay pollWith(std::uint8_t lambda, std::uint8_t tps, std::uint8_t status)
    {
        next[0] = lambda;
        next[1] = tps;
        next[5] = status;
        return poller.poll();
    }
};

}  // namespace

TEST_F(PollFixture, VoltsShowWithTwoDecimalsAndThreeSignificantDigits)
{
    const struct {
        std::uint8_t lambda, tps;
        const char *lambdaText, *tpsText;
    } cases[] = {{255, 255, "5,00V", "12,30V"}, {0, 23, "0,00V", "1,11V"}};
    for (const auto& c : cases) {
        const auto shown = pollWith(c.lambda, c.tps, 0);
        EXPECT_EQ(shown.lambdaText, c.lambdaText);
        EXPECT_EQ(shown.tpsText, c.tpsText);
    }
    // The separator is the language's, whatever the system's locale says.
    lang::textSlots().set(lang::slot::numbers::decimalSeparator, ".");
    EXPECT_EQ(pollWith(255, 0, 0).lambdaText, "5.00V");
    lang::textSlots().restoreBuiltIn();
}

TEST_F(PollFixture, FuelStateTextColourAndPictureLoadedOnlyOnChange)
{
    const struct {
        std::uint8_t status;
        const char* text;
        live::FuelGlyph glyph;
    } cases[] = {{0x02, "Gaz", live::FuelGlyph::Gas},
                 {0x03, "Gaz", live::FuelGlyph::Gas},
                 {0x01, "Benzyna/Automat", live::FuelGlyph::Automatic},
                 {0x00, "Benzyna", live::FuelGlyph::Petrol}};
    for (const auto& c : cases) {
        const auto shown = pollWith(0, 0, c.status);
        EXPECT_EQ(shown.fuelText, c.text);
        EXPECT_EQ(shown.glyph, c.glyph);
    }
    EXPECT_EQ(pollWith(0, 0, 0x02).fuelColour, QColor(0, 0x80, 0));
    int loads = 0;
    for (const std::uint8_t status : std::initializer_list<std::uint8_t>{0x00, 0x00, 0x02, 0x02, 0x00})
        loads += pollWith(0, 0, status).glyphChanged ? 1 : 0;
    EXPECT_EQ(loads, 3);  // petrol (after gas), gas, petrol
}

TEST_F(PollFixture, FuelWordsAreTheSlotsCurrentTexts)
{
    lang::textSlots().set(lang::slot::fuelGas, "Газ");
    EXPECT_EQ(pollWith(0, 0, 0x02).fuelText, QString::fromUtf8("Газ"));
    lang::textSlots().restoreBuiltIn();
    EXPECT_EQ(pollWith(0, 0, 0x02).fuelText, "Gaz");
}

TEST_F(PollFixture, NoEngineSpeedShowsZeroWhateverThePeriod)
{
    next[6] = 0x06;
    next[7] = 0xD1;  // 2200 RPM at K 4800
    EXPECT_EQ(pollWith(0, 0, 0).rpm, 2200);
    const auto stopped = pollWith(0, 0, 0x40);
    EXPECT_EQ(stopped.rpm, 0);
    EXPECT_EQ(stopped.rpmText, "0");
    next[6] = next[7] = 0;
    // A zero period with the bit clear: the speed of the controller's
    // division by a tiny number, beyond any engine; the dial stands at its end.
    const auto beyond = pollWith(10, 0, 0);
    EXPECT_EQ(beyond.rpm, params::rpmBeyondAnyEngine);
    EXPECT_EQ(beyond.rpmText, QString::fromUtf8("\xE2\x88\x9E"));
    EXPECT_EQ(pollWith(10, 0, 0x40).rpmText, "0") << "the no-speed bit still reads 0";
}

TEST_F(PollFixture, TemperatureOnlyWithTheSensorSwitchedOn)
{
    next[2] = 0;
    auto shown = pollWith(0, 0, 0);
    EXPECT_TRUE(shown.temperatureShown);
    EXPECT_EQ(shown.temperatureText, "-240");
    state.setFlagByteA(state.flagByteA() & ~0x08);
    EXPECT_FALSE(pollWith(0, 0, 0).temperatureShown);
}

TEST_F(PollFixture, LambdaPhasesAreTimedFromTheOppositePhase)
{
    const int threshold = state.lambdaThreshold();
    poller.restartPhaseTiming();
    EXPECT_TRUE(pollWith(static_cast<std::uint8_t>(threshold), 0, 0).lambdaHigh) << "equal counts as high";
    // Alternate every 50 ms poll: each phase reads one poll period and a bit.
    live::LiveDisplay shown;
    for (int i = 0; i < 6; ++i) {
        clock.sleepMs(50);
        shown = pollWith(static_cast<std::uint8_t>(i % 2 ? threshold : 0), 0, 0);
    }
    EXPECT_GE(shown.highTimeMs, 50);
    EXPECT_LE(shown.highTimeMs, 60);
    EXPECT_GE(shown.lowTimeMs, 50);
    EXPECT_LE(shown.lowTimeMs, 60);
}

TEST_F(PollFixture, FuelSwitchFollowsTheLastStatus)
{
    const struct {
        std::uint8_t status;
        int expected;  // value written to 125, or -1 for none
    } cases[] = {{0x02, -1}, {0x00, 254}, {0x01, 255}, {0x03, 255}};
    for (const auto& c : cases) {
        pollWith(0, 0, c.status);
        ramWrites.clear();
        poller.toggleFuel();
        if (c.expected < 0) {
            EXPECT_TRUE(ramWrites.empty());
        } else {
            ASSERT_EQ(ramWrites.size(), 1u);
            EXPECT_EQ(ramWrites[0][1], 125);
            EXPECT_EQ(ramWrites[0][2], c.expected);
        }
    }
}

TEST_F(PollFixture, ShortLongMissingAndBlankAnswersShowNothingAndKeepTheLastStatus)
{
    const Bytes good = next;
    const struct {
        const char* name;
        Bytes answer;
    } cases[] = {
        {"short", {50, 60}},
        {"long", {0x5A, 50, 60, 0, 0, 0, 0x01, 0x06, 0xD1, 0, 0}},
        {"missing", {}},
        {"blank", Bytes(10, 0)},
    };
    for (const auto& c : cases) {
        next = good;
        pollWith(200, 100, 0x02);
        next = c.answer;
        const auto shown = poller.poll();
        EXPECT_FALSE(shown.answered) << c.name;
        EXPECT_TRUE(shown.lambdaText.isEmpty()) << c.name << ": nothing to show";
        EXPECT_EQ(poller.statusCopy(), 0x02) << c.name << ": the fuel switch keeps the last good status";
        ramWrites.clear();
        poller.toggleFuel();
        EXPECT_TRUE(ramWrites.empty()) << c.name << ": on gas alone nothing is sent";
    }
}
