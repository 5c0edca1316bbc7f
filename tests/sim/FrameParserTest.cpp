#include "FrameParser.h"

#include <gtest/gtest.h>

using namespace dravinor::sim;
using Bytes = std::vector<std::uint8_t>;

namespace {

const Frame kWrite{0x73, 0x01, 0x13, 0x00, 0x87, 0x3B};  // 's' parameter 1 = 19

std::vector<Frame> feed(FrameParser& parser, const Bytes& bytes)
{
    return parser.feed(bytes.data(), bytes.size());
}

}  // namespace

TEST(FrameParser, AssemblesAFrameArrivingByteByByte)
{
    FrameParser parser;
    std::vector<Frame> frames;
    for (std::uint8_t b : kWrite)
        for (const Frame& f : parser.feed(&b, 1))
            frames.push_back(f);
    EXPECT_EQ(frames, std::vector<Frame>{kWrite});
    EXPECT_EQ(parser.pendingBytes(), 0u);
}

TEST(FrameParser, ChecksumEqualToTheTerminatorIsStillAFrame)
{
    FrameParser parser;  // 0x49 + 0xF2 wraps to 0x3B
    EXPECT_EQ(feed(parser, {0x49, 0xF2, 0x00, 0x00, 0x3B, 0x3B}).size(), 1u);
}

TEST(FrameParser, ResynchronisesAfterGarbageAndBrokenFrames)
{
    FrameParser parser;
    // Stray bytes, a frame cut short, a bad checksum, a bad terminator.
    Bytes stream{0xFF, 0x3B, 0x00, 0x73, 0x01, 0x73, 0x01, 0x13, 0x00, 0x88, 0x3B, 0x73, 0x01, 0x13, 0x00, 0x87, 0x3A};
    stream.insert(stream.end(), kWrite.begin(), kWrite.end());
    EXPECT_EQ(feed(parser, stream), std::vector<Frame>{kWrite});
}

TEST(FrameParser, NeverHoardsMoreThanAPartialFrame)
{
    FrameParser parser;
    EXPECT_TRUE(feed(parser, Bytes(1000, 0x55)).empty());
    EXPECT_LT(parser.pendingBytes(), 6u);
}
