#include "WindowOnLine.h"
#include "live/ProbeType.h"
#include "live/widgets/HorizontalBar.h"
#include "live/widgets/InstrumentColor.h"
#include "live/widgets/StatusLed.h"
#include "ui/window/MainWindow.h"
#include "ui/wizard/WizardController.h"
#include "ui/wizard/WizardPages.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

using namespace dravinor;
using wizard::AdaptationEngine;
using wizard::WizardPage;

namespace {

const QString entryQuestion =
    QStringLiteral("uwaga, przejście na autoadaptację powoduje reset parametrów, kontynuować ?");
const QString leaveQuestion = QStringLiteral("Czy napewno wyjść z autoadaptacji ?");

// The window on the simulated controller, entered into the wizard.
struct WizardWindow : dravinor::testing::WindowOnLine {
    void SetUp() override { startActive(true); }

    void enterWizard()
    {
        dialogs.answers = {true};
        press(Qt::Key_F5);
        ASSERT_EQ(page(), ui::MainWindow::TabAuto);
        dialogs.questions.clear();
    }
    ui::WizardController& wizard() const { return window->wizard(); }
    // The wizard's buttons come with its pages.
    QAbstractButton* button(const char* name) const
    {
        window->wizard();
        return child<QAbstractButton>(name);
    }
    int page() const { return window->pageControl()->currentIndex(); }
    // What the engine would say, shown as after any engine call.
    void say(const std::function<void(wizard::WizardView&)>& edit)
    {
        wizard().run([&](AdaptationEngine& e) { edit(e.view()); });
    }
    // The running wizard timer's ticks for ms of simulated time, 50 ms apart.
    void wizardFor(std::uint32_t ms)
    {
        auto& clock = controller.clock();
        for (const std::uint32_t end = clock.nowMs + ms; clock.nowMs < end;) {
            const std::uint32_t start = clock.nowMs;
            if (const auto running = wizard().engine().runningTimer())
                QMetaObject::invokeMethod(wizard().timer(*running), "timeout", Qt::DirectConnection);
            clock.nowMs = std::max(clock.nowMs, start + 50);
        }
    }
    std::vector<int> visibleTabs() const
    {
        std::vector<int> tabs;
        QTabWidget* autoTab = child<QTabWidget>("AutoTab");
        for (int i = 0; i < autoTab->count(); ++i)
            if (autoTab->isTabVisible(i))
                tabs.push_back(i);
        return tabs;
    }
};

}  // namespace

TEST_F(WizardWindow, EntryQuestionYesStartsAtTheFirstStepNoReturns)
{
    dialogs.answers = {false};
    press(Qt::Key_F5);
    ASSERT_EQ(dialogs.questions, QStringList{entryQuestion});
    EXPECT_EQ(dialogs.captions, QStringList{QString::fromUtf8("Reset przed autoadaptacją")}) << "it says what it does";
    EXPECT_EQ(page(), ui::MainWindow::TabPar1);
    EXPECT_EQ(focusName(), "PRLambda");
    EXPECT_FALSE(wizard().engine().runningTimer().has_value());

    dialogs.answers = {true};
    press(Qt::Key_F5);
    EXPECT_EQ(dialogs.questions.size(), 2);
    EXPECT_EQ(page(), ui::MainWindow::TabAuto);
    EXPECT_EQ(visibleTabs(), std::vector<int>{0});
    EXPECT_EQ(child<QTabWidget>("AutoTab")->currentWidget()->objectName(), "AA1");
    EXPECT_EQ(focusName(), "Manometr_RPMCOMBOAA_P1");
    EXPECT_EQ(child<QTabWidget>("AutoTab")->tabText(1), "Ustalenie progu TPS i kalibracja sondy");
}

TEST_F(WizardWindow, OnlyTheCurrentStepsTabIsShown)
{
    enterWizard();
    QTabWidget* autoTab = child<QTabWidget>("AutoTab");
    for (const WizardPage step :
         {WizardPage::TpsAndProbe, WizardPage::Reducer, WizardPage::Actuator, WizardPage::Start}) {
        say([step](wizard::WizardView& view) { view.setCurrentPage(step); });
        const int index = static_cast<int>(step);
        EXPECT_EQ(visibleTabs(), std::vector<int>{index});
        EXPECT_EQ(autoTab->currentIndex(), index);
        EXPECT_TRUE(autoTab->widget(index)->isVisible());
    }
}

