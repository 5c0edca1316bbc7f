// Random 50-100 ms stalls of the replies, as a loaded PC or a USB adapter's
// latency timer gives, in simulated time: hundreds of reads and of
// identify-read-identify connections (as dravinor-cli report makes them)
// never give a wrong value or a wrong controller; each read is complete or
// says what it lacks.
#include "SimulatedLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace dravinor;

namespace {

constexpr std::uint8_t untouched = 0xEE;
constexpr int runs = 200;

sim::SimulatorOptions stalling()
{
    sim::SimulatorOptions options;
    options.faults.stallMinMs = 50;
    options.faults.stallMaxMs = 100;
    options.faults.stallPercent = 15;
    options.noiseSeed = 25;
    return options;
}

struct StallingLine : dravinor::testing::SimulatedLine {
    using Line = dravinor::testing::SimulatedLine;
    StallingLine() : Line(stalling()) {}

    void SetUp() override
    {
        Line::SetUp();
        transfer.setIdentitySource([this] { return connection.identity(); });
        transfer.setIdentityHintSource([this] { return connection.identityHint(); });
    }

    // Every address holds the controller's value, or is listed as failed,
    // marked unread and untouched; the lists agree with each other.
    void expectRightOrHonestlyMissing(const params::ReadAllResult& read)
    {
        const auto image = controller.eeprom();
        for (int address = 1; address <= 35; ++address) {
            const bool failed = std::count(read.failedAddresses.begin(), read.failedAddresses.end(), address) > 0;
            EXPECT_EQ(state.block().get(address), failed ? untouched : image[static_cast<std::size_t>(address)])
                << "address " << address;
            EXPECT_EQ(state.isUnread(address), failed) << "address " << address;
        }
        EXPECT_EQ(read.accepted + static_cast<int>(read.failedAddresses.size()), 35);
        EXPECT_EQ(read.unanswered().size() + read.notAsked.size(), read.failedAddresses.size());
    }
};

}  // namespace

TEST_F(StallingLine, ReadsUnderRandomStallsAreRightOrHonestlyIncomplete)
{
    ASSERT_TRUE(connection.connectToPort("COM1").connected);
    int complete = 0;
    for (int run = 0; run < runs; ++run) {
        SCOPED_TRACE("read " + std::to_string(run));
        state.block().bytes().fill(untouched);
        const auto read = transfer.readAllParameters();
        expectRightOrHonestlyMissing(read);
        complete += read.complete() ? 1 : 0;
        if (::testing::Test::HasFailure())
            break;
    }
    // A stall costs a re-read; an address is lost only when all three of its
    // answers stall (here about one read in seven loses one), never the read.
    EXPECT_GE(complete, runs * 3 / 4);
}

TEST_F(StallingLine, ConnectionsUnderRandomStallsNeverNameAWrongController)
{
    int versions = 0;
    for (int run = 0; run < runs; ++run) {
        SCOPED_TRACE("connection " + std::to_string(run));
        port.close();
        controller.advanceMs(150);  // what a stall still held has come and gone
        state.block().bytes().fill(untouched);
        const auto outcome = connection.connectToPortWithTries("COM1");
        ASSERT_TRUE(outcome.connected);
        if (const auto identity = connection.identity()) {
            EXPECT_EQ(*identity, link::ControllerIdentity(0x31));
        }
        if (outcome.title.kind == link::TitleUpdate::Kind::Version) {
            EXPECT_EQ(outcome.title.versionText, "[  wersja sterownika 3 ]");
            ++versions;
        } else {
            EXPECT_EQ(outcome.title.kind, link::TitleUpdate::Kind::VersionUnknown);
        }
        expectRightOrHonestlyMissing(lastRead);
        if (::testing::Test::HasFailure())
            break;
    }
    EXPECT_GE(versions, runs * 9 / 10);
}
