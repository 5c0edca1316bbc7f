#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace dravinor::sim {

// Letter, address, data 1, data 2, checksum, ';'.
using Frame = std::array<std::uint8_t, 6>;

constexpr std::uint8_t kFrameTerminator = 0x3B;

// Sum of the first four bytes, wrapping at 256.
std::uint8_t frameChecksum(const Frame& frame);
bool isValidFrame(const Frame& frame);

// Cuts the tool's byte stream into frames. A window of six bytes that does
// not check is not a frame: the parser slides on by one byte, so garbage on
// the line costs at most the frames it overlaps.
class FrameParser {
public:
    std::vector<Frame> feed(const std::uint8_t* data, std::size_t count);
    void reset() { pending_.clear(); }
    std::size_t pendingBytes() const { return pending_.size(); }

private:
    std::vector<std::uint8_t> pending_;
};

}  // namespace dravinor::sim
