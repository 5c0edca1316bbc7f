#include "WizardFixture.h"

#include "params/Conversions.h"
#include "params/FlagBits.h"

using namespace dravinor;
using namespace dravinor::wizard;
using namespace dravinor::wizard::testing;

using EntryTest = WizardFixture;
using Step1Test = WizardFixture;

TEST_F(EntryTest, AsksForPetrolOnceByFuelStateAndConfirmsOnlyWithoutGas)
{
    const struct {
        std::uint8_t status;
        std::vector<int> requests;
        bool confirmed;
    } cases[] = {
        {0x00, {}, true},     // manual petrol
        {0x01, {2}, true},    // automatic on petrol: manual petrol asked for
        {0x03, {255}, true},  // automatic on gas: toggled back
        {0x02, {}, false},    // manual gas stays unconfirmed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        setLive(0, 0, 800, c.status);
        takeWritten();
        engine.initialiseWizard();
        const auto frames = takeWritten();
        EXPECT_EQ(fuelRequests(frames), c.requests);
        EXPECT_EQ(engine.state().petrolConfirmed, c.confirmed);
        EXPECT_EQ(control(WizardControl::PetrolLed).lit, c.confirmed);
        EXPECT_EQ(engine.state().statusCopy & 0x03, c.status == 0x02 ? 0x02 : 0);
        EXPECT_EQ(engine.runningTimer(), WizardTimer::Step1);
        // No sensor fitted: the temperature is ready and its controls hidden.
        EXPECT_TRUE(engine.state().temperatureReady);
        for (auto name : {WizardControl::Thermometer, WizardControl::TemperaturePanel, WizardControl::TemperatureDone,
                          WizardControl::TemperatureLed})
            EXPECT_EQ(control(name).visible, false) << static_cast<int>(name);
        EXPECT_EQ(control(WizardControl::TemperatureSensorBox).checked, false);
    }
}

TEST_F(EntryTest, ResetsControllerAndPagesToTheirFirstLook)
{
    // Leftovers of an earlier run.
    reachReducerPage();
    takeWritten();
    state.setFlagByteA(params::flagA::temperatureSensor);
    setLive(0, 0, 800);
    engine.initialiseWizard();

    // The default set reaches the controller, the sensor bit kept.
    const auto writes = eepromWrites(takeWritten());
    ASSERT_GE(writes.size(), 35u);
    EXPECT_EQ(writes[0], std::make_pair(1, 0x13));
    EXPECT_EQ(state.block().get(32) & params::flagA::temperatureSensor, params::flagA::temperatureSensor);

    EXPECT_EQ(engine.view().currentPage(), WizardPage::Start);
    for (auto button : {WizardControl::StartNext, WizardControl::TpsPageNext, WizardControl::ReducerNext,
                        WizardControl::FinishButton})
        EXPECT_EQ(control(button).enabled, false) << static_cast<int>(button);
    for (auto led : {WizardControl::TpsIdleLed, WizardControl::EmulationLed, WizardControl::IdleLed})
        EXPECT_EQ(control(led).lit, false) << static_cast<int>(led);
    for (auto prompt : {WizardControl::TpsIdlePrompt, WizardControl::NarrowProbeNotice, WizardControl::FinishedNotice})
        EXPECT_EQ(control(prompt).visible, false) << static_cast<int>(prompt);
    for (auto figure : {Figure::TpsIdle, Figure::RichTime, Figure::IdleStart})
        EXPECT_FALSE(engine.result().figure(figure).has_value()) << static_cast<int>(figure);
    EXPECT_EQ(control(WizardControl::TpsPageProgress).value, 0);
    EXPECT_EQ(shown(WizardControl::ReducerRpmPanel), "0");
    EXPECT_EQ(control(WizardControl::FuelSwitch).enabled, true);
    EXPECT_EQ(control(WizardControl::ProbeList).selected, -1);
    // A fitted sensor: the thermometer shows and temperature is not ready.
    EXPECT_EQ(control(WizardControl::Thermometer).visible, true);
    EXPECT_EQ(control(WizardControl::TemperatureSensorBox).checked, true);
    EXPECT_FALSE(engine.state().temperatureReady);
}

