// The report's content as data: which values are the controller's, the
// date as both languages write it, what the adaptation measured.
#include "report/ReportContent.h"
#include "report/AdaptationRecord.h"
#include "report/AdaptationSummary.h"
#include "wizard/AdaptationResult.h"

#include "WizardFixture.h"
#include "params/ParameterState.h"
#include "params/ParameterTable.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace dravinor;
using fields::ValueReading;

namespace {

params::ParameterBlock defaultSet()
{
    params::ParameterState state;
    state.loadDefaults();
    return state.block();
}

const report::ReportValue& valueNamed(const std::vector<report::ReportValue>& values, const std::string& name)
{
    const auto it = std::find_if(values.begin(), values.end(),
                                 [&name](const report::ReportValue& v) { return v.value.name == name; });
    EXPECT_NE(it, values.end()) << name;
    return *it;
}

}  // namespace

TEST(ReportValues, AValueOnAnUnreadAddressIsMarkedNotReadAndTheRestStayRead)
{
    params::AddressSet unread;
    unread.set(params::address::lambdaThreshold.index());
    const auto values = report::reportValues(defaultSet(), unread);
    EXPECT_EQ(values.size(), fields::pageValues(defaultSet()).size()) << "every value the pages show";
    EXPECT_EQ(valueNamed(values, "PRLambda").reading, ValueReading::NotRead);
    EXPECT_EQ(valueNamed(values, "PCTps").reading, ValueReading::Read);
    EXPECT_EQ(std::count_if(values.begin(), values.end(),
                            [](const report::ReportValue& v) { return v.reading != ValueReading::Read; }),
              1);
}

TEST(ReportValues, RpmValuesDecodedWithAnUnreadIgnitionTypeAreNotTakenAsRead)
{
    params::AddressSet unread;
    unread.set(params::address::ignitionType.index());
    const auto values = report::reportValues(defaultSet(), unread);
    EXPECT_EQ(valueNamed(values, "ODPBenzynaGas").reading, ValueReading::IgnitionTypeNotRead);
    EXPECT_EQ(valueNamed(values, "MONGaz").reading, ValueReading::IgnitionTypeNotRead);
    EXPECT_EQ(valueNamed(values, "RPMSignal").reading, ValueReading::Read) << "a level, no speed";
}

TEST(ReportDate, IsDayMonthYearWithLeadingZeros)
{
    using namespace std::chrono;
    EXPECT_EQ(report::dateText(year{2026} / December / day{8}), "08.12.2026");
    EXPECT_EQ(report::dateText(year{2027} / January / day{31}), "31.01.2027");
}

using AdaptationSummaryTest = wizard::testing::WizardFixture;

TEST_F(AdaptationSummaryTest, NoAdaptationOrOneJustStartedHasNothingToReport)
{
    EXPECT_FALSE(report::summariseAdaptation(engine.result(), ",").has_value());
    passStep1();
    EXPECT_FALSE(report::summariseAdaptation(engine.result(), ",").has_value()) << "the panels show their dots";
}

TEST_F(AdaptationSummaryTest, MeasuredFiguresAreReportedAsTheWizardShowedThemAndAnUnfinishedRunSaysSo)
{
    passStep1();
    passTpsIdle(20);
    passTpsHigh(120);
    passLambdaSwing(0, 200);
    const auto summary = report::summariseAdaptation(engine.result(), ",");
    ASSERT_TRUE(summary.has_value());
    EXPECT_FALSE(summary->finished);
    ASSERT_EQ(summary->lines.size(), 2u) << "TPS and the probe; nothing of the later pages yet";
    const auto& tps = summary->lines[0];
    EXPECT_EQ(tps.figure, report::AdaptationFigure::Tps);
    EXPECT_EQ(tps.unit, "V");
    // TPS bytes 20, 27 (seven above the idle minimum) and 120, as the page shows them.
    EXPECT_EQ(tps.shown, (std::vector<std::string>{"0,97", "1,31", "5,80"}));
    const auto& probe = summary->lines[1];
    EXPECT_EQ(probe.figure, report::AdaptationFigure::LambdaProbe);
    EXPECT_EQ(probe.shown, (std::vector<std::string>{"0,00", "1,96", "3,92"}));
    EXPECT_TRUE(summary->unacknowledged.empty());

    // A new run starts from nothing: the last run's figures are no part of it.
    passStep1();
    EXPECT_FALSE(report::summariseAdaptation(engine.result(), ",").has_value());
}

