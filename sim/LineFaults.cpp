#include "LineFaults.h"

namespace dravinor::sim {

LineFaults::LineFaults(FaultOptions options, std::uint32_t seed) : options_(options), random_(seed) {}

bool LineFaults::hangUpDue() const
{
    return options_.hangUpAfterFrames >= 0 && framesSeen_ >= options_.hangUpAfterFrames;
}

bool LineFaults::dropsFrame(std::uint8_t letter)
{
    const bool write = letter == 's' || letter == 'R' || letter == 'r';
    if (!write || writesIgnored_ >= options_.ignoreFirstWrites)
        return false;
    ++writesIgnored_;
    return true;
}

bool LineFaults::countFrame()
{
    ++framesSeen_;
    return hangUpDue();
}

bool LineFaults::pausesAt(std::uint8_t letter, std::uint8_t address)
{
    if (pauseTaken_ || options_.pauseAddress == 0 || letter != 'l' || address != options_.pauseAddress)
        return false;
    pauseTaken_ = true;
    return true;
}

std::int64_t LineFaults::drawStallNs()
{
    if (!stalls() || std::uniform_int_distribution<int>(0, 99)(random_) >= options_.stallPercent)
        return 0;
    const int ms = std::uniform_int_distribution<int>(options_.stallMinMs, options_.stallMaxMs)(random_);
    return static_cast<std::int64_t>(ms) * 1'000'000;
}

std::vector<TimedByte> LineFaults::plan(std::uint8_t letter, std::vector<std::uint8_t> reply, bool pacing,
                                        std::uint8_t address)
{
    if (reply.empty())
        return {};
    if (letter == 'l' && options_.wrongChecksum && reply.size() >= 3)
        ++reply[2];
    // Which identify this is decides the faults that name one.
    const int identify = letter == 'I' ? ++identifiesAnswered_ : 0;
    const auto hits = [identify](int nth) { return identify > 0 && (nth == 0 || nth == identify); };
    if (options_.identifyPrefix >= 0 && hits(options_.identifyPrefixNth))
        reply.insert(reply.begin(), static_cast<std::uint8_t>(options_.identifyPrefix));

    std::vector<std::uint8_t> bytes;
    if (options_.noisePercent > 0 && std::uniform_int_distribution<int>(0, 99)(random_) < options_.noisePercent)
        bytes.push_back(static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, 255)(random_)));
    const std::size_t tail = bytes.size() + reply.size() - 1;
    bytes.insert(bytes.end(), reply.begin(), reply.end());
    for (int i = 0; i < options_.longReplyExtra; ++i)
        bytes.push_back(static_cast<std::uint8_t>(i));

    std::vector<TimedByte> timed;
    std::int64_t at = pacing ? 6 * kByteNs : 0;
    if (letter == 'l' && options_.lateAnswerAddress != 0 && address == options_.lateAnswerAddress &&
        !(options_.lateAnswerOnce && lateAnswerGiven_)) {
        at += static_cast<std::int64_t>(options_.lateAnswerMs) * 1'000'000;
        lateAnswerGiven_ = true;
    }
    if (options_.lateIdentifyMs > 0 && hits(options_.lateIdentifyNth))
        at += static_cast<std::int64_t>(options_.lateIdentifyMs) * 1'000'000;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (pacing)
            at += kByteNs;
        if (i == tail)
            at += static_cast<std::int64_t>(options_.lateTailMs) * 1'000'000;
        timed.push_back({bytes[i], at});
    }
    return timed;
}

}  // namespace dravinor::sim
