// The line's own faults as dravinor-cli meets them: a late identify after the
// read, a stray byte ahead of the first identify answer, a controller that
// pauses mid-read, one that is late to the first identify, and a port that
// is no serial device. In simulated time, then over a pty against the
// simulator's new faults.
#include "CliFixture.h"
#include "PdfText.h"
#include "SimulatedLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

using namespace dravinor;
using dravinor::testing::CliFixture;
using dravinor::testing::CliRun;
using dravinor::testing::PtyCli;
using dravinor::testing::PtyLine;

namespace {

bool has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Frames the tool sends while connecting: 1 the identify, 2..36 the reads of
// 1..35, 37 the identify after the read.
constexpr int readOfAddress(int address)
{
    return 1 + address;
}
constexpr int identifyAfterRead = 37;

struct LineTrust : CliFixture {
    int writes = 0;
    // Calls what with the number of each frame the tool sends, from 1.
    void onEachFrame(std::function<void(int)> what)
    {
        controller.beforeWrite = [this, what = std::move(what)] { what(++writes); };
    }
    // The controller hears nothing from the frame numbered from on, for ms.
    void pauseFrom(int from, std::uint32_t ms)
    {
        onEachFrame([this, from, ms, since = std::uint32_t{0}](int frame) mutable {
            if (frame == from) {
                controller.setSilent(true);
                since = controller.clock().nowMs;
            } else if (frame > from && controller.clock().nowMs - since >= ms) {
                controller.setSilent(false);
            }
        });
    }
    std::string pdf() const { return (dir / "car.pdf").string(); }
    int readFramesHeard() const
    {
        const std::string letters = controller.heardLetters();
        return static_cast<int>(std::count(letters.begin(), letters.end(), 'l'));
    }
};

}  // namespace

