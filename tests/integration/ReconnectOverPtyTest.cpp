// Following the controller through an unplugged adapter, over a real pty
// whose link goes and comes back: the loss is seen, the same controller is
// used again, another one is left alone, and nothing is ever written again.

#include "ControllerSession.h"
#include "PluggedSimulator.h"
#include "Reconnection.h"
#include "StateFolder.h"

#include <gtest/gtest.h>

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
        link::PortMap map;
        map.assign(0, plugged.link);
        session = std::make_unique<params::ControllerSession>(map, params::SessionWiring{{}, {}, folder.journal()});
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
};

}  // namespace

TEST_F(PtyReconnect, UnpluggedAdapterIsToldAndNothingMoreIsSent)
{
    plugged.sim.clearReceivedFrames();
    unplug();
    EXPECT_TRUE(reconnection->waiting());
    EXPECT_FALSE(session->port().controllerConnected()) << "the live view stops polling";
    // An edit meanwhile fails at once instead of waiting out its retries.
    const auto write = session->transfer().writeParameter(20, 4);
    EXPECT_TRUE(write.failed());
    EXPECT_TRUE(plugged.heardLetters().empty());
}

TEST_F(PtyReconnect, SameControllerBackIsIdentifiedAndReadWithoutAWrite)
{
    unplug();
    const auto back = plugIn();
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
    EXPECT_EQ(plugIn().step, ReconnectStep::Back);
}

TEST_F(PtyReconnect, AnotherControllerIsReportedAndLeftAlone)
{
    unplug();
    plugged.sim.setIdentity(0x42);
    const auto other = plugIn();
    ASSERT_EQ(other.step, ReconnectStep::OtherController);
    EXPECT_EQ(other.expectedIdentity, 0x31);
    EXPECT_EQ(other.foundIdentity, 0x42);
    EXPECT_EQ(plugged.heardLetters(), "I") << "identified, nothing read or written";
    EXPECT_FALSE(session->port().portOpen());
    EXPECT_FALSE(session->port().controllerConnected());
    EXPECT_TRUE(reconnection->waiting()) << "the right one may still come back";

    plugged.sim.hangUp();
    EXPECT_EQ(nextEvent().step, ReconnectStep::Nothing);
    plugged.sim.setIdentity(0x31);
    EXPECT_EQ(plugIn().step, ReconnectStep::Back);
}

TEST_F(PtyReconnect, OtherFirmwareOfTheSameTypeIsAnotherController)
{
    unplug();
    plugged.sim.setIdentity(0x41);  // type 1, firmware 4 instead of 3
    EXPECT_EQ(plugIn().step, ReconnectStep::OtherController);
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
    const auto back = plugIn();
    ASSERT_EQ(back.step, ReconnectStep::Back);
    const std::string heard = plugged.heardLetters();
    EXPECT_EQ(heard.find_first_of("sRr"), std::string::npos) << heard;
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
    EXPECT_EQ(reconnection->tryAgain(true).step, ReconnectStep::Back);
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
