#include "LineFaults.h"

#include <gtest/gtest.h>

using namespace dravinor::sim;
using Bytes = std::vector<std::uint8_t>;

namespace {

const Bytes kParameterReply{'D', 0x13, 0x57, 0x3B};

template <typename Change>
FaultOptions faultsWith(Change change)
{
    FaultOptions options;
    change(options);
    return options;
}

Bytes values(const std::vector<TimedByte>& plan)
{
    Bytes out;
    for (const TimedByte& b : plan)
        out.push_back(b.value);
    return out;
}

}  // namespace

TEST(LineFaultsPacing, ReplyFollowsTheFrameLineTimeByteByByte)
{
    LineFaults faults;
    const auto plan = faults.plan('l', kParameterReply, true);
    ASSERT_EQ(plan.size(), 4u);
    for (std::size_t i = 0; i < plan.size(); ++i)
        EXPECT_EQ(plan[i].atNs, static_cast<std::int64_t>(7 + i) * kByteNs) << "byte " << i;
    EXPECT_EQ(values(plan), kParameterReply);
}

TEST(LineFaultsPacing, WithoutPacingEverythingIsDueAtOnce)
{
    LineFaults faults;
    for (const TimedByte& b : faults.plan('V', Bytes(10, 1), false))
        EXPECT_EQ(b.atNs, 0);
}

TEST(LineFaultsReply, WrongChecksumSpoilsOnlyParameterReplies)
{
    LineFaults faults(faultsWith([](FaultOptions& f) { f.wrongChecksum = true; }));
    EXPECT_EQ(values(faults.plan('l', kParameterReply, false)), (Bytes{'D', 0x13, 0x58, 0x3B}));
    EXPECT_EQ(values(faults.plan('V', Bytes(10, 7), false)), Bytes(10, 7));
}

TEST(LineFaultsReply, LateTailDelaysOnlyTheLastByte)
{
    LineFaults faults(faultsWith([](FaultOptions& f) { f.lateTailMs = 40; }));
    const auto plan = faults.plan('l', kParameterReply, true);
    EXPECT_EQ(plan[2].atNs, 9 * kByteNs);
    EXPECT_EQ(plan[3].atNs, 10 * kByteNs + 40'000'000);

    // A one-byte reply is all tail.
    EXPECT_EQ(faults.plan('s', {'s'}, false).at(0).atNs, 40'000'000);
}

TEST(LineFaultsReply, LongReplyAppendsCountingBytes)
{
    LineFaults faults(faultsWith([](FaultOptions& f) { f.longReplyExtra = 3; }));
    EXPECT_EQ(values(faults.plan('s', {'s'}, false)), (Bytes{'s', 0, 1, 2}));
}

TEST(LineFaultsReply, NoisePutsOneByteBeforeTheReply)
{
    LineFaults always(faultsWith([](FaultOptions& f) { f.noisePercent = 100; }), 7);
    const auto plan = always.plan('s', {'s'}, false);
    ASSERT_EQ(plan.size(), 2u);
    EXPECT_EQ(plan[1].value, 's');

    LineFaults never(FaultOptions{}, 7);
    EXPECT_EQ(never.plan('s', {'s'}, false).size(), 1u);
}

TEST(LineFaultsReply, NothingToSendStaysNothing)
{
    LineFaults faults(faultsWith([](FaultOptions& f) {
        f.longReplyExtra = 2;
        f.noisePercent = 100;
    }));
    EXPECT_TRUE(faults.plan('x', {}, true).empty());
}

TEST(LineFaultsFrames, IgnoresOnlyTheFirstWrites)
{
    LineFaults faults(faultsWith([](FaultOptions& f) { f.ignoreFirstWrites = 2; }));
    EXPECT_FALSE(faults.dropsFrame('l'));
    EXPECT_FALSE(faults.dropsFrame('V'));
    EXPECT_TRUE(faults.dropsFrame('s'));
    EXPECT_TRUE(faults.dropsFrame('r'));
    EXPECT_FALSE(faults.dropsFrame('R'));
}

TEST(LineFaultsFrames, HangsUpAfterTheGivenNumberOfFrames)
{
    LineFaults never;
    for (int i = 0; i < 100; ++i)
        EXPECT_FALSE(never.countFrame());

    LineFaults afterTwo(faultsWith([](FaultOptions& f) { f.hangUpAfterFrames = 2; }));
    EXPECT_FALSE(afterTwo.hangUpDue());
    EXPECT_FALSE(afterTwo.countFrame());
    EXPECT_TRUE(afterTwo.countFrame());

    LineFaults atOnce(faultsWith([](FaultOptions& f) { f.hangUpAfterFrames = 0; }));
    EXPECT_TRUE(atOnce.hangUpDue());
}
