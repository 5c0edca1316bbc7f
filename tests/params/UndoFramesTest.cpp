// What an undo of a single field puts on the wire, held against a recording
// (tests/frames/journal-undo.txt): a byte, an EEPROM-only byte, a word whole,
// a word whose high byte the controller refuses (its low byte is never sent)
// and a word whose RAM copy goes unacknowledged, each under a heading with
// what the undo answered. DRAVINOR_RECORD_FRAMES=1 records a change that
// means to change them.

#include "TestLocations.h"
#include "link/SerialPort.h"
#include "params/JournalEntry.h"
#include "params/JournalUndo.h"
#include "params/ParameterTransfer.h"

#include "FakeClock.h"
#include "FrameLog.h"
#include "ScriptedController.h"
#include "ScriptedDevice.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <utility>

namespace dravinor::params {
namespace {

using testing::FakeClock;
using testing::FrameLog;
using testing::ScriptedController;
using testing::ScriptedDevice;

// A controller that loses chosen frames (neither carried out nor answered),
// as often as it is told, and a log of every frame it heard.
struct UndoFrames : ::testing::Test {
    FakeClock clock;
    ScriptedDevice device{clock};
    ScriptedController controller{clock, device};
    link::SerialPort port{device, clock, [](const std::string& name) { return name; }};
    ParameterState state;
    ParameterTransfer transfer{port, state};
    std::map<std::pair<char, int>, int> deafTo;
    FrameLog log;

    void SetUp() override
    {
        ASSERT_TRUE(port.open("/dev/x"));
        port.setControllerConnected(true);
        for (int address = 1; address <= 35; ++address)
            state.block().setParameter(Address(address), static_cast<std::uint8_t>(address * 5));
        auto hear = device.onWrite;
        device.onWrite = [this, hear](const std::vector<std::uint8_t>& frame) {
            std::array<std::uint8_t, 6> heard{};
            std::copy_n(frame.begin(), std::min(frame.size(), heard.size()), heard.begin());
            log.add(heard);
            const auto deaf = deafTo.find({static_cast<char>(frame[0]), frame[1]});
            if (deaf != deafTo.end() && deaf->second > 0) {
                --deaf->second;
                return;
            }
            hear(frame);
        };
    }

    static JournalEntry entry(JournalKind kind, int address, int lastAddress, unsigned oldRaw)
    {
        JournalEntry written;
        written.kind = kind;
        written.source = WriteSource::Field;
        written.address = address;
        written.lastAddress = lastAddress;
        written.oldRaw = oldRaw;
        written.acknowledged = true;
        return written;
    }

    void undo(const std::string& title, const JournalEntry& written)
    {
        log.heading(title);
        const bool acknowledged = undoWrite(transfer, written);
        log.heading(acknowledged ? "acknowledged" : "not acknowledged");
    }
};

}  // namespace

TEST_F(UndoFrames, UndoWritesTheFramesItWroteBefore)
{
    undo("a byte", entry(JournalKind::Write, 5, 5, 0x42));
    undo("an EEPROM-only byte", entry(JournalKind::Eeprom, 34, 34, 3));
    undo("a word", entry(JournalKind::Write, 14, 15, 0x06d1));
    deafTo[{'s', 18}] = 5;
    undo("a word whose high byte is refused", entry(JournalKind::Write, 18, 19, 0x0280));
    deafTo[{'R', 22 + 36}] = 5;
    undo("a word whose RAM copy is not acknowledged", entry(JournalKind::Write, 22, 23, 0x0190));
    dravinor::testing::expectRecordedFrames(log.text(),
                                            dravinor::testing::sourceDir() + "/tests/frames/journal-undo.txt");
}

}  // namespace dravinor::params