TEST_F(AdaptationSummaryTest, WritesTheControllerDidNotAcknowledgeAreListed)
{
    passStep1();
    passTpsIdle(20);
    // From here on EEPROM writes go unanswered; live polls are answered.
    const auto answer = device.onWrite;
    device.onWrite = [answer](const wizard::testing::Bytes& frame) {
        if (frame[0] != 's')
            answer(frame);
    };
    passTpsHigh(120);
    const auto summary = report::summariseAdaptation(engine.result(), ",");
    ASSERT_TRUE(summary.has_value());
    EXPECT_FALSE(summary->unacknowledged.empty());
    EXPECT_EQ(summary->unacknowledged, engine.result().unacknowledgedAddresses());
}

// The report is built from the result alone: figures no panel ever showed
// (as after a panel was renamed) are reported, with the pages' decimals.
TEST(AdaptationSummaryFromResult, FiguresComeFromTheResultNotFromAnyPanelsText)
{
    wizard::AdaptationResult result;
    result.figures[static_cast<std::size_t>(wizard::Figure::TpsIdle)] = 0.5;
    result.figures[static_cast<std::size_t>(wizard::Figure::TpsHigh)] = 2.346;
    result.figures[static_cast<std::size_t>(wizard::Figure::RichTime)] = 0.25;
    result.figures[static_cast<std::size_t>(wizard::Figure::LeanTime)] = 0.3126;
    result.figures[static_cast<std::size_t>(wizard::Figure::IdleStart)] = 95;
    result.unacknowledged = {5, 2, 5};
    result.doubtfulPhases = {{wizard::WizardPhase::TpsHigh, 20, 5}};
    const auto summary = report::summariseAdaptation(result, ".");
    ASSERT_TRUE(summary.has_value());
    ASSERT_EQ(summary->lines.size(), 3u);
    EXPECT_EQ(summary->lines[0].figure, report::AdaptationFigure::Tps);
    EXPECT_EQ(summary->lines[0].shown, (std::vector<std::string>{"0.50", "-", "2.35"}));
    EXPECT_EQ(summary->lines[1].figure, report::AdaptationFigure::EmulationTimes);
    EXPECT_EQ(summary->lines[1].shown, (std::vector<std::string>{"0.250", "0.313"}));
    EXPECT_EQ(summary->lines[1].unit, "s");
    EXPECT_EQ(summary->lines[2].figure, report::AdaptationFigure::ActuatorBelowTps);
    EXPECT_EQ(summary->lines[2].shown, (std::vector<std::string>{"-", "-", "95"}));
    EXPECT_EQ(summary->unacknowledged, (std::vector<int>{2, 5}));
    EXPECT_EQ(summary->doubtfulPhases, 1);
    EXPECT_FALSE(summary->finished);

    EXPECT_FALSE(report::summariseAdaptation(wizard::AdaptationResult{}, ",").has_value());

    // As the car book keeps it with the visit.
    EXPECT_EQ(report::adaptationRecordText(*summary), "finished: no\n"
                                                      "tps: 0.50 - 2.35 V\n"
                                                      "emulation times: 0.250 0.313 s\n"
                                                      "actuator below tps: - - 95\n"
                                                      "not acknowledged: 2 5\n"
                                                      "doubtful phases: 1\n");
}
