// The window over a real pty whose adapter is pulled and plugged in again:
// it says so at once, comes back on the page the fitter was on with the
// same controller, leaves another controller alone, and never sends a cut
// write again.

#include "FakeDialogs.h"
#include "PluggedSimulator.h"
#include "StateFolder.h"
#include "TestLocations.h"
#include "lang/TextSlots.h"
#include "params/ControllerSession.h"
#include "ui/connection/ReconnectWatch.h"
#include "ui/window/MainWindow.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

using namespace dravinor;
using dravinor::testing::PluggedSimulator;

namespace {

const QString prefix = QStringLiteral("Dravinor Zuv Telvar ver 1.03 - ");
const QString versionTitle = prefix + QStringLiteral("[  wersja sterownika 3 ]");
const QString lostText = QString::fromUtf8("Adapter portu COM1 odłączony - czekam, aż wróci");
const QString backText =
    QString::fromUtf8("Adapter portu COM1 podłączony ponownie - ten sam sterownik, parametry odczytane na nowo");

struct PtyReconnectWindow : ::testing::Test {
    PluggedSimulator plugged;
    dravinor::testing::StateFolder folder;
    dravinor::testing::FakeDialogs dialogs;
    std::unique_ptr<params::ControllerSession> session;
    std::unique_ptr<ui::MainWindow> window;

    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(plugged.sim.start(&error)) << error;
        session = plugged.session(folder.journal());
        window = std::make_unique<ui::MainWindow>(*session, &dialogs);
        window->startUp();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_EQ(window->windowTitle(), versionTitle);
    }
    void TearDown() override
    {
        window.reset();
        session.reset();
        lang::textSlots().restoreBuiltIn();
    }
    QString status(int line) const
    {
        return window->findChild<QStatusBar*>(line == 1 ? "StatusBar1" : "StatusBar2")->currentMessage();
    }
    // Runs the event loop until the condition holds; how long that took, or -1.
    static int msUntil(const std::function<bool()>& condition, int limitMs = 2000)
    {
        const auto start = std::chrono::steady_clock::now();
        for (;;) {
            const auto waited =
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
            if (condition())
                return static_cast<int>(waited);
            if (waited > limitMs)
                return -1;
            QTest::qWait(5);
        }
    }
    void unplug()
    {
        plugged.sim.hangUp();
        const int ms = msUntil([&] { return status(1) == lostText; });
        ASSERT_GE(ms, 0) << status(1).toStdString();
        EXPECT_LT(ms, 1000) << "told at once";
        EXPECT_EQ(status(2), lostText);
        EXPECT_EQ(window->windowTitle(), prefix + QString::fromUtf8("adapter odłączony"));
    }
    void plugIn()
    {
        plugged.sim.clearReceivedFrames();
        std::string error;
        ASSERT_TRUE(plugged.sim.replug(&error)) << error;
    }
};

}  // namespace

TEST_F(PtyReconnectWindow, UnplugIsToldAtOnceAndTheControllerComesBackOnTheLivePage)
{
    window->switchToPage(ui::MainWindow::TabViz);
    ASSERT_GE(msUntil([&] { return plugged.heardLetters().find('V') != std::string::npos; }), 0);
    unplug();
    plugged.sim.clearReceivedFrames();
    QTest::qWait(200);
    EXPECT_TRUE(plugged.heardLetters().empty()) << "no polls at a dead port";
    auto* oldReadings = window->findChild<QLabel*>("NieaktualneL");
    ASSERT_NE(oldReadings, nullptr);
    EXPECT_TRUE(oldReadings->isVisible()) << "the readings shown are old";

    plugIn();
    ASSERT_GE(msUntil([&] { return status(1) == backText; }), 0) << status(1).toStdString();
    EXPECT_EQ(window->pageControl()->currentIndex(), ui::MainWindow::TabViz) << "the page the fitter was on";
    EXPECT_EQ(window->windowTitle(), versionTitle) << "the same controller";
    // The live view polls again by itself; before it, only the identification and the reads.
    ASSERT_GE(msUntil([&] { return plugged.heardLetters().find('V') != std::string::npos; }), 0);
    const std::string heard = plugged.heardLetters();
    const std::string beforePolls = heard.substr(0, heard.find('V'));
    EXPECT_EQ(beforePolls.find_first_not_of("Il"), std::string::npos) << heard;
    EXPECT_GE(msUntil([&] { return !oldReadings->isVisible(); }), 0) << "new readings";
}

TEST_F(PtyReconnectWindow, AnotherControllerIsReportedAndNotUsed)
{
    unplug();
    plugged.sim.setIdentity(0x42);
    plugIn();
    const QString other =
        QString::fromUtf8("Na COM1 jest inny sterownik (typ 2, wersja 4, wcześniej typ 1, wersja 3) - nie używam go");
    ASSERT_GE(msUntil([&] { return status(1) == other; }), 0) << status(1).toStdString();
    EXPECT_EQ(status(2), other);
    EXPECT_EQ(window->windowTitle(), prefix + QStringLiteral("brak sterownika"));
    QTest::qWait(200);
    EXPECT_EQ(plugged.heardLetters(), "II") << "identified (its identity confirmed), then left alone";
    EXPECT_FALSE(session->port().controllerConnected());

    // The right one plugged in again is taken back.
    plugged.sim.hangUp();
    plugged.sim.setIdentity(0x31);
    plugIn();
    ASSERT_GE(msUntil([&] { return status(1) == backText; }), 0) << status(1).toStdString();
    EXPECT_EQ(window->windowTitle(), versionTitle);
}

