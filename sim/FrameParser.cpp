#include "FrameParser.h"

#include <algorithm>

namespace dravinor::sim {

std::uint8_t frameChecksum(const Frame& frame)
{
    return static_cast<std::uint8_t>(frame[0] + frame[1] + frame[2] + frame[3]);
}

bool isValidFrame(const Frame& frame)
{
    return frame[5] == kFrameTerminator && frame[4] == frameChecksum(frame);
}

std::vector<Frame> FrameParser::feed(const std::uint8_t* data, std::size_t count)
{
    pending_.insert(pending_.end(), data, data + count);
    std::vector<Frame> frames;
    std::size_t start = 0;
    while (pending_.size() - start >= 6) {
        Frame window;
        std::copy_n(pending_.begin() + static_cast<std::ptrdiff_t>(start), 6, window.begin());
        if (isValidFrame(window)) {
            frames.push_back(window);
            start += 6;
        } else {
            ++start;
        }
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(start));
    return frames;
}

}  // namespace dravinor::sim
