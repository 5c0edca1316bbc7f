#include "params/ParameterWrites.h"
#include "link/SerialPort.h"
#include "params/ParameterTable.h"
#include "params/ParameterTransfer.h"

#include "FakeClock.h"
#include "ScriptedController.h"
#include "ScriptedDevice.h"

#include <gtest/gtest.h>

#include <type_traits>

#include <string>

#include <set>
#include <utility>
#include <vector>

namespace dravinor::params {
namespace {

namespace a = address;
using Writes = std::vector<std::pair<int, int>>;

// Records every byte and refuses the addresses it is told to.
struct RecordingWriter final : ByteWriter {
    std::set<Address> refused;
    Writes writes;
    bool write(Address address, std::uint8_t value) override
    {
        writes.emplace_back(address.number(), value);
        return !refused.contains(address);
    }
};

// Every write takes its address first, as a type of its own: a value and an
// address that changed places, or a bare number for an address, do not
// compile.
static_assert(!std::is_convertible_v<int, Address>);
static_assert(!std::is_convertible_v<Address, int>);
static_assert(std::is_invocable_v<decltype(&ParameterBlock::setParameter), ParameterBlock&, Address, std::uint8_t>);
static_assert(!std::is_invocable_v<decltype(&ParameterBlock::setParameter), ParameterBlock&, std::uint8_t, Address>);
static_assert(!std::is_invocable_v<decltype(&ParameterBlock::setParameter), ParameterBlock&, int, int>);
static_assert(!std::is_invocable_v<decltype(&ParameterBlock::setWord), ParameterBlock&, std::uint16_t, Address>);
static_assert(std::is_invocable_v<decltype(&ByteWriter::write), ByteWriter&, Address, std::uint8_t>);
static_assert(!std::is_invocable_v<decltype(&ByteWriter::write), ByteWriter&, std::uint8_t, Address>);
static_assert(!std::is_invocable_v<decltype(&ByteWriter::write), ByteWriter&, int, std::uint8_t>);
static_assert(
    !std::is_invocable_v<decltype(&ParameterTransfer::writeParameter), ParameterTransfer&, std::uint8_t, Address>);
static_assert(!std::is_invocable_v<decltype(&ParameterTransfer::writeParameter), ParameterTransfer&, int, int>);
static_assert(!std::is_invocable_v<decltype(&writeWhereItLives), ParameterTransfer&, std::uint8_t, Address>);
static_assert(!std::is_invocable_v<decltype(&writeToMemory), ParameterTransfer&, Memory, std::uint8_t, Address>);
static_assert(!std::is_invocable_v<decltype(&writeWord), ByteWriter&, std::uint16_t, Address, Gate>);
static_assert(!std::is_invocable_v<decltype(&writeWord), ByteWriter&, int, std::uint16_t, Gate>);

// A word's low byte is the next address; addresses order by number.
static_assert(a::switchOverRpm.next() == Address(15) && a::switchOverRpm.next().number() == 15);
static_assert(a::lambdaThreshold < a::tpsThreshold && a::emulationType == Address(35));

// A low byte written after a refused high byte would leave the controller
// with half of an old word and half of a new one.
TEST(ParameterWrites, AWordIsWrittenHighByteFirstAndAnEditStopsAtARefusedHighByte)
{
    RecordingWriter writer;
    EXPECT_TRUE(writeWord(writer, a::maxRpmOnGas, 0x0280, Gate::OnAcknowledge));
    EXPECT_EQ(writer.writes, (Writes{{18, 0x02}, {19, 0x80}}));

    writer = {};
    writer.refused = {a::maxRpmOnGas};
    EXPECT_FALSE(writeWord(writer, a::maxRpmOnGas, 0x0280, Gate::OnAcknowledge));
    EXPECT_EQ(writer.writes, (Writes{{18, 0x02}}));

    writer.writes.clear();
    EXPECT_FALSE(writeWord(writer, a::maxRpmOnGas, 0x0280, Gate::Never)) << "the wizard writes on but is told";
    EXPECT_EQ(writer.writes, (Writes{{18, 0x02}, {19, 0x80}}));

    writer = {};
    writer.refused = {a::maxRpmOnGas.next()};
    EXPECT_FALSE(writeWord(writer, a::maxRpmOnGas, 0x0280, Gate::OnAcknowledge)) << "a refused low byte fails too";
}

TEST(ParameterWrites, TheHysteresisIsFollowedByItsDeltaOnlyWhenItsHighByteWasTaken)
{
    RecordingWriter writer;
    EXPECT_TRUE(writeRpmHysteresis(writer, 0x0053, 1, Gate::OnAcknowledge));
    EXPECT_EQ(writer.writes, (Writes{{16, 0x00}, {17, 0x53}, {33, 1}}));

    writer = {};
    writer.refused = {a::switchOverHysteresis};
    EXPECT_FALSE(writeRpmHysteresis(writer, 0x0053, 1, Gate::OnAcknowledge));
    EXPECT_EQ(writer.writes, (Writes{{16, 0x00}}));

    writer.writes.clear();
    EXPECT_FALSE(writeRpmHysteresis(writer, 0x0053, 1, Gate::Never));
    EXPECT_EQ(writer.writes, (Writes{{16, 0x00}, {17, 0x53}, {33, 1}}));

    // Without a switch-over speed the controller keeps its own hysteresis.
    writer = {};
    EXPECT_TRUE(writeRpmHysteresis(writer, std::nullopt, 2, Gate::OnAcknowledge));
    EXPECT_EQ(writer.writes, (Writes{{33, 2}}));
}

// The list the fitter changed decides which byte goes first and gates the rest.
TEST(ParameterWrites, ProbeSettingsGoInTheOrderGivenThenTheTypesAndStopAtARefusedFirstByte)
{
    const ProbeSettings settings{0x07, 4, 5, 1};
    RecordingWriter writer;
    EXPECT_TRUE(writeProbeSettings(writer, settings, ProbeOrder::FlagByteFirst, Gate::OnAcknowledge));
    EXPECT_EQ(writer.writes, (Writes{{32, 0x07}, {27, 4}, {34, 5}, {35, 1}}));

    writer = {};
    EXPECT_TRUE(writeProbeSettings(writer, settings, ProbeOrder::CodeFirst, Gate::OnAcknowledge));
    EXPECT_EQ(writer.writes, (Writes{{27, 4}, {32, 0x07}, {34, 5}, {35, 1}}));

    writer = {};
    writer.refused = {a::emulationOutputCode};
    EXPECT_FALSE(writeProbeSettings(writer, settings, ProbeOrder::CodeFirst, Gate::OnAcknowledge));
    EXPECT_EQ(writer.writes, (Writes{{27, 4}}));

    writer = {};
    writer.refused = {a::flagByteA};
    EXPECT_FALSE(writeProbeSettings(writer, settings, ProbeOrder::FlagByteFirst, Gate::Never));
    EXPECT_EQ(writer.writes.size(), 4u);
}

// The memory of a single write comes from the parameter table alone: 33..35
// have no RAM copy of their own, every other parameter is refreshed in RAM.
// A writer that goes on after a refused byte still knows the sequence was
// not confirmed whole.
TEST(ParameterWrites, TheTableDecidesWhereAByteGoesAndTheWriterRemembersAnUnconfirmedByte)
{
    testing::FakeClock clock;
    testing::ScriptedDevice device{clock};
    testing::ScriptedController controller{clock, device};
    link::SerialPort port{device, clock, [](const std::string& name) { return name; }};
    ParameterState state;
    ParameterTransfer transfer{port, state};
    ASSERT_TRUE(port.open("/dev/x"));
    port.setControllerConnected(true);

    EXPECT_TRUE(writeWhereItLives(transfer, a::probeType, 3).eepromAcknowledged);
    EXPECT_EQ(controller.lettersHeard, "s");
    controller.lettersHeard.clear();
    EXPECT_FALSE(writeWhereItLives(transfer, a::tpsInertia, 4).failed());
    EXPECT_EQ(controller.lettersHeard, "sR");
    controller.lettersHeard.clear();
    EXPECT_FALSE(writeToMemory(transfer, Memory::EepromAndRam, a::probeType, 3).failed()) << "asked for both";
    EXPECT_EQ(controller.lettersHeard, "sR");

    TransferWriter writer(transfer);
    EXPECT_TRUE(writer.write(a::tpsInertia, 5));
    EXPECT_TRUE(writer.allConfirmed());
    controller.silent = true;
    EXPECT_FALSE(writer.write(a::tpsInertia, 6));
    controller.silent = false;
    EXPECT_TRUE(writer.write(a::tpsInertia, 7));
    EXPECT_FALSE(writer.allConfirmed()) << "a refused byte stays counted";
}

}  // namespace
}  // namespace dravinor::params