TEST_F(Step1Test, ProbeTypeWritesFlagCodeAndListsInOrder)
{
    setLive(0, 0, 800);
    engine.initialiseWizard();
    takeWritten();
    engine.probeTypeChosen(2);  // 0,8-1,6 rising: ground emulation
    const auto frames = takeWritten();
    // 32 and 27 to EEPROM and RAM, 34 and 35 to EEPROM only.
    std::vector<std::pair<int, int>> sequence;
    for (const auto& f : frames)
        sequence.emplace_back(f[0], f[1]);
    const std::vector<std::pair<int, int>> expected{{'s', 32}, {'R', 68}, {'s', 27}, {'R', 63}, {'s', 34}, {'s', 35}};
    EXPECT_EQ(sequence, expected);
    const auto writes = eepromWrites(frames);
    EXPECT_EQ(writes[0].second & params::flagA::probeRising, params::flagA::probeRising);
    EXPECT_EQ(writes[1].second, 0);
    EXPECT_EQ(writes[2].second, 2);
    EXPECT_EQ(writes[3].second, 1);
    EXPECT_EQ(field("RSYLambda").selected, 1);
    EXPECT_EQ(field("RSLambda").selected, 2);
    EXPECT_EQ(control(WizardControl::ReducerLeanCaption).left, 13);
    // The lambda bar's scale marks are the probe type's volts.
    EXPECT_EQ(control(WizardControl::ProbeScaleLow).number, (PanelNumber{Quantity::ScaleVoltage, 0.8}));
    EXPECT_EQ(control(WizardControl::ProbeScaleHigh).number, (PanelNumber{Quantity::ScaleVoltage, 1.6}));
    EXPECT_EQ(engine.state().probeClampLow, 40);
    EXPECT_EQ(engine.state().probeClampHigh, 81);
    EXPECT_EQ(engine.runningTimer(), WizardTimer::Step1);

    engine.probeTypeChosen(5);  // falling, square wave
    const auto falling = eepromWrites(takeWritten());
    EXPECT_EQ(falling[0].second & params::flagA::probeRising, 0);
    EXPECT_EQ(falling[1].second, 2);  // a 0-5 V probe's square wave, as the parameter page writes it
    EXPECT_EQ(field("RSYLambda").selected, 0);
    EXPECT_EQ(control(WizardControl::ReducerRichCaption).left, 13);

    engine.probeTypeChosen(-1);  // no selection writes nothing
    EXPECT_TRUE(takeWritten().empty());
    EXPECT_EQ(engine.runningTimer(), WizardTimer::Step1);
}

TEST_F(Step1Test, NextNeedsAllFourFlagsAndWarmEngineAfterIgnitionChosen)
{
    state.setFlagByteA(params::flagA::temperatureSensor);
    live[2] = 255;  // hot
    setLive(0, 0, 800);
    engine.initialiseWizard();
    engine.probeTypeChosen(0);
    engine.tick(WizardTimer::Step1);
    // Hot, but no ignition type yet: not ready, and F10 does nothing.
    EXPECT_FALSE(engine.state().temperatureReady);
    EXPECT_FALSE(engine.pressNext());

    engine.ignitionChosen(2);
    live[2] = 123;  // 28.1 degrees: not above 30
    engine.tick(WizardTimer::Step1);
    EXPECT_FALSE(engine.state().temperatureReady);
    EXPECT_EQ(control(WizardControl::StartNext).enabled, false);
    EXPECT_EQ(shown(WizardControl::TemperaturePanel), "28");

    live[2] = 124;  // 30.16 degrees
    engine.tick(WizardTimer::Step1);
    EXPECT_TRUE(engine.state().temperatureReady);
    EXPECT_EQ(control(WizardControl::TemperatureLed).lit, true);
    engine.tick(WizardTimer::Step1);
    EXPECT_EQ(control(WizardControl::StartNext).enabled, true);
}