// Before, the identify after the read was not answered in its window and
// byte 0 of the receive buffer, the read's ';', was taken: "typ 11" in the
// customer's report, exit 0.
TEST_F(LineTrust, ReportNeverNamesAControllerFromALeftoverByte)
{
    onEachFrame([this](int frame) { controller.setSilent(frame == identifyAfterRead); });
    const CliRun run = cli("report -o '" + pdf() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string text = dravinor::testing::pdfText(pdf());
    EXPECT_NE(dravinor::testing::lineWith(text, "Sterownik", "typ 1, wersja oprogramowania 3"), "") << text;
    EXPECT_FALSE(has(text, "typ 11")) << text;
    EXPECT_FALSE(has(text, "typ 4")) << text;
}

TEST_F(LineTrust, ReportWithoutACleanIdentitySaysTheVersionIsUnknown)
{
    // From the identify after the read on, every answer has a stray byte
    // just ahead of it.
    onEachFrame([this](int frame) {
        if (frame >= identifyAfterRead)
            controller.injectBytes({0x7F});
    });
    const CliRun run = cli("report -o '" + pdf() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(has(run.err, "identity never came back cleanly")) << run.err;
    const std::string text = dravinor::testing::pdfText(pdf());
    EXPECT_NE(dravinor::testing::lineWith(text, "Sterownik", "typ i wersja nieznane"), "") << text;
    EXPECT_FALSE(has(text, "niepodłączony")) << text;
}

// Before, the stray byte became the identity: the resynchronisation after
// the late answer at address 5 waited for it in vain and the read stopped.
TEST_F(LineTrust, StrayByteBeforeTheFirstIdentifyAnswerNeverCripplesARead)
{
    sim::FaultOptions late;
    late.lateAnswerAddress = 5;
    late.lateAnswerMs = 130;
    late.lateAnswerOnce = true;
    controller.setFaults(late);
    onEachFrame([this](int frame) {
        if (frame == 1)
            controller.injectBytes({0x44});
    });
    const CliRun run = cli("read");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_FALSE(has(run.out, "no answer")) << run.out;
}

// Before: exit 2, "no valid answer for address 9 10 ... 35", 9 read frames.
TEST_F(LineTrust, ReadWaitsOutAPauseOf700MsAtAddress9)
{
    pauseFrom(readOfAddress(9), 700);
    const CliRun run = cli("read");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_FALSE(has(run.out, "no answer")) << run.out;
    EXPECT_EQ(readFramesHeard(), 36) << "every address once, and 9 again";
}

TEST_F(LineTrust, ReadThatStopsSaysWhereAndWhatItNeverAsked)
{
    pauseFrom(readOfAddress(9), 60'000);
    const CliRun run = cli("read");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(has(run.err, "the controller stopped answering at address 9; 10-35 were not asked\n")) << run.err;
    EXPECT_FALSE(has(run.err, "no valid answer")) << run.err;
    EXPECT_EQ(readFramesHeard(), 9);
}

// Before, with --port one identify was tried: "no controller answers".
TEST_F(LineTrust, WithAPortNamedTheCliTriesAsOftenAsTheScan)
{
    onEachFrame([this](int frame) { controller.setSilent(frame <= 2); });
    const CliRun run = cli("--port COM1 identify");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(has(run.out, "type 1, firmware version 3")) << run.out;
}

// Before, /dev/tty without a controlling terminal was "no such device (is
// the adapter plugged in?)".
TEST_F(CliFixture, DevTtyAsAPortIsNotBlamedOnTheAdapter)
{
    for (const std::string& arguments : {std::string("--port /dev/tty identify"), std::string("--port COM1 read")}) {
        SCOPED_TRACE(arguments);
        const CliRun run = cli(arguments, "COM1=/dev/tty");
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(has(run.err, "is not a serial port")) << run.err;
        EXPECT_FALSE(has(run.err, "adapter plugged in")) << run.err;
        EXPECT_FALSE(has(run.err, "permission")) << run.err;
    }
}

// The same over a real pty, with the simulator's own faults.

TEST_F(PtyLine, LateIdentifyAfterTheReadNamesTheRightController)
{
    sim::FaultOptions faults;
    faults.lateIdentifyMs = 80;
    faults.lateIdentifyNth = 2;
    controller.setFaults(faults);
    const auto outcome = connection.connectToPort("COM1");
    ASSERT_TRUE(outcome.connected);
    EXPECT_EQ(outcome.title.versionText, "[  wersja sterownika 3 ]");
    EXPECT_EQ(connection.identity(), dravinor::link::ControllerIdentity(0x31));
}

TEST_F(PtyLine, StrayByteAheadOfTheFirstAnswerNeverCripplesTheRead)
{
    transfer.setIdentitySource([this] { return connection.identity(); });
    transfer.setIdentityHintSource([this] { return connection.identityHint(); });
    sim::FaultOptions faults;
    faults.identifyPrefix = 0x44;
    faults.identifyPrefixNth = 1;
    faults.lateAnswerAddress = 5;
    faults.lateAnswerMs = 150;
    faults.lateAnswerOnce = true;
    controller.setFaults(faults);
    const auto outcome = connection.connectToPort("COM1");
    ASSERT_TRUE(outcome.connected);
    EXPECT_TRUE(lastRead.complete()) << lastRead.failedAddresses.size() << " failed";
    EXPECT_EQ(connection.identity(), dravinor::link::ControllerIdentity(0x31));
}

TEST_F(PtyCli, PauseOf700MsAtAddress9IsWaitedOut)
{
    sim::FaultOptions faults;
    faults.pauseAddress = 9;
    faults.pauseMs = 700;
    controller.setFaults(faults);
    const CliRun run = cli("read");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_FALSE(has(run.out, "no answer")) << run.out;
}

TEST_F(PtyCli, WithAPortNamedALateFirstIdentifyIsAskedAgain)
{
    sim::FaultOptions faults;
    faults.lateIdentifyMs = 80;
    faults.lateIdentifyNth = 1;
    controller.setFaults(faults);
    const CliRun run = cli("--port COM1 identify");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(has(run.out, "type 1, firmware version 3")) << run.out;
}
