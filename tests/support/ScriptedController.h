#pragma once

#include "FakeClock.h"
#include "ScriptedDevice.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <vector>

namespace dravinor::testing {

// A controller behind a ScriptedDevice, with a line that carries one byte a
// millisecond and one answer after the other: 's' and 'R' are acknowledged
// with their letter, 'l' with "D", value, sum, ";", 'I' with the identity
// byte. Faults are set per test.
class ScriptedController {
public:
    ScriptedController(FakeClock& clock, ScriptedDevice& device) : clock_(clock), device_(device)
    {
        for (std::size_t address = 0; address < values.size(); ++address)
            values[address] = static_cast<std::uint8_t>(100 + address);
        device_.onWrite = [this](const std::vector<std::uint8_t>& frame) { hear(frame); };
    }

    std::array<std::uint8_t, 64> values{};
    std::uint8_t identity = 0x31;
    std::uint32_t answerAfterMs = 7;  // the frame's own line time and the controller's turn-around
    int strayAfterAcknowledgeMs = -1;  // one stray byte this long after each 's'/'R' answer (-1 = off)
    std::map<int, std::uint32_t> lateAnswers;  // 'l' address -> extra delay of its answer
    int framesHeard = 0;

private:
    void hear(const std::vector<std::uint8_t>& frame)
    {
        ++framesHeard;
        if (frame.size() != 6)
            return;
        const std::uint8_t letter = frame[0];
        const std::uint8_t address = frame[1];
        std::uint32_t at = clock_.nowMs + answerAfterMs;
        switch (letter) {
        case 's':
            values[address % 64] = frame[2];
            [[fallthrough]];
        case 'R':
            at = put(at, {letter});
            if (strayAfterAcknowledgeMs >= 0)
                put(at + static_cast<std::uint32_t>(strayAfterAcknowledgeMs), {0x5A});
            break;
        case 'l': {
            const auto late = lateAnswers.find(address);
            const std::uint8_t value = values[address % 64];
            put(at + (late == lateAnswers.end() ? 0 : late->second),
                {'D', value, static_cast<std::uint8_t>('D' + value), ';'});
            break;
        }
        case 'I':
            put(at, {identity});
            break;
        default:
            break;
        }
    }

    // Queues bytes from atMs on, behind whatever the line still carries;
    // returns when the last one has arrived.
    std::uint32_t put(std::uint32_t atMs, const std::vector<std::uint8_t>& bytes)
    {
        std::uint32_t at = std::max(atMs, lineFreeAtMs_);
        for (auto byte : bytes)
            device_.arriveAt(at++, {byte});
        lineFreeAtMs_ = at;
        return at - 1;
    }

    FakeClock& clock_;
    ScriptedDevice& device_;
    std::uint32_t lineFreeAtMs_ = 0;
};

}  // namespace dravinor::testing
