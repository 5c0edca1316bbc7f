#include "FrameParser.h"

#include <gtest/gtest.h>

using namespace dravinor::sim;
using Bytes = std::vector<std::uint8_t>;

namespace {

std::vector<Frame> feedAll(FrameParser& parser, const Bytes& bytes)
{
    return parser.feed(bytes.data(), bytes.size());
}

const Frame kWrite{0x73, 0x01, 0x13, 0x00, 0x87, 0x3B};  // 's' parameter 1 = 19

}  // namespace

TEST(FrameParser, TakesAWholeFrameAndKeepsNothingBack)
{
    FrameParser parser;
    const auto frames = feedAll(parser, Bytes(kWrite.begin(), kWrite.end()));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], kWrite);
    EXPECT_EQ(parser.pendingBytes(), 0u);
}

TEST(FrameParser, AssemblesAFrameArrivingByteByByte)
{
    FrameParser parser;
    std::vector<Frame> frames;
    for (std::uint8_t b : kWrite)
        for (const Frame& f : parser.feed(&b, 1))
            frames.push_back(f);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], kWrite);
}

TEST(FrameParser, ChecksumEqualToTheTerminatorIsStillAFrame)
{
    // 0x49 + 0xF2 wraps to 0x3B: the window must not be fooled by two ';'.
    FrameParser parser;
    const auto frames = feedAll(parser, {0x49, 0xF2, 0x00, 0x00, 0x3B, 0x3B});
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0][1], 0xF2);
}

TEST(FrameParser, ResynchronisesAfterGarbage)
{
    FrameParser parser;
    // Stray bytes, then a frame cut short by a new one, then a good frame.
    Bytes stream{0xFF, 0x3B, 0x00, 0x73, 0x01};
    stream.insert(stream.end(), kWrite.begin(), kWrite.end());
    const auto frames = feedAll(parser, stream);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], kWrite);
}

TEST(FrameParser, IgnoresBadChecksumAndBadTerminator)
{
    FrameParser parser;
    EXPECT_TRUE(feedAll(parser, {0x73, 0x01, 0x13, 0x00, 0x88, 0x3B}).empty());
    EXPECT_TRUE(feedAll(parser, {0x73, 0x01, 0x13, 0x00, 0x87, 0x3A}).empty());
    // The frames after them still come through.
    const auto frames = feedAll(parser, Bytes(kWrite.begin(), kWrite.end()));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], kWrite);
}

TEST(FrameParser, NeverHoardsMoreThanAPartialFrame)
{
    FrameParser parser;
    const Bytes noise(1000, 0x55);
    EXPECT_TRUE(feedAll(parser, noise).empty());
    EXPECT_LT(parser.pendingBytes(), 6u);
}
