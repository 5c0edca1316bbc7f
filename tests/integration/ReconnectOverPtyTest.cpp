// Following the controller through an unplugged adapter, over a real pty
// whose link goes and comes back (and, for what needs no link, on the
// simulated line): the loss is seen, the same controller is used again,
// another one is left alone, and nothing is ever written again.

#include "CliFixture.h"
#include "PluggedSimulator.h"
#include "SimulatedController.h"
#include "StateFolder.h"
#include "TestLocations.h"
#include "params/ControllerSession.h"
#include "params/Reconnection.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

using namespace dravinor;
using dravinor::testing::PluggedSimulator;
using dravinor::testing::readableWithin;
using params::ReconnectStep;

namespace {

struct PtyReconnect : ::testing::Test {
    PluggedSimulator plugged;
    dravinor::testing::StateFolder folder;
    std::unique_ptr<params::ControllerSession> session;
    std::unique_ptr<params::Reconnection> reconnection;

    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(plugged.sim.start(&error)) << error;
        session = plugged.session(folder.journal());
        reconnection = std::make_unique<params::Reconnection>(*session);
        ASSERT_TRUE(session->connection().connectToPort("COM1").connected);
        reconnection->follow();
        ASSERT_TRUE(reconnection->following());
        ASSERT_EQ(reconnection->watchedName(), plugged.link);
    }
    // What the watcher reports next, within two seconds.
    params::ReconnectOutcome nextEvent()
    {
        if (!readableWithin(reconnection->descriptor()))
            return {};
        return reconnection->onWatchEvent(true);
    }
    void unplug()
    {
        plugged.sim.hangUp();
        const auto lost = nextEvent();
        ASSERT_EQ(lost.step, ReconnectStep::Lost);
        EXPECT_EQ(lost.portName, "COM1");
    }
    params::ReconnectOutcome plugIn()
    {
        plugged.sim.clearReceivedFrames();
        std::string error;
        EXPECT_TRUE(plugged.sim.replug(&error)) << error;
        return nextEvent();
    }
    // The adapter back with a controller that answers, tried again while it
    // is "not yet" there, as the window does: on a loaded machine the
    // simulator may answer late. What the controller heard is the last try's.
    params::ReconnectOutcome plugInAnswering() { return triedAgainWhileNotYet(plugIn()); }
    // A loaded machine can make a real-time answer late: "not yet" is tried
    // again, as the window's retries would.
    params::ReconnectOutcome triedAgainWhileNotYet(params::ReconnectOutcome outcome)
    {
        for (int retry = 0; retry < 5 && outcome.step == ReconnectStep::NotYet; ++retry) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            plugged.sim.clearReceivedFrames();
            outcome = reconnection->tryAgain(true);
        }
        return outcome;
    }
};

}  // namespace

TEST_F(PtyReconnect, UnpluggedAdapterIsToldAndNothingMoreIsSent)
{
    plugged.sim.clearReceivedFrames();
    unplug();
    EXPECT_TRUE(reconnection->waiting());
    EXPECT_FALSE(session->port().controllerConnected()) << "the live view stops polling";
    // An edit meanwhile fails at once instead of waiting out its retries.
    const auto write = session->transfer().writeParameter(params::Address(4), 20);
    EXPECT_TRUE(write.failed());
    EXPECT_TRUE(plugged.heardLetters().empty());
}

TEST_F(PtyReconnect, SameControllerBackIsIdentifiedAndReadWithoutAWrite)
{
    unplug();
    const auto back = plugInAnswering();
    ASSERT_EQ(back.step, ReconnectStep::Back);
    EXPECT_TRUE(back.pagesRead);
    EXPECT_TRUE(back.connection.connected);
    EXPECT_EQ(back.connection.title.kind, link::TitleUpdate::Kind::Version);
    EXPECT_TRUE(session->port().controllerConnected());
    EXPECT_EQ(session->port().portName(), "COM1");
    EXPECT_TRUE(session->lastRead().complete());
    const std::string heard = plugged.heardLetters();
    EXPECT_EQ(heard.find_first_not_of("Il"), std::string::npos) << heard;
    EXPECT_GE(std::count(heard.begin(), heard.end(), 'l'), 35) << "every address read";
    // And the next unplug is followed as well.
    unplug();
    EXPECT_EQ(plugInAnswering().step, ReconnectStep::Back);
}

