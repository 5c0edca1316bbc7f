#include "LineFaults.h"

#include <gtest/gtest.h>

// Timing and counting of the faults; the reply shapes are checked over the pty.

using namespace dravinor::sim;

namespace {

const std::vector<std::uint8_t> kParameterReply{'D', 0x13, 0x57, 0x3B};

FaultOptions lateTail(int ms)
{
    FaultOptions f;
    f.lateTailMs = ms;
    return f;
}

}  // namespace

TEST(LineFaults, PacedReplyFollowsTheFrameLineTimeByteByByte)
{
    LineFaults faults;
    const auto plan = faults.plan('l', kParameterReply, true);
    ASSERT_EQ(plan.size(), 4u);
    for (std::size_t i = 0; i < plan.size(); ++i)
        EXPECT_EQ(plan[i].atNs, static_cast<std::int64_t>(7 + i) * kByteNs) << "byte " << i;
}

TEST(LineFaults, LateTailDelaysOnlyTheLastByteEvenUnpaced)
{
    LineFaults faults(lateTail(40));
    const auto plan = faults.plan('l', kParameterReply, false);
    EXPECT_EQ(plan[2].atNs, 0);
    EXPECT_EQ(plan[3].atNs, 40'000'000);
    EXPECT_EQ(faults.plan('s', {'s'}, false).at(0).atNs, 40'000'000) << "a one-byte reply is all tail";
}

TEST(LineFaults, LateAnswerDelaysTheWholeAnswerOfItsAddressOnly)
{
    FaultOptions options;
    options.lateAnswerAddress = 5;
    options.lateAnswerMs = 60;
    LineFaults faults(options);
    const auto late = faults.plan('l', kParameterReply, true, 5);
    for (std::size_t i = 0; i < late.size(); ++i)
        EXPECT_EQ(late[i].atNs, static_cast<std::int64_t>(7 + i) * kByteNs + 60'000'000) << "byte " << i;
    EXPECT_EQ(faults.plan('l', kParameterReply, true, 6).at(0).atNs, 7 * kByteNs);
    EXPECT_EQ(faults.plan('s', {'s'}, true, 5).at(0).atNs, 7 * kByteNs) << "only reads are late";
}

TEST(LineFaults, LateOnceDelaysOnlyTheFirstReadOfItsAddress)
{
    FaultOptions options;
    options.lateAnswerAddress = 5;
    options.lateAnswerMs = 60;
    options.lateAnswerOnce = true;
    LineFaults faults(options);
    EXPECT_EQ(faults.plan('l', kParameterReply, true, 6).at(0).atNs, 7 * kByteNs);
    EXPECT_EQ(faults.plan('l', kParameterReply, true, 5).at(0).atNs, 7 * kByteNs + 60'000'000);
    EXPECT_EQ(faults.plan('l', kParameterReply, true, 5).at(0).atNs, 7 * kByteNs) << "the re-read is on time";
}

TEST(LineFaults, IgnoresOnlyTheFirstWrites)
{
    FaultOptions options;
    options.ignoreFirstWrites = 2;
    LineFaults faults(options);
    EXPECT_FALSE(faults.dropsFrame('l'));
    EXPECT_FALSE(faults.dropsFrame('V'));
    EXPECT_TRUE(faults.dropsFrame('s'));
    EXPECT_TRUE(faults.dropsFrame('r'));
    EXPECT_FALSE(faults.dropsFrame('R'));
}

TEST(LineFaults, HangsUpAfterTheGivenNumberOfFrames)
{
    LineFaults never;
    for (int i = 0; i < 100; ++i)
        EXPECT_FALSE(never.countFrame());

    FaultOptions options;
    options.hangUpAfterFrames = 2;
    LineFaults afterTwo(options);
    EXPECT_FALSE(afterTwo.hangUpDue());
    EXPECT_FALSE(afterTwo.countFrame());
    EXPECT_TRUE(afterTwo.countFrame());

    options.hangUpAfterFrames = 0;
    EXPECT_TRUE(LineFaults(options).hangUpDue());
}