TEST_F(PtyReconnectWindow, WriteCutByTheUnplugIsReportedAndNeverRepeated)
{
    sim::FaultOptions cut;
    cut.hangUpAfterFrames = 20;
    plugged.sim.setFaults(cut);
    plugged.sim.clearReceivedFrames();
    window->findChild<QAbstractButton*>("ZapiszPar")->click();
    EXPECT_TRUE(status(1).startsWith(QString::fromUtf8("Port zniknął w trakcie zapisu"))) << status(1).toStdString();
    EXPECT_EQ(window->windowTitle(), prefix + QString::fromUtf8("adapter odłączony"));
    EXPECT_TRUE(window->reconnectWatch().waiting());

    plugged.sim.setFaults({});
    plugIn();
    ASSERT_GE(msUntil([&] { return status(1) == backText; }), 0) << status(1).toStdString();
    QTest::qWait(100);
    const std::string heard = plugged.heardLetters();
    EXPECT_EQ(heard.find_first_of("sRr"), std::string::npos) << heard;
}

TEST_F(PtyReconnectWindow, UnpluggedAdapterIsToldInTheLanguageChosen)
{
    unplug();
    // The shipped language files, from the source tree.
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dravinor::testing::sourceDir())));
    window->chooseRussian();
    EXPECT_EQ(window->windowTitle(), prefix + QString::fromUtf8("адаптер отключён"));
    EXPECT_EQ(status(1), QString::fromUtf8("Адаптер порта COM1 отключён - жду его повторного подключения"));
    window->choosePolish();
    QDir::setCurrent(before);
    EXPECT_EQ(window->windowTitle(), prefix + QString::fromUtf8("adapter odłączony"));
}

TEST_F(PtyReconnectWindow, SilentControllerAfterTheReturnIsTriedAgainThenToldAndStillAwaited)
{
    window->reconnectWatch().setRetryPlan(3, 50);
    unplug();
    plugged.sim.setSilent(true);
    plugIn();
    const QString silent = QString::fromUtf8(
        "Adapter portu COM1 wrócił, ale sterownik nie odpowiada - sprawdź przewód albo wybierz port z menu");
    ASSERT_GE(msUntil([&] { return status(1) == silent; }), 0) << status(1).toStdString();
    const std::string heard = plugged.heardLetters();
    EXPECT_GE(heard.size(), 4u) << "the first look and three more";
    EXPECT_EQ(heard.find_first_not_of('I'), std::string::npos) << heard << ": nothing but identification";
    EXPECT_TRUE(window->reconnectWatch().waiting());

    // Plugged in again with the controller answering: back.
    plugged.sim.hangUp();
    plugged.sim.setSilent(false);
    plugIn();
    ASSERT_GE(msUntil([&] { return status(1) == backText; }), 0) << status(1).toStdString();
}

// Before, a stray byte ahead of the identity byte after the return was
// taken for another controller's identity ("inny sterownik"). Without a clean
// identity it is neither the same controller nor another: told so, and
// nothing but identifies goes out.
TEST_F(PtyReconnectWindow, ControllerWithoutACleanIdentityAfterTheReturnIsNeverAnotherController)
{
    window->reconnectWatch().setRetryPlan(1, 50);
    unplug();
    sim::FaultOptions stray;
    stray.identifyPrefix = 0x44;  // ahead of every identity byte
    plugged.sim.setFaults(stray);
    plugIn();
    const QString unclear = QString::fromUtf8(
        "Adapter portu COM1 wrócił, ale sterownik nie podał czystej identyfikacji - wybierz port z menu");
    ASSERT_GE(msUntil([&] { return status(1) == unclear; }, 15000), 0) << status(1).toStdString();
    EXPECT_EQ(plugged.heardLetters().find_first_not_of('I'), std::string::npos) << plugged.heardLetters();
    EXPECT_EQ(status(2), unclear);
    EXPECT_EQ(window->windowTitle(), prefix + QString::fromUtf8("adapter odłączony")) << "no version guessed";
    EXPECT_TRUE(window->reconnectWatch().waiting());
}

TEST_F(PtyReconnectWindow, TheWizardSaysNoAnswerWhileUnpluggedAndPollsOnWithoutAWriteWhenBack)
{
    dialogs.answers = {true};  // the reset on entering the wizard
    window->switchToPage(ui::MainWindow::TabAuto);
    ASSERT_EQ(window->pageControl()->currentIndex(), ui::MainWindow::TabAuto);
    ASSERT_GE(msUntil([&] { return plugged.heardLetters().find('V') != std::string::npos; }), 0);
    auto* noAnswer = window->findChild<QLabel*>("SNOLabel_AA_P1");
    ASSERT_NE(noAnswer, nullptr);
    EXPECT_FALSE(noAnswer->isVisible());

    unplug();
    EXPECT_GE(msUntil([&] { return noAnswer->isVisible(); }, 3000), 0) << "the wizard's page says it too";

    plugIn();
    const QString identifiedOnly = QString::fromUtf8("Adapter portu COM1 podłączony ponownie - ten sam sterownik");
    ASSERT_GE(msUntil([&] { return status(1) == identifiedOnly; }), 0) << status(1).toStdString();
    EXPECT_EQ(window->pageControl()->currentIndex(), ui::MainWindow::TabAuto);
    EXPECT_GE(msUntil([&] { return !noAnswer->isVisible(); }, 3000), 0) << "the wizard's polls are answered again";
    const std::string heard = plugged.heardLetters();
    EXPECT_EQ(heard.find_first_not_of("IV"), std::string::npos)
        << "identified, then polled; nothing written: " << heard;
}
