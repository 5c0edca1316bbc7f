#include "AdaptNarrator.h"

#include "WizardFixture.h"
#include "wizard/WizardTables.h"
#include "wizard/WizardTexts.h"

#include <cstdio>
#include <cstdlib>

using namespace dravinor;
using namespace dravinor::wizard;

namespace {

// The narrator on a memory stream, telling what the scripted wizard does.
struct NarratorTest : wizard::testing::WizardFixture {
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&buffer, &size);
    cli::AdaptNarrator narrator{out, false};

    ~NarratorTest() override
    {
        std::fclose(out);
        std::free(buffer);
    }
    // Everything told since the last call.
    std::string told()
    {
        std::fflush(out);
        std::string text(buffer, size);
        text.erase(0, seen_);
        seen_ = size;
        return text;
    }
    static bool has(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

private:
    std::size_t seen_ = 0;
};

}  // namespace

TEST_F(NarratorTest, EachPagesStandingInstructionsAreToldWhenThePageStarts)
{
    setLive(0, 0, 800);
    engine.initialiseWizard();
    narrator.report(engine);
    std::string text = told();
    EXPECT_TRUE(has(text, "[Poczatek]")) << text;
    EXPECT_TRUE(has(text, pageText(WizardControl::StartInstructions))) << text;

    reachReducerPage();
    narrator.report(engine);
    text = told();
    EXPECT_TRUE(has(text, "[Regulacja reduktora]")) << text;
    EXPECT_TRUE(has(text, "regulować reduktor na wolnych obrotach aż do osiągnięcia mieszanki bogatej")) << text;
    narrator.report(engine);
    EXPECT_FALSE(has(told(), "regulować reduktor")) << "told once per page";
}

TEST_F(NarratorTest, SilenceAndAnUnreliablePhaseAreTold)
{
    passStep1();
    narrator.report(engine);
    told();
    silent = true;
    tickFor(WizardTimer::TpsIdle, 1500);
    narrator.report(engine);
    EXPECT_TRUE(has(told(), "the controller does not answer"));
    silent = false;
    noisyEvery = 2;
    setLive(0, 20, 800);
    while (engine.runningTimer() == WizardTimer::TpsIdle)
        engine.tick(WizardTimer::TpsIdle);
    narrator.report(engine);
    const std::string text = told();
    EXPECT_TRUE(has(text, "the controller answers again")) << text;
    EXPECT_TRUE(has(text, "unreliable line")) << text;
    EXPECT_TRUE(has(text, "TPS idle phase were bad; its result is doubtful")) << text;
}

TEST_F(NarratorTest, EveryUnacknowledgedWriteIsListedSoTheExitStatusCanAgreeWithTheJournal)
{
    setLive(0, 0, 800);
    engine.initialiseWizard();
    EXPECT_FALSE(narrator.reportUnacknowledged(engine));
    EXPECT_EQ(told(), "");

    silent = true;
    engine.probeTypeChosen(0);
    EXPECT_TRUE(narrator.reportUnacknowledged(engine));
    std::string text = told();
    EXPECT_TRUE(has(text, "parameter(s) 27, 32, 34, 35")) << text;
    EXPECT_FALSE(has(text, "entry reset")) << text;

    // A reset that went unanswered is listed too, by parameter.
    engine.initialiseWizard();
    EXPECT_TRUE(narrator.reportUnacknowledged(engine));
    text = told();
    EXPECT_TRUE(has(text, "the entry reset: 134 write(s), no EEPROM acknowledgement for parameter(s) 1, 2, 3")) << text;
}

TEST_F(NarratorTest, AResetFrameMadeGoodByItsReWriteIsNoFailedWrite)
{
    setLive(0, 0, 800);
    unansweredWrites = 1;
    engine.initialiseWizard();
    ASSERT_EQ(engine.result().reset.unacknowledged, 1) << "the bulk frame went unanswered";
    ASSERT_TRUE(engine.result().reset.allConfirmed()) << "and was written again";
    EXPECT_FALSE(narrator.reportUnacknowledged(engine)) << told();
}

TEST_F(NarratorTest, AStepIsTickedOffOnlyOnceTheControllerAcknowledgedItsWrites)
{
    setLive(0, 0, 800);
    engine.initialiseWizard();
    narrator.report(engine);
    told();
    // The ignition type is only chosen here; DALEJ writes it.
    engine.ignitionChosen(2);
    silent = true;  // the adapter went: the probe type's writes get no answer
    engine.probeTypeChosen(0);
    narrator.report(engine);
    std::string text = told();
    EXPECT_FALSE(has(text, "[x] Ustawiono zakres sondy")) << text;
    EXPECT_TRUE(
        has(text, "[ ] Ustawiono zakres sondy -- not acknowledged by the controller: parameter(s) 32, 27, 34, 35"))
        << text;
    EXPECT_FALSE(has(text, "Ustawiono układ zapłonowy")) << "nothing of it is written yet: " << text;

    silent = false;  // back before DALEJ: the ignition type is written and acknowledged
    engine.temperatureSensorClicked(false);
    engine.tick(WizardTimer::Step1);
    narrator.report(engine);
    told();
    ASSERT_TRUE(engine.pressNext());
    narrator.report(engine);
    text = told();
    const auto ticked = text.find("[x] Ustawiono układ zapłonowy");
    EXPECT_NE(ticked, std::string::npos) << text;
    EXPECT_LT(ticked, text.find("[Ustalenie progu TPS i kalibracja sondy]")) << "told as step 1 ends: " << text;
}
