#pragma once

// Plays the tool's auto-adaptation against a controller core in simulated
// time: its writes, its fuel requests and its 50 ms live polls, each phase
// ended by the same sample rules the wizard uses. Test-only: it checks that
// the simulated car and the virtual fitter carry a whole adaptation through.

#include "ControllerCore.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace dravinor::sim::testing {

class WizardDriver {
public:
    struct Live {
        std::uint8_t lambda, tps, temperature, stepper, status;
        int rpm;
    };
    struct Results {
        std::map<std::string, int> ticks;  // per phase
        int ticksAfterFirstStep = 0;
        bool tpsRising = false;
        float lambdaThreshold = 0;  // lambda-byte units
        unsigned aboveAverage = 0, idleAverage = 0;
        bool finished = false;
    };
    static constexpr int kNoEnd = 400;  // ticks a phase may wait for the car

    WizardDriver(ControllerCore& core, std::uint8_t probeType) : core_(core), probeType_(probeType)
    {
        block_ = factoryEeprom();
    }

    Results run()
    {
        Results out;
        resetParameters();
        initialise();
        chooseProbe();
        if (!phase("step 1", out, [&](const Live& l) { return warm(l); }))
            return out;
        firstStepDone();
        const int before = ticks_;
        if (!tpsPhases(out) || !lambdaPhases(out) || !reducerPhases(out) || !actuatorPhases(out))
            return out;
        out.ticksAfterFirstStep = ticks_ - before;
        out.finished = true;
        return out;
    }

    double now() const { return now_; }

private:
    static bool probeRising(std::uint8_t type) { return type % 2 == 0; }

    std::vector<std::uint8_t> exchange(std::uint8_t letter, int address, int d1 = 0, int d2 = 0)
    {
        now_ += 0.012;  // a frame and a short answer at 9600 baud
        const Frame f{letter,
                      static_cast<std::uint8_t>(address),
                      static_cast<std::uint8_t>(d1),
                      static_cast<std::uint8_t>(d2),
                      static_cast<std::uint8_t>(letter + address + d1 + d2),
                      kFrameTerminator};
        return core_.handle(f, now_);
    }
    void writeEeprom(int value, int p)
    {
        block_[p] = static_cast<std::uint8_t>(value);
        exchange('s', p, value);
    }
    void writeParameter(int value, int p)
    {
        writeEeprom(value, p);
        exchange('R', p + 36, block_[p], block_[p + 1]);
        now_ += 0.030;
    }
    Live poll()
    {
        now_ = std::max(now_, nextTick_);
        nextTick_ = now_ + 0.05;
        ++ticks_;
        const auto r = exchange('V', 0);
        const int period = r.at(6) << 8 | r.at(7);
        int rpm = static_cast<int>(4800.0f / static_cast<float>(period) * 800.0f);
        rpm = (r[5] & 0x40) ? 0 : rpm - rpm % 50;
        return {r[0], r[1], r[2], r[4], r[5], rpm};
    }
    // Polls until done says so; false if the car never gets there.
    template <typename Done>
    bool phase(const std::string& name, Results& out, Done done, int limit = kNoEnd)
    {
        for (int t = 1; t <= limit; ++t) {
            if (done(poll())) {
                out.ticks[name] = t;
                return true;
            }
        }
        out.ticks[name] = -1;
        return false;
    }

    void resetParameters()
    {
        for (int pass = 0; pass < 2; ++pass) {
            for (int p = 1; p <= 35; ++p)
                exchange('s', p, block_[p]);
            for (int p = 1; p <= 32; ++p)
                exchange('R', p + 36, block_[p], block_[p + 1]);
        }
    }
    void initialise()
    {
        status_ = poll().status;
        if ((status_ & 3) == 1)
            exchange('r', 125, 2);
        else if ((status_ & 3) == 3)
            exchange('r', 125, 255);
        status_ &= ~3;
    }
    void chooseProbe()
    {
        flagA_ = block_[32];
        flagA_ = probeRising(probeType_) ? (flagA_ | 2) : (flagA_ & ~2);
        writeParameter(flagA_, 32);
        writeParameter(probeType_ == 2 || probeType_ == 3 ? 0 : 1, 27);
        writeEeprom(probeType_, 34);
        writeEeprom(probeType_ == 2 || probeType_ == 3 ? 1 : 0, 35);
    }
    bool warm(const Live& l)
    {
        status_ = l.status;
        if (!(flagA_ & 0x08))
            return true;
        const float v = l.temperature * 5.0f / 255.0f;
        return 7.4445 * v * v * v - 39.488 * v * v + 163.17 * v - 240.13 > 30.0;
    }
    void firstStepDone()
    {
        writeParameter(2, 13);  // "4 cylindry", K 4800
        writeParameter(1745 >> 8, 14);
        writeParameter(1745 & 0xFF, 15);
        writeParameter(0, 16);
        writeParameter(83, 17);
        writeEeprom(1, 33);
        writeParameter(640 >> 8, 18);
        writeParameter(640 & 0xFF, 19);
        writeParameter(2133 >> 8, 22);
        writeParameter(2133 & 0xFF, 23);
    }

