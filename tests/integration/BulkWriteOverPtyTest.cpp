// Bulk writes over a real pseudo-terminal against the simulator: what its
// no-acknowledgement fault leaves out is written again, one address at a time.

#include "CliFixture.h"
#include "SimulatedLine.h"

#include "link/CommandFrame.h"

using namespace dravinor;
using dravinor::testing::CliFixture;
using dravinor::testing::SimulatedLine;
namespace fs = std::filesystem;

namespace {

std::array<std::uint8_t, 64> patternImage()
{
    std::array<std::uint8_t, 64> image{};
    for (int i = 1; i <= 35; ++i)
        image[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 3 + 1);
    return image;
}

}  // namespace

TEST_F(SimulatedLine, BulkWriteRewritesTheFramesTheControllerLostAndEndsWithTheWholeSet)
{
    ASSERT_TRUE(connection.connectToPort("COM1").connected);
    state.block().bytes() = patternImage();
    sim::FaultOptions faults;
    faults.ignoreFirstWrites = 3;  // 's' for 1, 2 and 3 are lost
    controller.setFaults(faults);
    controller.clearReceivedFrames();

    // The letter right after the last lost one may be late: 4 is written again too.
    const auto outcome = transfer.writeAll();
    EXPECT_EQ(outcome.unacknowledged, 3);
    EXPECT_EQ(outcome.rewrittenAddresses(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_TRUE(outcome.allConfirmed());
    EXPECT_EQ(heardLetters(), std::string(35, 's') + std::string(32, 'R') + "sRsRsRsR");
    const auto frames = heardFrames();
    const auto& b = state.block();
    EXPECT_EQ(frames[67], link::buildFrame('s', 1, b.get(1), 0));
    EXPECT_EQ(frames[68], link::buildFrame('R', 37, b.get(1), b.get(2)));
    EXPECT_EQ(frames[72], link::buildFrame('R', 39, b.get(3), b.get(4)));
    for (int address = 1; address <= 35; ++address)
        EXPECT_EQ(controller.eeprom()[static_cast<std::size_t>(address)], b.get(address)) << address;
    EXPECT_EQ(controller.ram()[37], b.get(1));
}

TEST_F(SimulatedLine, BulkWriteOnAGoodLineSendsOnlyTheDefinitionsFrames)
{
    ASSERT_TRUE(connection.connectToPort("COM1").connected);
    state.block().bytes() = patternImage();
    controller.clearReceivedFrames();
    const auto outcome = transfer.writeAll();
    EXPECT_TRUE(outcome.allConfirmed());
    const auto frames = heardFrames();
    ASSERT_EQ(frames.size(), 67u);
    for (int address = 1; address <= 35; ++address)
        EXPECT_EQ(frames[static_cast<std::size_t>(address - 1)],
                  link::buildFrame('s', static_cast<std::uint8_t>(address), state.block().get(address), 0));
    for (int p = 1; p <= 32; ++p)
        EXPECT_EQ(
            frames[static_cast<std::size_t>(34 + p)],
            link::buildFrame('R', static_cast<std::uint8_t>(p + 36), state.block().get(p), state.block().get(p + 1)));
}

TEST_F(CliFixture, WriteRewritesWhatTheControllerMissedAndSaysSo)
{
    const fs::path file = dir / "car.PAR";
    const auto image = patternImage();
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), 64);
    sim::FaultOptions faults;
    faults.ignoreFirstWrites = 2;
    controller.setFaults(faults);
    const auto run = cli("write --yes '" + file.string() + "'");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("written again one by one: 1 2 3\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("All 35 parameters are now confirmed"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("35 of the 35 parameters acknowledged"), std::string::npos) << run.out;
    for (int i = 1; i <= 35; ++i)
        EXPECT_EQ(controller.eeprom()[static_cast<std::size_t>(i)], image[static_cast<std::size_t>(i)]) << i;
}

TEST_F(CliFixture, WriteNamesTheParameterThatStayedUnconfirmedAndExitsThree)
{
    const fs::path file = dir / "car.PAR";
    const auto image = patternImage();
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), 64);
    sim::FaultOptions faults;
    // Every bulk frame, then the five 's' and five 'R' of address 1's re-write.
    faults.ignoreFirstWrites = 67 + 10;
    controller.setFaults(faults);
    const auto run = cli("write --yes '" + file.string() + "'");
    EXPECT_EQ(run.exitCode, 3) << run.err;
    EXPECT_NE(run.err.find("1 of the 35 parameters not confirmed"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("  1  Lambda probe threshold\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("mixed set"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("34 of the 35 parameters acknowledged"), std::string::npos) << run.out;
    for (int i = 2; i <= 35; ++i)
        EXPECT_EQ(controller.eeprom()[static_cast<std::size_t>(i)], image[static_cast<std::size_t>(i)]) << i;
}