TEST_F(PtyReconnect, AnotherControllerIsReportedAndLeftAlone)
{
    unplug();
    plugged.sim.setIdentity(0x42);
    const auto other = plugInAnswering();
    ASSERT_EQ(other.step, ReconnectStep::OtherController);
    EXPECT_EQ(other.expectedIdentity, link::ControllerIdentity(0x31));
    EXPECT_EQ(other.foundIdentity, link::ControllerIdentity(0x42));
    EXPECT_EQ(plugged.heardLetters(), "II") << "identified (its identity confirmed), nothing read or written";
    EXPECT_FALSE(session->port().portOpen());
    EXPECT_FALSE(session->port().controllerConnected());
    EXPECT_TRUE(reconnection->waiting()) << "the right one may still come back";

    plugged.sim.hangUp();
    EXPECT_EQ(nextEvent().step, ReconnectStep::Nothing);
    plugged.sim.setIdentity(0x31);
    EXPECT_EQ(plugInAnswering().step, ReconnectStep::Back);
}

TEST_F(PtyReconnect, OtherFirmwareOfTheSameTypeIsAnotherController)
{
    unplug();
    plugged.sim.setIdentity(0x41);  // type 1, firmware 4 instead of 3
    EXPECT_EQ(plugInAnswering().step, ReconnectStep::OtherController);
}

TEST_F(PtyReconnect, WriteCutByTheUnplugIsNeverSentAgain)
{
    plugged.sim.clearReceivedFrames();
    sim::FaultOptions cut;
    cut.hangUpAfterFrames = 20;
    plugged.sim.setFaults(cut);
    const auto outcome = session->transfer().writeAll();
    EXPECT_TRUE(outcome.portLost);
    EXPECT_FALSE(outcome.allConfirmed()) << "reported as not confirmed";
    const auto lost = reconnection->checkLine();
    ASSERT_EQ(lost.step, ReconnectStep::Lost) << "seen by the write itself";
    ASSERT_TRUE(readableWithin(reconnection->descriptor()));
    EXPECT_EQ(reconnection->onWatchEvent(true).step, ReconnectStep::Nothing) << "told once";

    plugged.sim.setFaults({});
    const auto back = plugInAnswering();
    ASSERT_EQ(back.step, ReconnectStep::Back);
    const std::string heard = plugged.heardLetters();
    EXPECT_EQ(heard.find_first_of("sRr"), std::string::npos) << heard;
}

TEST_F(PtyReconnect, PulledAgainDuringTheReadIsLostAgainNotBack)
{
    unplug();
    sim::FaultOptions cut;
    cut.hangUpAfterFrames = 5;  // two identifications and three reads
    plugged.sim.setFaults(cut);
    const auto again = plugIn();
    EXPECT_EQ(again.step, ReconnectStep::Lost);
    EXPECT_TRUE(reconnection->waiting());
    EXPECT_FALSE(session->port().controllerConnected());

    plugged.sim.setFaults({});
    ASSERT_TRUE(readableWithin(reconnection->descriptor()));
    reconnection->onWatchEvent(true);  // the link removed by the pull
    EXPECT_EQ(plugInAnswering().step, ReconnectStep::Back);
}

TEST_F(PtyReconnect, SilentControllerAfterTheReturnIsTriedAgainLater)
{
    unplug();
    plugged.sim.setSilent(true);
    const auto silent = plugIn();
    ASSERT_EQ(silent.step, ReconnectStep::NotYet);
    EXPECT_EQ(silent.openError, link::OpenError::None) << "it opened; nothing answered";
    EXPECT_FALSE(session->port().portOpen());
    plugged.sim.setSilent(false);
    EXPECT_EQ(triedAgainWhileNotYet(reconnection->tryAgain(true)).step, ReconnectStep::Back);
}

