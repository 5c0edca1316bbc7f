#pragma once

#include "FakeClock.h"
#include "ScriptedDevice.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace dravinor::fuzz {

// A controller whose answers the fuzzer shapes: each heard frame is answered
// (or not) after a delay, with gaps and noise between the bytes, and the
// adapter may be pulled at any frame. Parameter p holds 100 + p, a value no
// noise byte or other address can stand for.
//
// It answers in order, as the real one does: while it is idle it may hold
// an answer back by up to ten reply windows, and whatever it hears
// meanwhile it answers right after it, in the order heard. No answer
// carries the address it belongs to; the tool has to keep the line in step.
//
// Noise never holds 'D', ';' or the identity byte, so noise alone cannot
// look like an answer.
class FuzzedController {
public:
    static constexpr std::uint8_t identity = 0x31;
    static constexpr std::uint32_t windowMs = 42;
    static constexpr std::uint32_t latestAnswerMs = 10 * windowMs + windowMs / 2;

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
        while (byte == 'D' || byte == ';' || byte == identity)
            ++byte;
        return byte;
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
        case 'R': answer = {frame[0]}; break;
        case 'l': {
            const std::uint8_t value = valueOf(frame[1]);
            answer = {'D', value, static_cast<std::uint8_t>('D' + value), ';'};
            break;
        }
        default: answer = {identity}; break;
        }
        if (shape % 8 == 1)
            answer.insert(answer.begin() + input_.ConsumeIntegralInRange<std::size_t>(0, answer.size()), noise());
        // Held back only when idle; behind an answer held back, right after it.
        const bool idle = clock_.nowMs >= lineFreeAtMs_;
        const std::uint32_t delay = idle && shape % 4 == 2
                                        ? input_.ConsumeIntegralInRange<std::uint32_t>(0, latestAnswerMs)
                                        : input_.ConsumeIntegralInRange<std::uint32_t>(0, 12);
        std::uint32_t at = std::max(clock_.nowMs + delay, lineFreeAtMs_);
        for (auto byte : answer) {
            at += input_.ConsumeIntegralInRange<std::uint32_t>(0, 3);
            device_.arriveAt(at, {byte});
        }
        lineFreeAtMs_ = at + 1;
    }

    FuzzedDataProvider& input_;
    testing::FakeClock& clock_;
    testing::ScriptedDevice& device_;
    std::uint32_t lineFreeAtMs_ = 0;
};

}  // namespace dravinor::fuzz
