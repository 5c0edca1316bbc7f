#pragma once

#include "FakeClock.h"
#include "ScriptedDevice.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace dravinor::testing {

// A controller behind a ScriptedDevice, with a line that carries one byte a
// millisecond and one answer after the other: 's' and 'R' are acknowledged
// with their letter, 'l' with "D", value, sum, ";", 'I' with the identity
// byte, 'V' with its live frame. It answers in order: an answer held back
// delays the answers to every frame heard after it. Faults are set per test.
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
    std::uint32_t answerAfterMs = 7;           // the frame's own line time and the controller's turn-around
    int strayAfterAcknowledgeMs = -1;          // one stray byte this long after each 's'/'R' answer (-1 = off)
    std::map<int, std::uint32_t> lateAnswers;  // 'l' address -> extra delay of its answer
    bool lateAnswersOnce = false;              // each late answer is late only at its first read
    std::set<int> unansweredWrites;            // 's' frames for these addresses get no answer
    std::vector<std::uint8_t> liveFrame = std::vector<std::uint8_t>(10, 0);  // the answer to 'V'
    std::uint32_t liveLateMs = 0;                                            // extra delay of the answer to 'V'
    bool silent = false;                                                     // hears frames, answers nothing
    std::map<int, std::uint32_t> lateIdentifies;      // nth identify heard (from 1) -> extra delay of its answer
    std::map<int, std::uint8_t> strayBeforeIdentity;  // nth identify -> a stray byte 4 ms ahead of its answer
    // 'l' address -> at its first read the controller falls silent this
    // long: that read and all it hears meanwhile go unanswered.
    std::map<int, std::uint32_t> pauses;
    int framesHeard = 0;
    int identifiesHeard = 0;
    std::string lettersHeard;

private:
    void hear(const std::vector<std::uint8_t>& frame)
    {
        ++framesHeard;
        if (frame.size() != 6)
            return;
        lettersHeard += static_cast<char>(frame[0]);
        if (silent)
            return;
        const std::uint8_t letter = frame[0];
        const std::uint8_t address = frame[1];
        if (const auto pause = pauses.find(address); letter == 'l' && pause != pauses.end()) {
            pausedUntilMs_ = clock_.nowMs + pause->second;
            pauses.erase(pause);
        }
        if (clock_.nowMs < pausedUntilMs_)
            return;
        std::uint32_t at = clock_.nowMs + answerAfterMs;
        switch (letter) {
        case 's':
            values[address % 64] = frame[2];
            if (unansweredWrites.count(address))
                break;
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
            if (late != lateAnswers.end() && lateAnswersOnce)
                lateAnswers.erase(late);
            break;
        }
        case 'V': put(at + liveLateMs, liveFrame); break;
        case 'I': {
            const int nth = ++identifiesHeard;
            const auto late = lateIdentifies.find(nth);
            at += late == lateIdentifies.end() ? 0 : late->second;
            // Apart from the answer, so that a poll can find it alone.
            if (const auto stray = strayBeforeIdentity.find(nth); stray != strayBeforeIdentity.end())
                device_.arriveAt(at - 4, {stray->second});
            put(at, {identity});
            break;
        }
        default: break;
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
    std::uint32_t pausedUntilMs_ = 0;
};

}  // namespace dravinor::testing
