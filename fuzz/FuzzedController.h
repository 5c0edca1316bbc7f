#pragma once

#include "FakeClock.h"
#include "ScriptedDevice.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <vector>

namespace dravinor::fuzz {

// A controller whose answers the fuzzer shapes: each heard frame is answered
// (or not) after a delay, with gaps and noise between the bytes, and the
// adapter may be pulled at any frame. Parameter p holds 100 + p, a value no
// noise byte or other address can stand for.
//
// Noise never holds 'D' or ';', so noise alone cannot look like an answer.
// Every byte of an answer arrives within two reply windows of its frame:
// later than that an answer without an address cannot be told from the
// next one, whatever the tool does.
class FuzzedController {
public:
    static constexpr std::uint32_t latestByteMs = 84;  // a reply window and a quiet window

    FuzzedController(FuzzedDataProvider& input, testing::FakeClock& clock, testing::ScriptedDevice& device)
        : input_(input), clock_(clock), device_(device)
    {
        device_.onWrite = [this](const std::vector<std::uint8_t>& frame) { hear(frame); };
    }

    static std::uint8_t valueOf(int address) { return static_cast<std::uint8_t>(100 + address); }

private:
    std::uint8_t noise()
    {
        std::uint8_t byte = input_.ConsumeIntegral<std::uint8_t>();
        return byte == 'D' || byte == ';' ? static_cast<std::uint8_t>(byte + 1) : byte;
    }

    void hear(const std::vector<std::uint8_t>& frame)
    {
        if (input_.remaining_bytes() == 0)
            return;  // out of input: a silent controller
        const std::uint8_t shape = input_.ConsumeIntegral<std::uint8_t>();
        if (shape == 0xFF) {
            device_.lost = true;  // the adapter is pulled
            return;
        }
        if (shape % 8 == 0)
            return;  // no answer
        std::vector<std::uint8_t> answer;
        switch (frame[0]) {
        case 's':
        case 'R':
            answer = {frame[0]};
            break;
        case 'l': {
            const std::uint8_t value = valueOf(frame[1]);
            answer = {'D', value, static_cast<std::uint8_t>('D' + value), ';'};
            break;
        }
        default:
            answer = {0x31};
            break;
        }
        if (shape % 8 == 1)
            answer.insert(answer.begin() + input_.ConsumeIntegralInRange<std::size_t>(0, answer.size()), noise());
        std::uint32_t at = clock_.nowMs + input_.ConsumeIntegralInRange<std::uint32_t>(0, latestByteMs);
        for (auto byte : answer) {
            at = std::min(at + input_.ConsumeIntegralInRange<std::uint32_t>(0, 3), clock_.nowMs + latestByteMs);
            device_.arriveAt(at, {byte});
        }
    }

    FuzzedDataProvider& input_;
    testing::FakeClock& clock_;
    testing::ScriptedDevice& device_;
};

}  // namespace dravinor::fuzz
