#pragma once

#include "EngineModel.h"
#include "FrameParser.h"
#include "WorkingParameters.h"

namespace dravinor::sim {

// A fitter at the car who does what the tool's auto-adaptation asks: idle,
// rev above 3000 RPM, idle, get onto gas, turn the reducer screw towards
// rich, hold above 2000 RPM, idle. He cannot see the tool's screen, so he
// follows the wizard by what it sends: which parameters it writes, the fuel
// requests, and how many live polls it has made while he held the engine
// where a phase wants it. Each phase ends on the write that closes it, not on
// a count alone; the counts only tell him when the idle phase, which writes
// nothing, should be over.
class VirtualFitter {
public:
    enum class Stage {
        Preparing,  // before the wizard's measurements: engine running at idle
        TpsIdle,    // idle until the wizard has its idle TPS samples
        TpsHigh,    // above 3000 RPM until the TPS threshold is written
        Lambda,     // idle while the probe is calibrated on petrol
        WantGas,    // above the switch-over speed until the controller is on gas
        Reducer,    // idle on gas, screw towards rich until it reads rich
        AboveTps,   // above 2000 RPM until the actuator range above TPS is written
        IdleRange,  // idle until the range below TPS is written
        Done,
    };

    static constexpr double kRevThrottle = 0.65;   // about 3500 RPM
    static constexpr double kHoldThrottle = 0.38;  // about 2400 RPM: above 2000 and the 2200 switch-over
    // How far above the switch-over speed he revs to get onto gas.
    static constexpr double kSwitchOverMarginRpm = 200;
    static constexpr double kIdleRpmLimit = 1200;
    static constexpr double kRevRpm = 3000;
    // 101 samples and the tick that closes the phase, and two to spare: a
    // rev that comes too early stalls the idle phase.
    static constexpr int kIdlePollsNeeded = 104;
    // Polls above 3000 RPM after which the idle phase is taken as unfinished
    // (101 would do): he goes back to idle for another round.
    static constexpr int kRevPatiencePolls = 160;
    static constexpr int kMaxRetries = 3;
    static constexpr double kScrewTurnPerSecond = 0.3;
    // He keeps turning while he has seen lean within this long.
    static constexpr double kLeanMemorySeconds = 0.5;

    // Time passes: he keeps the engine running, and on the reducer step
    // turns the screw while the mixture still read lean lately.
    void advance(double nowSeconds, EngineModel& engine, const WorkingParameters& parameters);
    // The controller has just answered frame; engine and parameters are as now.
    void frameHandled(const Frame& frame, double nowSeconds, EngineModel& engine, const WorkingParameters& parameters);

    Stage stage() const { return stage_; }

private:
    void enter(Stage stage, EngineModel& engine);
    void onLivePoll(double nowSeconds, EngineModel& engine, const WorkingParameters& parameters);
    void onWrite(std::uint8_t letter, int address, std::uint8_t value, EngineModel& engine);
    void seekGas(EngineModel& engine, const WorkingParameters& parameters);

    Stage stage_ = Stage::Preparing;
    Frame previous_{};
    int polls_ = 0;    // qualifying polls in the current stage
    int retries_ = 0;  // rounds of idle after a rev that ended nothing
    double lastSeconds_ = 0;
    bool timeKnown_ = false;
    double lastLeanAt_ = 0;
    bool leanSeen_ = false;
};

// What he is doing, in the words of the demo's panel.
const char* stageName(VirtualFitter::Stage stage);

}  // namespace dravinor::sim