    bool tpsPhases(Results& out)
    {
        unsigned count = 0;
        int idleMinimum = 255;
        float idleSum = 0, highSum = 0;
        const bool idleDone = phase("TPS idle", out, [&](const Live& l) {
            status_ = l.status;
            if (l.rpm > 1200 || (l.status & 0x40))
                return false;
            if (count <= 100) {
                ++count;
                idleSum += l.tps;
                idleMinimum = std::min<int>(idleMinimum, l.tps);
                return false;
            }
            idleSum /= static_cast<float>(count);
            count = 0;
            return true;
        });
        if (!idleDone)
            return false;
        const bool highDone = phase("TPS high", out, [&](const Live& l) {
            status_ = l.status;
            if (l.rpm < 3000)
                return false;
            if (count <= 100) {
                ++count;
                highSum += l.tps;
                return false;
            }
            highSum /= static_cast<float>(count);
            return true;
        });
        if (!highDone)
            return false;
        out.tpsRising = highSum >= idleSum;
        const int threshold = out.tpsRising ? idleMinimum + 7 : idleMinimum - 7;
        flagA_ = out.tpsRising ? (flagA_ | 1) : (flagA_ & ~1);
        writeParameter(flagA_, 32);
        const float volts =
            std::clamp(static_cast<float>(threshold) * 5.0f / 255.0f * 18.5f * 2.0f / 15.0f, 0.0f, 12.75f);
        writeParameter(static_cast<int>(volts / 0.05f + 0.5f), 2);
        return true;
    }

    bool lambdaPhases(Results& out)
    {
        const int low = probeType_ < 2 ? 0 : probeType_ < 4 ? 40 : 0;
        const int high = probeType_ < 2 ? 51 : probeType_ < 4 ? 81 : 255;
        unsigned count = 0;
        float minimum = 255, maximum = 0;
        phase("lambda range", out, [&](const Live& l) {
            if (count <= 200) {
                ++count;
                const float x = static_cast<float>(std::clamp<int>(l.lambda, low, high));
                minimum = std::min(minimum, x);
                maximum = std::max(maximum, x);
                return false;
            }
            return true;
        });
        const float threshold = (maximum + minimum) * 0.5f;
        out.lambdaThreshold = threshold;
        const float volts = threshold * 5.0f / 255.0f;
        writeParameter(static_cast<int>(std::clamp(volts, 0.1f, 4.9f) / 0.02f + 0.5f), 1);
        if (volts > 4.0f || volts < 0.2f)
            return false;  // a narrow probe: the simulated ones are all wide enough

        count = 0;
        bool expectHigh = true, expectLow = true;
        float highRun = 0, lowRun = 0, highSum = 0, lowSum = 0;
        int highCount = 0, lowCount = 0;
        phase("emulation", out, [&](const Live& l) {
            if (count > 200)
                return true;
            if (l.lambda > threshold) {
                if (expectHigh) {
                    ++lowCount;
                    lowSum += lowRun;
                    expectHigh = false;
                    expectLow = true;
                }
                lowRun = 0;
                highRun += 0.05f;
            } else {
                if (expectLow) {
                    ++highCount;
                    highSum += highRun;
                    expectHigh = true;
                    expectLow = false;
                }
                highRun = 0;
                lowRun += 0.05f;
            }
            ++count;
            return false;
        });
        const float t = (highSum / static_cast<float>(std::max(highCount, 1)) +
                         lowSum / static_cast<float>(std::max(lowCount, 1))) *
                        0.5f;
        const int index = static_cast<int>(std::clamp(t, 0.0f, 4.08f) / 0.016f + 0.5f);
        writeParameter(index, 29);
        writeParameter(index, 28);
        return true;
    }

    bool reducerPhases(Results& out)
    {
        if ((status_ & 3) == 0)
            exchange('r', 125, 254);
        if (!phase("waiting for gas", out, [&](const Live& l) { return (l.status & 3) == 3; }))
            return false;
        int rich = 0;
        const bool rising = probeRising(probeType_);
        return phase("reducer", out, [&](const Live& l) {
            const bool isRich = rising ? l.lambda >= out.lambdaThreshold : l.lambda <= out.lambdaThreshold;
            return (rich += isRich) >= 150;
        });
    }

    bool actuatorPhases(Results& out)
    {
        for (auto [value, p] : {std::pair{40, 6}, {120, 5}, {80, 4}, {40, 9}, {120, 8}, {80, 7}})
            writeParameter(value, p);
        out.aboveAverage = average("above TPS", out, [](int rpm) { return rpm >= 2000; });
        if (out.aboveAverage == 0)
            return false;
        writeRange(out.aboveAverage, 6, 5, 4);
        out.idleAverage = average("idle", out, [](int rpm) { return rpm <= 1200; });
        if (out.idleAverage == 0)
            return false;
        writeRange(out.idleAverage, 9, 8, 7);
        return true;
    }
    template <typename Window>
    unsigned average(const std::string& name, Results& out, Window inWindow)
    {
        unsigned count = 0, sum = 0;
        const bool done = phase(name, out, [&](const Live& l) {
            if (!inWindow(l.rpm))
                return false;
            if (count <= 100) {
                sum += l.stepper;
                ++count;
                return false;
            }
            return true;
        });
        return done ? sum / count : 0;
    }
    void writeRange(unsigned a, int minimum, int maximum, int start)
    {
        writeParameter(a < 30 ? 20 : static_cast<int>(a) - 10, minimum);
        writeParameter(a > 215 ? 230 : static_cast<int>(a) + 15, maximum);
        writeParameter(static_cast<int>(a), start);
    }

    ControllerCore& core_;
    std::uint8_t probeType_;
    std::array<std::uint8_t, 64> block_{};
    std::uint8_t flagA_ = 0;
    std::uint8_t status_ = 0;
    double now_ = 1.0;
    double nextTick_ = 0;
    int ticks_ = 0;
};

}  // namespace dravinor::sim::testing