// Before, a stray byte ahead of the first identify answer after the return
// was taken for the controller's identity: "inny sterownik", left alone.
TEST_F(PtyReconnect, StrayByteAtTheReturnIsNeverAnotherController)
{
    unplug();
    sim::FaultOptions stray;
    stray.identifyPrefix = 0x44;
    stray.identifyPrefixNth = 1;
    plugged.sim.setFaults(stray);
    const auto back = plugInAnswering();
    EXPECT_EQ(back.step, ReconnectStep::Back);
    EXPECT_EQ(session->connection().identity(), dravinor::link::ControllerIdentity(0x31));
}

TEST_F(PtyReconnect, ControllerWithoutACleanIdentityIsTriedAgainLater)
{
    unplug();
    sim::FaultOptions stray;
    stray.identifyPrefix = 0x44;  // ahead of every identity byte
    plugged.sim.setFaults(stray);
    const auto unclear = plugIn();
    ASSERT_EQ(unclear.step, ReconnectStep::NotYet);
    EXPECT_TRUE(unclear.answeredUnclearly);
    EXPECT_FALSE(session->port().portOpen());
    EXPECT_EQ(plugged.heardLetters().find_first_not_of('I'), std::string::npos) << "nothing but identifies";
    plugged.sim.setFaults({});
    EXPECT_EQ(triedAgainWhileNotYet(reconnection->tryAgain(true)).step, ReconnectStep::Back);
}

TEST_F(PtyReconnect, GoneAndBackBetweenTwoLooksComesBackAtOnce)
{
    plugged.sim.hangUp();
    std::string error;
    ASSERT_TRUE(plugged.sim.replug(&error)) << error;
    ASSERT_TRUE(readableWithin(reconnection->descriptor()));
    EXPECT_EQ(reconnection->onWatchEvent(true).step, ReconnectStep::Back);
    EXPECT_TRUE(session->port().controllerConnected());
}

TEST_F(PtyReconnect, ReturnOnTheWizardPageIdentifiesWithoutReading)
{
    unplug();
    const auto back = [&] {
        plugged.sim.clearReceivedFrames();
        std::string error;
        EXPECT_TRUE(plugged.sim.replug(&error)) << error;
        EXPECT_TRUE(readableWithin(reconnection->descriptor()));
        return reconnection->onWatchEvent(false);
    }();
    ASSERT_EQ(back.step, ReconnectStep::Back);
    EXPECT_FALSE(back.pagesRead);
    const std::string heard = plugged.heardLetters();
    EXPECT_EQ(heard.find_first_not_of("I"), std::string::npos) << heard;
}

TEST_F(PtyReconnect, FittersOwnConnectionEndsTheWait)
{
    unplug();
    // A failed attempt of the fitter's leaves the wait as it was.
    session->port().close();
    reconnection->follow();
    EXPECT_TRUE(reconnection->waiting());

    std::string error;
    ASSERT_TRUE(plugged.sim.replug(&error)) << error;
    ASSERT_TRUE(session->connection().choosePortItem(0).connected);
    reconnection->follow();
    EXPECT_TRUE(reconnection->following());
    EXPECT_FALSE(reconnection->waiting());
    plugged.sim.clearReceivedFrames();
    ASSERT_TRUE(readableWithin(reconnection->descriptor()));
    EXPECT_EQ(reconnection->onWatchEvent(true).step, ReconnectStep::Nothing) << "already connected";
    EXPECT_TRUE(plugged.heardLetters().empty());
}

TEST(Reconnection, NothingIsFollowedWithoutAController)
{
    link::PortMap map;
    map.assign(0, "/dev/dravinor-no-such-tty");
    dravinor::testing::StateFolder folder;
    params::ControllerSession session(map, params::SessionWiring{{}, {}, folder.journal()});
    params::Reconnection reconnection(session);
    EXPECT_FALSE(session.connection().connectToPort("COM1").connected);
    reconnection.follow();
    EXPECT_FALSE(reconnection.following());
    EXPECT_EQ(reconnection.descriptor(), -1);
    EXPECT_EQ(reconnection.checkLine().step, ReconnectStep::Nothing);
    EXPECT_EQ(reconnection.tryAgain(true).step, ReconnectStep::Nothing);
}

