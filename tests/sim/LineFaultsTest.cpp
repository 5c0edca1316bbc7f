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

TEST(LineFaults, IdentifyFaultsTouchTheNthIdentifyOnly)
{
    FaultOptions options;
    options.identifyPrefix = 0x44;
    options.identifyPrefixNth = 2;
    options.lateIdentifyMs = 60;
    options.lateIdentifyNth = 3;
    LineFaults faults(options);
    EXPECT_EQ(faults.plan('l', kParameterReply, true, 1).size(), 4u) << "reads are not counted";
    const auto first = faults.plan('I', {0x31}, true);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].atNs, 7 * kByteNs);
    const auto second = faults.plan('I', {0x31}, true);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0].value, 0x44);
    EXPECT_EQ(second[1].value, 0x31);
    EXPECT_EQ(second[1].atNs, 8 * kByteNs) << "the stray byte comes just ahead";
    const auto third = faults.plan('I', {0x31}, true);
    ASSERT_EQ(third.size(), 1u);
    EXPECT_EQ(third[0].atNs, 7 * kByteNs + 60'000'000);
    EXPECT_EQ(faults.plan('I', {0x31}, true).at(0).atNs, 7 * kByteNs);
}

TEST(LineFaults, PauseTakesTheFirstReadOfItsAddressOnly)
{
    FaultOptions options;
    options.pauseAddress = 9;
    options.pauseMs = 700;
    LineFaults faults(options);
    EXPECT_FALSE(faults.pausesAt('s', 9));
    EXPECT_FALSE(faults.pausesAt('l', 8));
    EXPECT_TRUE(faults.pausesAt('l', 9));
    EXPECT_EQ(faults.pauseNs(), 700'000'000);
    EXPECT_FALSE(faults.pausesAt('l', 9));
}

TEST(LineFaults, StallsKeepToTheirRangeShareAndSeed)
{
    FaultOptions options;
    options.stallMinMs = 50;
    options.stallMaxMs = 100;
    options.stallPercent = 30;
    LineFaults faults(options, 11);
    LineFaults again(options, 11);
    int stalled = 0;
    for (int i = 0; i < 1000; ++i) {
        const std::int64_t ns = faults.drawStallNs();
        EXPECT_EQ(ns, again.drawStallNs()) << "the same seed, the same stalls";
        if (ns == 0)
            continue;
        ++stalled;
        EXPECT_GE(ns, 50'000'000);
        EXPECT_LE(ns, 100'000'000);
    }
    EXPECT_GT(stalled, 220);
    EXPECT_LT(stalled, 380);
    EXPECT_EQ(LineFaults().drawStallNs(), 0) << "off unless asked for";
}
