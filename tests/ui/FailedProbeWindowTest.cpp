// A lambda probe that fails during the adaptation, in the window: the page
// says so, the fitter is asked whether to go on (No stops it before the
// lambda threshold is written), and the customer's report tells the choice.
#include "WindowOnLine.h"

#include "lang/ShownNumbers.h"
#include "lang/TextSlots.h"
#include "report/AdaptationSummary.h"
#include "ui/wizard/WizardController.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

using namespace dravinor;
using wizard::WizardTimer;

namespace {

sim::SimulatorOptions carWithProbe(sim::ProbeModel model)
{
    sim::SimulatorOptions options;
    options.fitter = true;
    options.probeModel = model;
    return options;
}

// The window on the simulated car and its virtual fitter, taken through the
// first step by keys and on into the measurements in simulated time.
struct FailedProbeWindow : dravinor::testing::WindowOnLine {
    explicit FailedProbeWindow(sim::ProbeModel model) : WindowOnLine(carWithProbe(model)) {}
    void SetUp() override { startActive(true); }

    ui::WizardController& wizard() const { return window->wizard(); }
    QLabel* notice() const { return child<QLabel>("NSLabel_AA_P2"); }

    void passStepOne()
    {
        dialogs.answers = {true};
        press(Qt::Key_F5);  // the entry and its reset
        for (int i = 0; i < 3; ++i)
            press(Qt::Key_Down);  // ignition item 2, as the car's
        press(Qt::Key_Tab);
        press(Qt::Key_Down);  // a 0-1 V probe
        press(Qt::Key_Tab);
        if (child<QAbstractButton>("WCTCheck_AA_P1")->isChecked())
            press(Qt::Key_Space);
        wizardFor(200);
        ASSERT_TRUE(child<QAbstractButton>("AAP1_Dalej")->isEnabled());
        press(Qt::Key_F10);
        dialogs.questions.clear();
    }
    // The running wizard timer's ticks, 50 ms apart, for ms of simulated
    // time or until a question is asked.
    void wizardFor(std::uint32_t ms, bool untilAsked = false)
    {
        auto& clock = controller.clock();
        for (const std::uint32_t end = clock.nowMs + ms; clock.nowMs < end;) {
            if (untilAsked && !dialogs.questions.isEmpty())
                return;
            const std::uint32_t start = clock.nowMs;
            if (const auto running = wizard().engine().runningTimer())
                QMetaObject::invokeMethod(wizard().timer(*running), "timeout", Qt::DirectConnection);
            clock.nowMs = std::max(clock.nowMs, start + 50);
        }
    }
    // Whether the lambda threshold was written after step 1's DALEJ (the
    // last write of the ignition type; the entry reset wrote it first).
    bool thresholdWrittenByTheWizard() const
    {
        const auto frames = controller.receivedFrames();
        const auto isWrite = [](int address) {
            return [address](const auto& f) { return f.bytes[0] == 's' && f.bytes[1] == address; };
        };
        const auto dalej = std::find_if(frames.rbegin(), frames.rend(), isWrite(13));
        return std::any_of(frames.rbegin(), dalej, isWrite(1));
    }
    bool anyWizardTimerActive() const
    {
        for (std::size_t i = 0; i < wizard::wizardTimerCount; ++i)
            if (wizard().timer(static_cast<WizardTimer>(i))->isActive())
                return true;
        return false;
    }
};

struct StuckLeanWindow : FailedProbeWindow {
    StuckLeanWindow() : FailedProbeWindow(sim::ProbeModel::StuckLean) {}
};

}  // namespace

TEST_F(StuckLeanWindow, TheWindowNoLongerEndsZakonczonoOnADeadProbeItAsksAndNoStops)
{
    passStepOne();
    dialogs.answers = {false};
    wizardFor(60000, true);
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].startsWith(QString::fromUtf8("Sonda lambda: stale uboga, napięcia 0,")))
        << dialogs.questions[0].toStdString();
    EXPECT_TRUE(dialogs.questions[0].endsWith(QString::fromUtf8("Kontynuować mimo to ?")));

    EXPECT_FALSE(thresholdWrittenByTheWizard());
    EXPECT_FALSE(anyWizardTimerActive());
    EXPECT_TRUE(notice()->isVisible());
    EXPECT_TRUE(notice()->text().contains(QString::fromUtf8("stale uboga")));
    EXPECT_TRUE(
        notice()->text().endsWith(QString::fromUtf8("Autoadaptację przerwano: nic więcej nie zapisano w sterowniku.")))
        << notice()->text().toStdString();
    EXPECT_FALSE(child<QLabel>("USLabel_AA_P3")->isVisible()) << "no narrow-probe ending";
    EXPECT_FALSE(child<QAbstractButton>("AAP2_Dalej")->isEnabled());
    press(Qt::Key_F10);
    EXPECT_FALSE(thresholdWrittenByTheWizard());

    const auto summary = report::summariseAdaptation(wizard().engine().result(), ",");
    ASSERT_TRUE(summary && summary->failedProbe);
    EXPECT_FALSE(summary->failedProbe->wentOn);
    EXPECT_FALSE(summary->finished);
}

namespace {

struct HealthyProbeWindow : FailedProbeWindow {
    HealthyProbeWindow() : FailedProbeWindow(sim::ProbeModel::Healthy) {}
    void TearDown() override
    {
        lang::textSlots().restoreBuiltIn();
        FailedProbeWindow::TearDown();
    }
};

}  // namespace

// The engine says only which way the TPS goes; the window words it from the
// text slot as the language file then set it, and its result panels show
// the figures the result holds, which are what the report is built from.
TEST_F(HealthyProbeWindow, TheTpsDirectionIsWordedFromItsTextSlotAndThePanelsShowTheResultsFigures)
{
    lang::textSlots().set(lang::slot::tpsRising, "rising, as the language file says");
    lang::textSlots().set(lang::slot::tpsFalling, "falling, as the language file says");
    passStepOne();
    auto* direction = child<QLabel>("JakiTps_AA_P2");
    for (int i = 0; i < 1200 && !direction->isVisible(); ++i)
        wizardFor(50);
    ASSERT_TRUE(direction->isVisible());
    const auto& result = wizard().engine().result();
    ASSERT_TRUE(result.tpsRising.has_value());
    EXPECT_EQ(direction->text(), *result.tpsRising ? QStringLiteral("rising, as the language file says")
                                                   : QStringLiteral("falling, as the language file says"));

    const auto summary = report::summariseAdaptation(result, lang::decimalSeparator());
    ASSERT_TRUE(summary.has_value());
    ASSERT_FALSE(summary->lines.empty());
    EXPECT_EQ(summary->lines[0].figure, report::AdaptationFigure::Tps);
    const QStringList panels{"TPSDolEDAA_P2", "TPSProEDAA_P2", "TPSGorEDAA_P2"};
    for (int i = 0; i < panels.size(); ++i)
        EXPECT_EQ(child<QLabel>(panels[i].toLatin1().constData())->text().toStdString(),
                  summary->lines[0].shown[static_cast<std::size_t>(i)])
            << panels[i].toStdString();
    // Panels and report write the language's comma, whatever the system's locale.
    for (const std::string& shown : summary->lines[0].shown)
        EXPECT_TRUE(shown == "-" || (shown.find(',') != std::string::npos && shown.find('.') == std::string::npos))
            << shown;
}
