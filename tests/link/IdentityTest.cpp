// The controller's identity is taken only from lone answers that agree: a
// byte left over from a read, a stray byte ahead of the answer or a late
// answer never becomes it, and a clean line asks exactly as before.
#include "link/CommandFrame.h"
#include "link/Connection.h"
#include "link/LineSync.h"
#include "link/SerialPort.h"

#include "FakeClock.h"
#include "ScriptedController.h"
#include "ScriptedDevice.h"
#include "ScriptedLine.h"

#include <gtest/gtest.h>

using namespace dravinor;
using dravinor::testing::FakeClock;
using dravinor::testing::ScriptedController;
using dravinor::testing::ScriptedDevice;
using link::TitleUpdate;

namespace {

// One controller on "/dev/x"; the connection's read is a single 'l' of
// address 5, which leaves "D", value, sum, ";" in the receive buffer as the
// full read does.
struct IdentityFixture : dravinor::testing::ScriptedLine {
    link::Connection connection{port, [this] {
                                    link::sendParameterRead(port, 5);
                                    (void)link::collectParameterValue(port);
                                }};

    void SetUp() override {}  // the connection opens the port itself
    link::ConnectionOutcome connect() { return connection.connectToPort("/dev/x"); }
};

}  // namespace

// Before, the identify after the read took byte 0 of the receive buffer
// whether or not it was answered: the read's 'D' (typ 4, wersja 4) or ';'
// (typ 11) became the controller's identity and the window's title.
TEST_F(IdentityFixture, LeftoverByteNeverBecomesTheIdentity)
{
    for (std::uint32_t late : {windowMs + 5, 3 * windowMs, 10 * windowMs}) {
        SCOPED_TRACE(late);
        controller.identifiesHeard = 0;
        controller.lateIdentifies = {{2, late}};
        const auto outcome = connect();
        ASSERT_TRUE(outcome.connected);
        EXPECT_EQ(outcome.title.kind, TitleUpdate::Kind::Version);
        EXPECT_EQ(outcome.title.versionText, "[  wersja sterownika 3 ]");
        EXPECT_EQ(connection.identity(), dravinor::link::ControllerIdentity(0x31));
        clock.sleepMs(1000);
        port.close();
    }
}

TEST_F(IdentityFixture, ControllerThatNeverAnswersAloneHasNoVersionButIsThere)
{
    for (int nth = 1; nth <= 20; ++nth)
        controller.strayBeforeIdentity[nth] = 'D';
    const auto outcome = connect();
    EXPECT_TRUE(outcome.connected);
    EXPECT_EQ(outcome.title.kind, TitleUpdate::Kind::VersionUnknown);
    EXPECT_TRUE(outcome.title.versionText.empty());
    EXPECT_FALSE(connection.identity());
}

// Before, the first byte that came was kept even when the identity byte
// followed it: every later resynchronisation waited for the stray byte.
TEST_F(IdentityFixture, StrayByteBeforeTheFirstIdentifyAnswerNeverBecomesTheIdentity)
{
    ASSERT_TRUE(port.open("/dev/x"));
    for (std::uint8_t stray : {std::uint8_t{'D'}, std::uint8_t{0x3B}, std::uint8_t{0x00}}) {
        SCOPED_TRACE(static_cast<int>(stray));
        controller.identifiesHeard = 0;
        controller.strayBeforeIdentity = {{1, stray}};
        ASSERT_TRUE(connection.isControllerPresent());
        EXPECT_NE(connection.identity(), dravinor::link::ControllerIdentity(stray));
        EXPECT_EQ(connection.versionTitle().versionText, "[  wersja sterownika 3 ]");
        EXPECT_EQ(connection.identity(), dravinor::link::ControllerIdentity(0x31));
        // The read after it resynchronises on the real identity byte.
        EXPECT_EQ(link::resynchronise(port, connection.identity()->byte()), link::SyncOutcome::Synchronised);
        clock.sleepMs(100);
        port.close();
        ASSERT_TRUE(port.open("/dev/x"));
    }
}

TEST_F(IdentityFixture, CleanLineIdentifiesWithNoExtraFrame)
{
    const auto before = clock.nowMs;
    const auto outcome = connect();
    EXPECT_EQ(outcome.title.versionText, "[  wersja sterownika 3 ]");
    EXPECT_EQ(controller.lettersHeard, "IlI");
    // Each identify: its answer at 7 ms, found by the fourth poll; the read
    // takes its six polls; the confirming answer is followed by two quiet polls.
    EXPECT_EQ(clock.nowMs - before, 8u + 12u + 8u + 2u * link::Connection::quietPollsAfterAnswer);
    EXPECT_EQ(connection.identity(), dravinor::link::ControllerIdentity(0x31));
}

