#include "ControllerLine.h"

#include <gtest/gtest.h>

// The controller's line behaviour on explicit times: what both the pty
// simulator and the in-process device put on the line, and when.

using namespace dravinor::sim;
using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr std::int64_t ms = 1'000'000;

Frame frame(std::uint8_t letter, std::uint8_t address = 0, std::uint8_t d1 = 0)
{
    return {letter, address, d1, 0, static_cast<std::uint8_t>(letter + address + d1), 0x3B};
}

void send(ControllerLine& line, const Frame& f, std::int64_t atNs)
{
    line.receive(f.data(), f.size(), atNs);
}

Bytes readReply(std::uint8_t value)
{
    return {'D', value, static_cast<std::uint8_t>('D' + value), 0x3B};
}

SimulatorOptions withFaults(const FaultOptions& faults)
{
    SimulatorOptions options;
    options.faults = faults;
    return options;
}

}  // namespace

TEST(ControllerLine, RepliesComeAtTheirByteTimesAndNotBefore)
{
    ControllerLine line{SimulatorOptions{}};
    send(line, frame('I'), 10 * ms);
    EXPECT_EQ(line.nextDueNs(), 10 * ms + 7 * kByteNs) << "the frame's six byte times, then the reply's one";
    EXPECT_EQ(line.dueCount(10 * ms + 7 * kByteNs - 1), 0u);
    EXPECT_EQ(line.takeDue(10 * ms + 7 * kByteNs), Bytes{0x31});
    EXPECT_FALSE(line.nextDueNs());
    ASSERT_EQ(line.receivedFrames().size(), 1u);
    EXPECT_EQ(line.receivedFrames()[0].atNs, 10 * ms);
}

TEST(ControllerLine, WhatArrivesWhileItTalksIsLostAndWhatFollowsIsHeard)
{
    ControllerLine line{SimulatorOptions{}};
    const std::int64_t replyEnd = 10 * kByteNs;  // 'l' answers four bytes after the frame's six
    send(line, frame('l', 2), 0);
    send(line, frame('l', 3), replyEnd - 1);  // during the answer: unheard
    send(line, frame('l', 4), replyEnd);      // after its last byte: heard
    EXPECT_EQ(line.receivedFrames().size(), 2u);
    Bytes expected = readReply(factoryEeprom()[2]);
    const Bytes second = readReply(factoryEeprom()[4]);
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(line.takeDue(INT64_MAX), expected);
}

TEST(ControllerLine, FramesSentInOneBurstAfterAnAnsweredOneAreUnheard)
{
    ControllerLine line{SimulatorOptions{}};
    Bytes burst;
    for (const Frame& f : {frame('I'), frame('l', 2)})
        burst.insert(burst.end(), f.begin(), f.end());
    line.receive(burst.data(), burst.size(), 0);
    EXPECT_EQ(line.takeDue(INT64_MAX), Bytes{0x31});
}

TEST(ControllerLine, QueueingControllerAnswersWhatItHeardLateInOrder)
{
    FaultOptions faults;
    faults.lateAnswerAddress = 7;
    faults.lateAnswerMs = 100;
    faults.lateAnswerQueues = true;
    ControllerLine line(withFaults(faults));
    send(line, frame('l', 7), 0);
    send(line, frame('l', 8), 50 * ms);  // heard while the late answer waits
    const std::int64_t firstEnd = 100 * ms + 10 * kByteNs;
    EXPECT_EQ(line.takeDue(firstEnd), readReply(factoryEeprom()[7]));
    // The second answer starts when the first has ended: no overlap.
    EXPECT_EQ(line.nextDueNs(), firstEnd + 7 * kByteNs);
    EXPECT_EQ(line.takeDue(INT64_MAX), readReply(factoryEeprom()[8]));
}

TEST(ControllerLine, DroppedAndSilentFramesLeaveTheControllerListening)
{
    FaultOptions faults;
    faults.ignoreFirstWrites = 1;
    ControllerLine line(withFaults(faults));
    send(line, frame('s', 3, 99), 0);
    send(line, frame('I'), 1 * ms);
    EXPECT_EQ(line.takeDue(INT64_MAX), Bytes{0x31});
    EXPECT_NE(line.core().eeprom()[3], 99) << "a lost write is not carried out";

    line.setSilent(true);
    send(line, frame('s', 3, 99), 100 * ms);
    EXPECT_FALSE(line.nextDueNs());
    EXPECT_EQ(line.receivedFrames().size(), 3u) << "heard, all the same";
}

TEST(ControllerLine, HangUpComesAGraceAfterTheLastAllowedReplyOrAtOnceOnTheNextFrame)
{
    FaultOptions faults;
    faults.hangUpAfterFrames = 1;
    ControllerLine line(withFaults(faults));
    send(line, frame('I'), 0);
    EXPECT_EQ(line.hangUpAtNs(), 7 * kByteNs + ControllerLine::kHangUpGraceNs);
    send(line, frame('I'), 20 * ms);
    EXPECT_EQ(line.hangUpAtNs(), 20 * ms) << "another frame brings it forward";
    line.resetLine();
    EXPECT_FALSE(line.hangUpAtNs());
    EXPECT_FALSE(line.nextDueNs()) << "what was on the line went with the adapter";
}

TEST(ControllerLine, InjectedBytesTakeTheirPlaceInTime)
{
    ControllerLine line{SimulatorOptions{}};
    send(line, frame('I'), 0);
    line.inject({0xAA, 0xBB}, 1 * ms);
    EXPECT_EQ(line.takeDue(INT64_MAX), (Bytes{0xAA, 0xBB, 0x31}));
}

// A stall holds a reply on its way; the controller hears on meanwhile, and
// what it answers later waits behind the stalled reply.
TEST(ControllerLine, StalledReplyIsNotOvertaken)
{
    FaultOptions held;
    held.stallMinMs = 80;
    held.stallMaxMs = 80;
    ControllerLine line{withFaults(held)};
    send(line, frame('I'), 0);
    FaultOptions brief;
    brief.stallMinMs = 1;
    brief.stallMaxMs = 1;
    line.setFaults(brief);
    send(line, frame('l', 5), 20 * ms);
    EXPECT_EQ(line.dueCount(80 * ms), 0u);
    // Held up together, they come together, in order.
    Bytes expected{0x31};
    const Bytes read = readReply(factoryEeprom()[5]);
    expected.insert(expected.end(), read.begin(), read.end());
    EXPECT_EQ(line.takeDue(80 * ms + 7 * kByteNs), expected);
}

TEST(ControllerLine, PausedControllerHearsButAnswersNothingUntilThePauseEnds)
{
    FaultOptions pause;
    pause.pauseAddress = 9;
    pause.pauseMs = 700;
    ControllerLine line{withFaults(pause)};
    send(line, frame('l', 9), 0);
    send(line, frame('I'), 100 * ms);
    send(line, frame('I'), 650 * ms);
    EXPECT_FALSE(line.nextDueNs());
    send(line, frame('I'), 710 * ms);
    EXPECT_EQ(line.takeDue(800 * ms), Bytes{0x31});
    EXPECT_EQ(line.receivedFrames().size(), 4u) << "the frames were on the line";
    send(line, frame('l', 9), 900 * ms);
    EXPECT_EQ(line.takeDue(1000 * ms).size(), 4u) << "once only";
}