namespace {

// dravinor-cli live as a process on the plugged simulator; another thread
// pulls the adapter and plugs it in again while it polls.
struct PtyCliReconnect : ::testing::Test {
    PluggedSimulator plugged;
    dravinor::testing::StateFolder folder;

    void SetUp() override { ASSERT_TRUE(plugged.sim.start()); }

    // interruptAfterS: Ctrl+C after that many seconds (0: never).
    dravinor::testing::CliRun live(const std::string& arguments, std::function<void()> meanwhile,
                                   int interruptAfterS = 0)
    {
        const auto dir = folder.path();
        const std::string interrupt =
            interruptAfterS > 0 ? "timeout -s INT " + std::to_string(interruptAfterS) + " " : std::string{};
        const std::string command = "DRAVINOR_STATE_DIR='" + dir.string() + "' DRAVINOR_PORTS='COM1=" + plugged.link +
                                    "' " + interrupt + "'" + dravinor::testing::cliProgram() + "' live " + arguments +
                                    " >'" + (dir / "out").string() + "' 2>'" + (dir / "err").string() + "' </dev/null";
        std::thread other(std::move(meanwhile));
        dravinor::testing::CliRun run;
        const int status = std::system(command.c_str());
        other.join();
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = dravinor::testing::slurp(dir / "out");
        run.err = dravinor::testing::slurp(dir / "err");
        return run;
    }
    // Unplugged once the CLI has polled for a while, plugged in again later.
    std::function<void()> unplugAndReplug(std::uint8_t identityOnReturn = 0x31)
    {
        return [this, identityOnReturn] {
            const auto polled = [this] { return plugged.heardLetters().find("VVVV") != std::string::npos; };
            for (int waited = 0; waited < 5000 && !polled(); waited += 10)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            plugged.sim.hangUp();
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            plugged.sim.setIdentity(identityOnReturn);
            plugged.sim.replug();
        };
    }
};

}  // namespace

TEST_F(PtyCliReconnect, LiveWaitsForTheAdapterAndPollsOnWithTheSameController)
{
    const auto run = live("--count 40 --reconnect", unplugAndReplug());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("the port went away"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("the controller is back on COM1"), std::string::npos) << run.err;
}

TEST_F(PtyCliReconnect, LiveWithoutReconnectEndsWhenTheAdapterGoes)
{
    const auto run = live("--count 400", unplugAndReplug());
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_EQ(run.err.find("waiting for"), std::string::npos) << run.err;
}

TEST_F(PtyCliReconnect, LiveNamesAnotherControllerAndDoesNotUseIt)
{
    // The other controller is not used; the CLI waits on until it is interrupted.
    const auto run = live("--count 40 --reconnect", unplugAndReplug(0x42), 3);
    EXPECT_NE(run.err.find("another controller (type 2, firmware 4) answers on COM1 instead of type 1, firmware 3"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.err.find("is back"), std::string::npos) << run.err;
}

TEST(ReconnectionSimulated, LossSeenByAWriteIsToldOnceAndAMissingDeviceIsNotYetBack)
{
    dravinor::testing::SimulatedController controller;
    dravinor::testing::StateFolder folder;
    link::PortMap map;
    map.assign(0, controller.slavePath());
    params::ControllerSession session(map, controller.wiring(folder.journal()));
    params::Reconnection reconnection(session);
    ASSERT_TRUE(session.connection().connectToPort("COM1").connected);
    reconnection.follow();
    EXPECT_EQ(reconnection.checkLine().step, ReconnectStep::Nothing) << "a live line is not lost";

    controller.hangUp();
    controller.clearReceivedFrames();
    EXPECT_TRUE(session.transfer().writeParameter(params::Address(4), 20).failed());
    EXPECT_EQ(reconnection.checkLine().step, ReconnectStep::Lost);
    EXPECT_EQ(reconnection.checkLine().step, ReconnectStep::Nothing) << "told once";

    const auto notYet = reconnection.tryAgain(true);
    EXPECT_EQ(notYet.step, ReconnectStep::NotYet);
    EXPECT_EQ(notYet.openError, link::OpenError::NotFound);
    EXPECT_TRUE(reconnection.waiting());
    EXPECT_TRUE(controller.heardLetters().empty());
}
