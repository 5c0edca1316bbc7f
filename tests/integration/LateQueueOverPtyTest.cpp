// A controller that answers one read late, by one to ten reply windows, and
// then answers what it heard meanwhile in order: over the real serial stack
// no accepted value may belong to another address.
#include "CliFixture.h"
#include "SimulatedLine.h"

#include <algorithm>
#include <sstream>
#include <string>

using namespace dravinor;
using dravinor::testing::CliFixture;
using dravinor::testing::SimulatedLine;
namespace fs = std::filesystem;

namespace {

constexpr int windowMs = 44;  // 21 polls of a little over 2 ms

struct LateQueue {
    int address;
    int windows;
    bool once;
};

sim::FaultOptions lateWithQueue(const LateQueue& late)
{
    sim::FaultOptions faults;
    faults.lateAnswerAddress = late.address;
    faults.lateAnswerMs = late.windows * windowMs + 5;
    faults.lateAnswerQueues = true;
    faults.lateAnswerOnce = late.once;
    return faults;
}

struct LateQueueLine : SimulatedLine {
    void SetUp() override
    {
        SimulatedLine::SetUp();
        transfer.setIdentitySource([] { return dravinor::link::ControllerIdentity(0x31); });
        openCom1();
    }
};

}  // namespace

TEST_F(LateQueueLine, EveryAcceptedValueIsItsAddresssOwnAtAnyLateness)
{
    const LateQueue cases[] = {
        {1, 10, true}, {7, 2, true},   {20, 7, true},   {35, 4, true},
        {7, 1, false}, {20, 5, false}, {35, 10, false}, {1, 3, false},
    };
    const auto image = controller.eeprom();
    for (const LateQueue& late : cases) {
        SCOPED_TRACE("address " + std::to_string(late.address) + ", " + std::to_string(late.windows) + " windows" +
                     (late.once ? ", once" : ", every read"));
        controller.setFaults(lateWithQueue(late));
        state.block().bytes().fill(0xEE);
        const auto read = transfer.readAllParameters();
        for (int address = 1; address <= 35; ++address) {
            const bool failed = std::count(read.failedAddresses.begin(), read.failedAddresses.end(), address) > 0;
            EXPECT_EQ(state.block().get(address), failed ? 0xEE : image[static_cast<std::size_t>(address)])
                << "address " << address;
            EXPECT_EQ(state.isUnread(address), failed) << "address " << address;
        }
        if (late.once)
            EXPECT_TRUE(read.complete()) << "the re-read on a line in step gets it";
        else
            EXPECT_EQ(read.failedAddresses, std::vector<int>{late.address});
        controller.setFaults({});
        port.clock().sleepMs(late.windows * windowMs + 100);  // what is still owed arrives
    }
}

TEST_F(LateQueueLine, CleanLineKeepsThePlainFrames)
{
    const auto read = transfer.readAllParameters();
    EXPECT_TRUE(read.complete());
    EXPECT_EQ(heardLetters(), std::string(35, 'l'));
}

// dravinor-cli read with 7 answered 100 ms late and the rest queued behind
// it. Before, 8 showed 7's value, 9 showed 8's, and so on.
TEST_F(CliFixture, ReadMarksTheRowItCouldNotReadAndShiftsNothing)
{
    sim::FaultOptions faults;
    faults.lateAnswerAddress = 7;
    faults.lateAnswerMs = 100;
    faults.lateAnswerQueues = true;
    controller.setFaults(faults);
    auto image = controller.eeprom();
    for (int address = 4; address <= 11; ++address)
        image[static_cast<std::size_t>(address)] = static_cast<std::uint8_t>(10 * address + 1);
    controller.setEeprom(image);

    const auto run = cli("read -o '" + (dir / "x.PAR").string() + "'");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("no valid answer for address 7; no file written"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir / "x.PAR"));
    // The row whose address column (the last) is this address.
    const auto row = [&](int address) {
        std::istringstream lines(run.out);
        for (std::string line; std::getline(lines, line);)
            if (line.ends_with(" " + std::to_string(address)))
                return line;
        return std::string();
    };
    EXPECT_NE(row(7).find("no answer"), std::string::npos) << row(7);
    EXPECT_EQ(row(7).find("71"), std::string::npos) << "no stale or shifted value: " << row(7);
    for (int address : {6, 8, 9, 10, 11})
        EXPECT_NE(row(address).find(std::to_string(10 * address + 1)), std::string::npos) << row(address);
}