TEST_F(WizardWindow, F10ClicksTheCurrentPagesButtonOnlyWhenEnabledAndOnlyOnce)
{
    QSignalSpy first(button("AAP1_Dalej"), &QAbstractButton::clicked);
    QSignalSpy second(button("AAP2_Dalej"), &QAbstractButton::clicked);
    // Not on the wizard page: nothing, even with the button enabled.
    say([](wizard::WizardView& view) { view.edit(wizard::WizardControl::StartNext).enabled = true; });
    press(Qt::Key_F10);
    EXPECT_EQ(first.count(), 0);

    enterWizard();
    say([](wizard::WizardView& view) { view.edit(wizard::WizardControl::StartNext).enabled = false; });
    press(Qt::Key_F10);
    EXPECT_EQ(first.count(), 0);

    // Both buttons enabled: one press clicks the current page's only.
    say([](wizard::WizardView& view) {
        view.edit(wizard::WizardControl::StartNext).enabled = true;
        view.edit(wizard::WizardControl::TpsPageNext).enabled = true;
    });
    press(Qt::Key_F10);
    EXPECT_EQ(first.count(), 1);
    EXPECT_EQ(second.count(), 0);
    EXPECT_TRUE(dialogs.questions.isEmpty());
}

TEST_F(WizardWindow, LeavingAsksAndYesStopsEveryWizardTimer)
{
    enterWizard();
    wizard().timer(wizard::WizardTimer::TpsIdle)->start();
    dialogs.answers = {false};
    press(Qt::Key_F4);
    EXPECT_EQ(dialogs.questions, QStringList{leaveQuestion});
    EXPECT_EQ(page(), ui::MainWindow::TabAuto);
    EXPECT_TRUE(wizard().timer(wizard::WizardTimer::TpsIdle)->isActive());

    dialogs.answers = {true};
    press(Qt::Key_F2);
    EXPECT_EQ(page(), ui::MainWindow::TabPar1);
    for (std::size_t i = 0; i < wizard::wizardTimerCount; ++i) {
        const auto which = static_cast<wizard::WizardTimer>(i);
        EXPECT_FALSE(wizard().timer(which)->isActive()) << i;
        EXPECT_FALSE(wizard().engine().timerEnabled(which)) << i;
    }
}

TEST_F(WizardWindow, KoniecOpensTheParameterPageWithoutAQuestion)
{
    for (const bool byKey : {false, true}) {
        enterWizard();
        say([](wizard::WizardView& view) {
            view.setCurrentPage(WizardPage::Actuator);
            view.edit(wizard::WizardControl::FinishButton).enabled = true;
        });
        if (byKey)
            press(Qt::Key_F10);
        else
            QTest::mouseClick(button("AAP5_Koniec"), Qt::LeftButton);
        EXPECT_EQ(page(), ui::MainWindow::TabPar1) << byKey;
        EXPECT_EQ(focusName(), "PRLambda") << byKey;
        EXPECT_TRUE(dialogs.questions.isEmpty()) << byKey;
    }
}

