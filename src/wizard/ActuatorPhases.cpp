#include "wizard/AdaptationEngine.h"
#include "wizard/EngineWriter.h"

#include "params/ParameterTable.h"
#include "params/ParameterTransfer.h"

namespace dravinor::wizard {

// The pages' controls by name, as every step here speaks of them.
using enum WizardControl;

namespace {

constexpr int aboveTpsRpm = 2000;
constexpr int idleRpm = 1200;
constexpr std::uint32_t lastSampleIndex = 100;  // 101 samples per window

constexpr const char* aboveTpsFields[3] = {"ZPAttuatoraPow_1", "ZPAttuatoraPow_2", "PSAttuatoraPow"};
constexpr const char* idleFields[3] = {"ZPAttuatoraPon_1", "ZPAttuatoraPon_2", "PSAttuatoraPon"};

// The working range around an average position: ten steps below it (at
// least 20 when it sits low), fifteen above it (230 when it sits high).
int rangeMinimum(unsigned average)
{
    return average < 30 ? 20 : static_cast<int>(average) - 10;
}
int rangeMaximum(unsigned average)
{
    return average > 215 ? 230 : static_cast<int>(average) + 15;
}

}  // namespace

void AdaptationEngine::leaveReducer()
{
    view_.setCurrentPage(WizardPage::Actuator);
    setTimer(WizardTimer::WaitForGas, false);
    setTimer(WizardTimer::Reducer, false);
    // The presets the fitter starts from, in the controller's order.
    namespace a = params::address;
    const std::pair<int, params::Address> presets[] = {{40, a::rangeMinimumAboveTps},  {120, a::rangeMaximumAboveTps},
                                                       {80, a::startPositionAboveTps}, {40, a::rangeMinimumBelowTps},
                                                       {120, a::rangeMaximumBelowTps}, {80, a::startPositionBelowTps}};
    const char* const presetFields[] = {aboveTpsFields[0], aboveTpsFields[1], aboveTpsFields[2],
                                        idleFields[0],     idleFields[1],     idleFields[2]};
    {
        const GroupScope group(*this, WriteGroup::ActuatorPresets);
        for (std::size_t i = 0; i < std::size(presets); ++i) {
            setFieldText(presetFields[i], std::to_string(presets[i].first));
            writeParameter(presets[i].second, presets[i].first);
        }
    }
    show(ActuatorAbovePrompt, false);
    show(ActuatorIdlePrompt, false);
    setBarMaximum(ActuatorProgress, 200);
    setBar(ActuatorProgress, 0);
    show(ActuatorAbovePrompt, true);
    state_.sampleCount = 0;
    startPhase();
    setTimer(WizardTimer::AboveTps, true);
}

void AdaptationEngine::tickAboveTps()
{
    const Poll poll = pollLiveFrame(ActuatorRpmDial, ActuatorRpmPanel, false);
    blinkLabel(ActuatorTitle, 10);
    if (!poll.sample || poll.rpm < aboveTpsRpm)
        return;
    if (state_.sampleCount <= lastSampleIndex) {
        state_.aboveTpsPositionSum += poll.frame.stepperPosition;
        ++state_.sampleCount;
        addToBar(ActuatorProgress, 1);
        return;
    }
    setTimer(WizardTimer::AboveTps, false);
    {
        const params::ScopedWriteNote note(transfer_, closePhase(WizardPhase::AboveTps, state_.sampleCount));
        writeActuatorRange(state_.aboveTpsPositionSum / state_.sampleCount, params::address::rangeMinimumAboveTps,
                           params::address::rangeMaximumAboveTps, params::address::startPositionAboveTps,
                           aboveTpsFields, Figure::AboveTpsMinimum);
    }
    show(ActuatorAbovePrompt, false);
    show(ActuatorIdlePrompt, true);
    state_.sampleCount = 0;
    state_.idlePositionSum = 0;
    markDone(AboveTpsDone, AboveTpsLed);
    startPhase();
    setTimer(WizardTimer::ActuatorIdle, true);
}

void AdaptationEngine::tickActuatorIdle()
{
    const Poll poll = pollLiveFrame(ActuatorRpmDial, ActuatorRpmPanel, false);
    blinkLabel(ActuatorTitle, 10);
    // No engine-stopped test here: 0 RPM is inside the idle window.
    if (!poll.sample || poll.rpm > idleRpm)
        return;
    if (state_.sampleCount <= lastSampleIndex) {
        state_.idlePositionSum += poll.frame.stepperPosition;
        ++state_.sampleCount;
        addToBar(ActuatorProgress, 1);
        return;
    }
    setTimer(WizardTimer::ActuatorIdle, false);
    {
        const params::ScopedWriteNote note(transfer_, closePhase(WizardPhase::ActuatorIdle, state_.sampleCount));
        writeActuatorRange(state_.idlePositionSum / state_.sampleCount, params::address::rangeMinimumBelowTps,
                           params::address::rangeMaximumBelowTps, params::address::startPositionBelowTps, idleFields,
                           Figure::IdleMinimum);
    }
    show(ActuatorIdlePrompt, false);
    markDone(IdleDone, IdleLed);
    enable(FinishButton, true);
    show(FinishedNotice, true);
    result_.finished = true;
}

void AdaptationEngine::writeActuatorRange(unsigned average, params::Address minimumAddress,
                                          params::Address maximumAddress, params::Address startAddress,
                                          const char* const fieldNames[3], Figure firstFigure)
{
    const int values[3] = {rangeMinimum(average), rangeMaximum(average), static_cast<int>(average)};
    const params::Address addresses[3] = {minimumAddress, maximumAddress, startAddress};
    const GroupScope group(*this, minimumAddress == params::address::rangeMinimumAboveTps ? WriteGroup::ActuatorAboveTps
                                                                                          : WriteGroup::ActuatorIdle);
    for (int i = 0; i < 3; ++i) {
        const std::string text = std::to_string(values[i]);
        setFieldText(fieldNames[i], text);
        // Minimum, maximum and start follow one another among the figures.
        recordFigure(static_cast<Figure>(static_cast<int>(firstFigure) + i), values[i]);
        writeParameter(addresses[i], values[i]);
    }
}

void AdaptationEngine::finishAdaptation()
{
    stopAllTimers();
    view_.setCurrentPage(WizardPage::Start);
}

}  // namespace dravinor::wizard