TEST_F(Step1Test, UncheckingTheSensorMakesTemperatureReadyAndWritesFlag)
{
    state.setFlagByteA(params::flagA::temperatureSensor);
    setLive(0, 0, 800);
    engine.initialiseWizard();
    takeWritten();
    engine.temperatureSensorClicked(false);
    const auto writes = eepromWrites(takeWritten());
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].first, 32);
    EXPECT_EQ(writes[0].second & params::flagA::temperatureSensor, 0);
    EXPECT_TRUE(engine.state().temperatureReady);
    EXPECT_EQ(field("WCTemperatury").checked, false);
    EXPECT_EQ(control(WizardControl::Thermometer).visible, false);
}

TEST_F(Step1Test, RpmFollowsTheChosenIgnitionFromTheNextTick)
{
    setLive(0, 0, 0);
    live[6] = 0x0C;  // period 3200: 1200 RPM with K 4800, 2400 with K 9600
    live[7] = 0x80;
    engine.initialiseWizard();
    engine.tick(WizardTimer::Step1);
    EXPECT_EQ(shown(WizardControl::StartRpmPanel), "1200");
    engine.ignitionChosen(1);
    engine.tick(WizardTimer::Step1);
    engine.tick(WizardTimer::Step1);
    EXPECT_EQ(shown(WizardControl::StartRpmPanel), "2400");
    EXPECT_DOUBLE_EQ(*control(WizardControl::StartRpmDial).reading, 2.4);
}

TEST_F(Step1Test, NextWritesIgnitionThenRpmWordsForTheNewConstant)
{
    setLive(0, 0, 800);
    engine.initialiseWizard();
    engine.ignitionChosen(0);  // K 19200
    engine.probeTypeChosen(4);
    engine.tick(WizardTimer::Step1);
    takeWritten();
    fields["ODPBenzynaGas"] = "2250";  // cut down to 2200
    fields["DObrotow"] = "300";
    fields["MONGaz"] = "";  // no number: the speed shown after the reset, 6000
    ASSERT_TRUE(engine.pressNext());
    const auto frames = takeWritten();

    const int k = 19200;
    const int switchPeriod = params::rpmToPeriod(2200, k);
    const int hysteresis = params::rpmToPeriod(2250 - 300, k) - params::rpmToPeriod(2250, k);
    const int maxPeriod = params::rpmToPeriod(6000, k);
    const int cutPeriod = params::rpmToPeriod(1800, k);
    const std::vector<std::pair<int, int>> expected{
        {13, 0},
        {14, (switchPeriod >> 8) & 0xFF},
        {15, switchPeriod & 0xFF},
        {16, (hysteresis >> 8) & 0xFF},
        {17, hysteresis & 0xFF},
        {33, 3},
        {18, (maxPeriod >> 8) & 0xFF},
        {19, maxPeriod & 0xFF},
        {22, (cutPeriod >> 8) & 0xFF},
        {23, cutPeriod & 0xFF},
    };
    EXPECT_EQ(eepromWrites(frames), expected);
    // 33 goes to EEPROM only: the frame after it is the next EEPROM write.
    for (std::size_t i = 0; i + 1 < frames.size(); ++i) {
        if (frames[i][0] == 's' && frames[i][1] == 33) {
            EXPECT_EQ(frames[i + 1][0], 's');
        }
    }
    EXPECT_EQ(field("RUZaplonowego").selected, 0);
    EXPECT_EQ(state.ignitionConstant(), 19200.0f);
    EXPECT_EQ(engine.view().currentPage(), WizardPage::TpsAndProbe);
    EXPECT_EQ(control(WizardControl::TpsPageNext).enabled, false);
    EXPECT_EQ(control(WizardControl::TpsIdlePrompt).visible, true);
}