TEST_F(WizardWindow, ViewChangesShowOnTheNamedWidgets)
{
    enterWizard();
    say([](wizard::WizardView& view) {
        view.edit(wizard::WizardControl::TemperaturePanel).text = "1,23";
        view.edit(wizard::WizardControl::TpsIdleLed).lit = true;
        view.edit(wizard::WizardControl::TpsIdleDone).enabled = true;
        view.edit(wizard::WizardControl::TpsTitle).fontTint = wizard::Tint::Blue;
        view.edit(wizard::WizardControl::TpsDirection).visible = true;
        view.edit(wizard::WizardControl::TpsPageProgress).maximum = 600;
        view.edit(wizard::WizardControl::TpsPageProgress).value = 300;
        view.edit(wizard::WizardControl::TpsPageRpmDial).reading = 4.0;
        view.editOutside("PCTps").text = "1,25";
        view.editOutside("Manometr_TPS").lowerSector = wizard::Tint::Red;
    });
    EXPECT_EQ(child<QLabel>("Therm1ED_AA_P1")->text(), "1,23");
    EXPECT_TRUE(child<live::StatusLed>("AutoFaz2Led1")->isChecked());
    EXPECT_TRUE(child("TPSPonLabel_AA_P2")->isEnabled());
    EXPECT_EQ(child("TUPtps_AA_P2")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_FALSE(child("JakiTps_AA_P2")->isHidden());
    EXPECT_EQ(child<live::HorizontalBar>("Bar1P2")->ppt(), 500);
    EXPECT_EQ(child<live::InstrumentWidget>("Manometr_RPMAA_P2")->ppt(), 500);
    EXPECT_EQ(child<QLineEdit>("PCTps")->text(), "1,25");
    EXPECT_EQ(child<live::InstrumentWidget>("Manometr_TPS")->model().sectors()[0].color, QColor(255, 0, 0));
}

TEST_F(WizardWindow, ListsAndBoxesSetByTheWizardWriteNothing)
{
    enterWizard();
    controller.clearReceivedFrames();
    QSignalSpy ignition(child<QComboBox>("Manometr_RPMCOMBOAA_P1"), &QComboBox::activated);
    say([](wizard::WizardView& view) {
        view.editOutside("RSLambda").selected = 2;
        view.editOutside("TCTps").selected = 0;
        view.editOutside("WCTemperatury").checked = true;
        view.edit(wizard::WizardControl::IgnitionList).selected = 3;
        view.edit(wizard::WizardControl::TemperatureSensorBox).checked = true;
    });
    EXPECT_EQ(child<QComboBox>("RSLambda")->currentIndex(), 2);
    EXPECT_EQ(child<QComboBox>("TCTps")->currentIndex(), 0);
    EXPECT_TRUE(child<QCheckBox>("WCTemperatury")->isChecked());
    EXPECT_TRUE(child("TPWStopniach")->isEnabled());
    EXPECT_EQ(child<QComboBox>("Manometr_RPMCOMBOAA_P1")->currentIndex(), 3);
    EXPECT_EQ(ignition.count(), 0);
    EXPECT_TRUE(controller.receivedFrames().empty());
    // The probe type reached the lambda bars.
    const auto settings = live::probeTypeSettings(2);
    EXPECT_FLOAT_EQ(child<live::HorizontalBar>("Bar1P4")->model().valueTo(), settings->barTo);

    say([](wizard::WizardView& view) { view.editOutside("WCTemperatury").checked = false; });
    EXPECT_FALSE(child("TPWStopniach")->isEnabled());
    EXPECT_TRUE(controller.receivedFrames().empty());
}

TEST_F(WizardWindow, TheFirstStepWorksFromTheKeyboard)
{
    enterWizard();
    EXPECT_EQ(focusName(), "Manometr_RPMCOMBOAA_P1");
    QSignalSpy ignition(child<QComboBox>("Manometr_RPMCOMBOAA_P1"), &QComboBox::activated);
    press(Qt::Key_Down);
    EXPECT_EQ(ignition.count(), 1);  // a key choice reaches the handler as a click does
    press(Qt::Key_Tab);
    EXPECT_EQ(focusName(), "RSLAMBDA_COMBOAA_P1");
    press(Qt::Key_Tab);
    EXPECT_EQ(focusName(), "WCTCheck_AA_P1");
    say([](wizard::WizardView& view) { view.edit(wizard::WizardControl::StartNext).enabled = true; });
    press(Qt::Key_Tab);
    EXPECT_EQ(focusName(), "AAP1_Dalej");
}

TEST_F(WizardWindow, TheFuelSwitchTakesSpace)
{
    enterWizard();
    say([](wizard::WizardView& view) {
        view.setCurrentPage(WizardPage::Reducer);
        view.edit(wizard::WizardControl::FuelSwitch).visible = true;
    });
    QSignalSpy clicks(button("SwitchAUTO"), &QAbstractButton::clicked);
    button("SwitchAUTO")->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(WizardWindow, KeyChoicesCompleteStepOneAndF10MovesOnePage)
{
    enterWizard();
    press(Qt::Key_Down);  // ignition type 0
    EXPECT_TRUE(child("UUZLabel_AA_P1")->isEnabled());
    controller.clearReceivedFrames();
    press(Qt::Key_Tab);
    press(Qt::Key_Down);  // probe type 0: written at once, as a mouse choice is
    EXPECT_TRUE(child("URSLabel_AA_P1")->isEnabled());
    EXPECT_FALSE(controller.receivedFrames().empty());
    EXPECT_EQ(child<QComboBox>("RSLambda")->currentIndex(), 0);

    // One step-1 tick sees every flag set and enables the next button.
    QTimer* step1 = wizard().timer(wizard::WizardTimer::Step1);
    ASSERT_TRUE(step1->isActive());
    QMetaObject::invokeMethod(step1, "timeout", Qt::DirectConnection);
    EXPECT_FALSE(button("AAP1_Dalej")->isEnabled());  // the engine is not warm yet
    press(Qt::Key_Tab);
    ASSERT_TRUE(child<QCheckBox>("WCTCheck_AA_P1")->isChecked());
    press(Qt::Key_Space);  // no sensor: the temperature is ready at once
    EXPECT_FALSE(child("Therm1l_AA_P1")->isVisibleTo(child("AA1")));
    QMetaObject::invokeMethod(step1, "timeout", Qt::DirectConnection);
    ASSERT_TRUE(button("AAP1_Dalej")->isEnabled());

    press(Qt::Key_F10);
    EXPECT_EQ(visibleTabs(), std::vector<int>{1});
    EXPECT_FALSE(step1->isActive());
    EXPECT_TRUE(wizard().timer(wizard::WizardTimer::TpsIdle)->isActive());
    press(Qt::Key_F10);  // AAP2_Dalej is still disabled: the page stays
    EXPECT_EQ(visibleTabs(), std::vector<int>{1});
    EXPECT_EQ(page(), ui::MainWindow::TabAuto);
}

TEST_F(WizardWindow, AFallingProbeSwapsTheLeanAndRichCaptions)
{
    enterWizard();
    const auto place = [this](int lean, int rich) {
        say([=](wizard::WizardView& view) {
            view.edit(wizard::WizardControl::ReducerLeanCaption).left = lean;
            view.edit(wizard::WizardControl::ReducerRichCaption).left = rich;
        });
        return child("Uboga_AA_P4")->x() < child("Bogata_AA_P4")->x();
    };
    EXPECT_FALSE(place(380, 13));
    EXPECT_TRUE(place(13, 380));
    // A resize keeps the sides the probe type chose.
    place(380, 13);
    window->resize(window->size() + QSize(40, 30));
    QCoreApplication::processEvents();
    EXPECT_GT(child("Uboga_AA_P4")->x(), child("Bogata_AA_P4")->x());
}

TEST_F(WizardWindow, ASilentControllerIsToldOnTheWizardPageUntilItAnswersAgain)
{
    enterWizard();
    auto* notice = child<QLabel>("SNOLabel_AA_P1");
    ASSERT_NE(notice, nullptr);
    EXPECT_FALSE(notice->isVisible());
    controller.setSilent(true);
    wizardFor(3000);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(), QString::fromUtf8("Sterownik nie odpowiada"));
    controller.setSilent(false);
    wizardFor(100);
    EXPECT_FALSE(notice->isVisible());
}

namespace {

// The window on a controller whose parameter reads all fail their checksum.
struct UnreadController : dravinor::testing::WindowOnLine {
    UnreadController() : WindowOnLine(wrongChecksums()) {}
    static sim::SimulatorOptions wrongChecksums()
    {
        sim::SimulatorOptions options;
        options.faults.wrongChecksum = true;
        return options;
    }
    void start(bool attached)
    {
        startWith(attached);
        dialogs.messages.clear();  // the start-up's own, such as a language file not found
    }
};

}  // namespace

TEST_F(UnreadController, TheAdaptationDoesNotStartOnAnIncompleteReadAndSaysWhy)
{
    start(true);
    ASSERT_FALSE(session->lastRead().complete());
    controller.clearReceivedFrames();
    window->startAutoAdaptation();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(
        dialogs.messages[0].startsWith(QString::fromUtf8("Nie można rozpocząć autoadaptacji: nie odczytano 35 z 35")))
        << dialogs.messages[0].toStdString();
    EXPECT_TRUE(dialogs.questions.isEmpty()) << "nothing to confirm: no reset is offered";
    EXPECT_EQ(window->pageControl()->currentIndex(), ui::MainWindow::TabPar1);
    const auto frames = controller.receivedFrames();
    EXPECT_TRUE(std::none_of(frames.begin(), frames.end(), [](const auto& f) { return f.bytes[0] == 's'; }))
        << "not one write";
    EXPECT_FALSE(window->wizard().engine().runningTimer().has_value());
}

TEST_F(UnreadController, TheAdaptationDoesNotStartWithoutAController)
{
    start(false);
    window->startAutoAdaptation();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0],
              QString::fromUtf8("Nie można rozpocząć autoadaptacji: brak połączenia ze sterownikiem."));
    EXPECT_EQ(window->pageControl()->currentIndex(), ui::MainWindow::TabPar1);
}