// A stray byte just ahead of every answer, as a transmitter keyed on may
// give, answers each identify first: twice the same lone first byte, but
// never alone.
TEST_F(IdentityFixture, StrayByteAheadOfEveryAnswerIsNeverConfirmed)
{
    device.onWrite = [this, hook = device.onWrite](const std::vector<std::uint8_t>& frame) {
        if (frame[0] == 'I')
            device.arriveAt(clock.nowMs + 6, {0x7F});
        hook(frame);
    };
    const auto outcome = connect();
    EXPECT_TRUE(outcome.connected);
    EXPECT_EQ(outcome.title.kind, TitleUpdate::Kind::VersionUnknown);
    EXPECT_FALSE(connection.identity());
}

// A lone byte that is not the identity (an acknowledgement owed from before,
// while the controller was deaf to the identify) is one vote, never two.
TEST(LineSyncIdentity, UnknownIdentityNeedsTheSameLoneByteTwice)
{
    FakeClock clock;
    ScriptedDevice device{clock};
    ScriptedController controller{clock, device};
    link::SerialPort port{device, clock, [](const std::string& name) { return name; }};
    ASSERT_TRUE(port.open("/dev/x"));
    controller.lateIdentifies = {{1, 3 * dravinor::testing::ScriptedLine::windowMs}};
    device.arriveAt(30, {'s'});
    port.noteBadReply();
    const auto sync = link::synchronise(port, std::nullopt);
    EXPECT_EQ(sync.outcome, link::SyncOutcome::Synchronised);
    EXPECT_EQ(sync.identity, std::optional<std::uint8_t>(0x31));
    // A hint counts as the first vote.
    controller.lettersHeard.clear();
    port.noteBadReply();
    EXPECT_EQ(link::synchronise(port, std::nullopt, link::Patience::Spaced, 0x31).identity,
              std::optional<std::uint8_t>(0x31));
    EXPECT_EQ(controller.lettersHeard, "I");
}

// dravinor-cli --port tried one identify: a controller late once was "no
// controller". Now the named port is tried as the scan tries a port.
TEST_F(IdentityFixture, NamedPortIsTriedAsOftenAsTheScanTriesAPort)
{
    int unanswered = 3;
    device.onWrite = [this, &unanswered, hook = device.onWrite](const std::vector<std::uint8_t>& frame) {
        controller.silent = frame[0] == 'I' && unanswered-- > 0;
        hook(frame);
    };
    const auto outcome = connection.connectToPortWithTries("/dev/x");
    EXPECT_TRUE(outcome.connected);
    EXPECT_EQ(device.opens.size(), 4u);
    EXPECT_EQ(device.closes, 3);
    EXPECT_EQ(outcome.title.versionText, "[  wersja sterownika 3 ]");

    port.close();
    device.opens.clear();
    controller.silent = true;
    device.onWrite = nullptr;
    const auto silent = connection.connectToPortWithTries("/dev/x");
    EXPECT_FALSE(silent.connected);
    EXPECT_EQ(device.opens.size(), static_cast<std::size_t>(link::Connection::silentTries));
    EXPECT_TRUE(port.portOpen()) << "the last silent try leaves the port open, as a menu choice does";
}

TEST(ControllerIdentityByte, TypeIsTheLowFourBitsAndFirmwareTheHighFour)
{
    const link::ControllerIdentity identity(0x31);
    EXPECT_EQ(identity.type(), 1);
    EXPECT_EQ(identity.firmware(), 3);
    EXPECT_EQ(identity.journalText(), "1/3");
    EXPECT_EQ(link::ControllerIdentity(0xF0).journalText(), "0/15");
    EXPECT_NE(link::ControllerIdentity(0x31), link::ControllerIdentity(0x13));
}

TEST(ControllerIdentityByte, FirmwareFirstTextOfOldJournalLinesNamesTheSameIdentity)
{
    EXPECT_EQ(link::identityFromFirmwareFirst("3/1"), link::ControllerIdentity(0x31));
    EXPECT_EQ(link::identityFromFirmwareFirst("15/0"), link::ControllerIdentity(0xF0));
    for (const char* bad : {"", "3", "3/", "/1", "16/1", "3/16", "-1/1", "3/1/2", "a/b", " 3/1", "3/1 "})
        EXPECT_FALSE(link::identityFromFirmwareFirst(bad)) << bad;
}
