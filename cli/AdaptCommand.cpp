#include "AdaptNarrator.h"
#include "AdaptOptions.h"
#include "Arguments.h"
#include "BulkWriteReport.h"
#include "CliSession.h"
#include "Commands.h"
#include "Console.h"
#include "CurrentCarVisit.h"
#include "ReadFailureText.h"
#include "TickSchedule.h"

#include "lang/ShownNumbers.h"
#include "report/AdaptationRecord.h"
#include "wizard/AdaptationEngine.h"
#include "wizard/WizardTables.h"

#include <atomic>
#include <cstdio>
#include <iostream>
#include <string>

namespace dravinor::cli {

namespace {

using wizard::AdaptationEngine;
using wizard::WizardControl;
using wizard::WizardPage;
using wizard::WizardTimer;

constexpr long noReplyLimitMs = 5000;
constexpr int exitInterrupted = 130;
// The lambda probe failed and the adaptation stopped before its result.
constexpr int exitProbeFailed = 5;

std::atomic<bool> interrupted{false};

bool confirmReset()
{
    std::printf("uwaga, przejście na autoadaptację powoduje reset parametrów, kontynuować ? [t/N] ");
    std::fflush(stdout);
    std::string answer;
    if (!std::getline(std::cin, answer))
        return false;
    return answer == "t" || answer == "T";
}

WizardControl nextButton(WizardPage page)
{
    return page == WizardPage::Start         ? WizardControl::StartNext
           : page == WizardPage::TpsAndProbe ? WizardControl::TpsPageNext
           : page == WizardPage::Reducer     ? WizardControl::ReducerNext
                                             : WizardControl::FinishButton;
}

bool enabled(const AdaptationEngine& engine, WizardControl button)
{
    const wizard::ControlView* control = engine.view().find(button);
    return control && control->enabled.value_or(false);
}

// The fuel switch is on the page and clickable while the wizard waits for gas.
bool switchOffered(const AdaptationEngine& engine)
{
    const wizard::ControlView* button = engine.view().find(WizardControl::FuelSwitch);
    return engine.timerEnabled(WizardTimer::WaitForGas) && button && button->visible.value_or(true) &&
           button->enabled.value_or(true);
}

// The fitter's side of the pages: the window's buttons pressed by Enter,
// or at once with --yes.
class Fitter {
public:
    Fitter(AdaptationEngine& engine, AdaptNarrator& narrator, bool yes)
        : engine_(engine), narrator_(narrator), yes_(yes)
    {
    }

    // Presses what the pages offer; true once KONIEC was pressed.
    bool act(int& enters)
    {
        const WizardPage page = engine_.view().currentPage();
        const bool nextEnabled = enabled(engine_, nextButton(page));
        // Step 1's choices came from the command line: its DALEJ needs no Enter.
        if (nextEnabled && (page == WizardPage::Start || yes_ || take(enters))) {
            engine_.pressNext();
            hint_.clear();
            enters = 0;
            return page == WizardPage::Actuator;
        }
        if (nextEnabled) {
            offer(page == WizardPage::Actuator ? "[Enter] KONIEC->(F10)" : "[Enter] DALEJ->(F10)");
        } else if (switchOffered(engine_)) {
            if (yes_ ? !switchPressed_ : take(enters)) {
                switchPressed_ = true;
                narrator_.line("zmiana zasilania B/G");
                engine_.fuelSwitchClicked();
                hint_.clear();
            } else if (!yes_) {
                offer("[Enter] zmiana zasilania B/G");
            }
        }
        enters = 0;  // an Enter with nothing to press is dropped
        return false;
    }

private:
    static bool take(int& enters)
    {
        if (enters == 0)
            return false;
        enters = 0;
        return true;
    }
    void offer(const std::string& text)
    {
        if (hint_ == text)
            return;
        hint_ = text;
        narrator_.line(text);
    }

    AdaptationEngine& engine_;
    AdaptNarrator& narrator_;
    bool yes_;
    bool switchPressed_ = false;
    std::string hint_;
};

// A list of parameter numbers, runs of three or more as "13-19".
std::string addressList(const std::vector<int>& addresses)
{
    std::string text;
    for (std::size_t i = 0; i < addresses.size();) {
        std::size_t end = i;
        while (end + 1 < addresses.size() && addresses[end + 1] == addresses[end] + 1)
            ++end;
        text += (text.empty() ? "" : ", ") + std::to_string(addresses[i]);
        if (end >= i + 2)
            text += "-" + std::to_string(addresses[end]);
        else if (end == i + 1)
            text += ", " + std::to_string(addresses[end]);
        i = end + 1;
    }
    return text;
}

std::string parameters(const std::vector<int>& addresses)
{
    return (addresses.size() == 1 ? "parameter " : "parameters ") + addressList(addresses);
}

// What the wizard's writes put into the controller so far, by what they
// set: only what the controller acknowledged is told as written.
void tellWritten(AdaptNarrator& narrator, const AdaptationEngine& engine)
{
    std::vector<std::string> written, missing;
    const params::BulkWriteOutcome& reset = engine.result().reset;
    std::vector<int> resetWritten, resetMissing;
    for (int address = params::ParameterBlock::firstAddress; address <= params::ParameterBlock::lastAddress; ++address)
        (reset.eepromWritten.test(static_cast<std::size_t>(address)) ? resetWritten : resetMissing).push_back(address);
    if (resetMissing.empty() && reset.allConfirmed() && !reset.portLost)
        written.push_back("the default parameter set (the entry reset)");
    else if (!resetWritten.empty())
        written.push_back("the entry reset, in part: " + parameters(resetWritten) + " of the default set");
    if (!resetMissing.empty())
        missing.push_back("the entry reset: " + parameters(resetMissing) +
                          (reset.portLost ? " (the port went away)" : ""));
    else if (!reset.allConfirmed())
        missing.push_back("the entry reset: " + std::to_string(reset.unconfirmedAddresses().size()) +
                          " RAM refresh(es)");

    using wizard::WriteGroup;
    constexpr std::pair<WriteGroup, const char*> groups[] = {
        {WriteGroup::ProbeType, "probe type"},
        {WriteGroup::TemperatureSensor, "temperature sensor"},
        {WriteGroup::IgnitionAndRpm, "ignition type and RPM words"},
        {WriteGroup::TpsThreshold, "TPS direction and threshold"},
        {WriteGroup::LambdaThreshold, "lambda threshold"},
        {WriteGroup::EmulationTimes, "emulation times"},
        {WriteGroup::ActuatorPresets, "actuator presets"},
        {WriteGroup::ActuatorAboveTps, "actuator range above the TPS threshold"},
        {WriteGroup::ActuatorIdle, "actuator range at idle"},
    };
    for (const auto& [group, what] : groups) {
        const wizard::GroupWrites* writes = engine.result().writesOf(group);
        if (!writes)
            continue;
        if (!writes->acknowledged.empty())
            written.push_back(std::string(what) + ": " + parameters(writes->acknowledged));
        if (!writes->unacknowledged.empty())
            missing.push_back(std::string(what) + ": " + parameters(writes->unacknowledged));
    }
    narrator.line(written.empty() ? "Written to the controller: nothing" : "Written to the controller:");
    for (const std::string& item : written)
        narrator.line("  " + item);
    if (missing.empty())
        return;
    narrator.line("Not acknowledged by the controller (the journal marks them):");
    for (const std::string& item : missing)
        narrator.line("  " + item);
}

// What must hold before the reset: a confirmation, a controller, a whole read.
int prepareAdaptation(CliSession& session, const AdaptOptions& adapt)
{
    const bool inputTerminal = inputIsTerminal();
    if (!adapt.yes && !inputTerminal) {
        std::cerr << "dravinor-cli: adapt resets the controller's parameters: confirm on a terminal, or add --yes\n";
        return exitUsage;
    }
    if (const int code = session.connect(OnConnect::ReadParameters); code != exitSuccess)
        return code;
    // The reset keeps the controller's own temperature-sensor setting, and
    // every later step builds on what was read: a partial read is no base.
    if (const auto& read = session.lastRead(); !read.complete()) {
        std::cerr << "dravinor-cli: the parameters could not all be read (" << incompleteReadText(read)
                  << "); the adaptation starts only after a complete read, since its reset keeps the "
                     "controller's temperature-sensor setting; nothing written\n";
        return exitNoController;
    }
    if (!adapt.yes && !confirmReset()) {
        std::printf("dravinor-cli: adaptation not started; nothing was written.\n");
        return exitUsage;
    }
    return exitSuccess;
}

// The reset and the first page's choices from the command line.
void startWizard(AdaptationEngine& engine, AdaptNarrator& narrator, const AdaptOptions& adapt)
{
    engine.initialiseWizard();
    narrator.report(engine);
    if (const std::string backup = backupLine(engine.result().reset.backup); !backup.empty())
        narrator.line(backup);
    // Frames the re-writes made good are not worth a warning.
    if (const auto unconfirmed = engine.result().reset.unconfirmedAddresses(); !unconfirmed.empty())
        narrator.line("dravinor-cli: warning: " + std::to_string(unconfirmed.size()) +
                      " writes of the reset were not acknowledged");
    using wizard::WizardControl;
    narrator.line(narrator.choice(WizardControl::IgnitionListCaption, WizardControl::IgnitionList, adapt.ignition,
                                  wizard::ignitionItems[static_cast<std::size_t>(adapt.ignition)]));
    engine.ignitionChosen(adapt.ignition);
    narrator.line(narrator.choice(WizardControl::ProbeListCaption, WizardControl::ProbeList, adapt.probe,
                                  wizard::probeTypes[static_cast<std::size_t>(adapt.probe)].item));
    engine.probeTypeChosen(adapt.probe);
    if (adapt.temperatureSensor) {
        narrator.line(narrator.wordsOf(WizardControl::TemperatureSensorBox) + ": " +
                      (*adapt.temperatureSensor ? "wł" : "wył"));
        engine.temperatureSensorClicked(*adapt.temperatureSensor);
    }
    narrator.report(engine);
}

// A probe the lambda phases found failed: the adaptation stops before the
// lambda result is written, unless --force goes on (its results doubtful).
bool goOnWithFailedProbe(AdaptationEngine& engine, AdaptNarrator& narrator, const AdaptOptions& adapt)
{
    narrator.reportFailedProbe(engine);
    if (adapt.force) {
        narrator.line("dravinor-cli: going on (--force); the lambda and actuator results are marked doubtful");
        engine.probeFailureAnswered(true);
        narrator.report(engine);
        return true;
    }
    engine.probeFailureAnswered(false);
    narrator.report(engine);
    narrator.line("dravinor-cli: adaptation stopped; nothing more was written (--force goes on with a failed probe, "
                  "its results marked doubtful)");
    tellWritten(narrator, engine);
    return false;
}

// The wizard's ticks and the fitter's answers until "Koniec", a silent
// controller, a failed probe or an interrupt; exitSuccess when the wizard
// finished.
int followAdaptation(CliSession& session, AdaptationEngine& engine, AdaptNarrator& narrator, const AdaptOptions& adapt)
{
    Fitter fitter(engine, narrator, adapt.yes);
    TickSchedule schedule(session.clock());
    long lastAnswerMs = schedule.elapsedMs();
    int enters = 0;
    while (!interrupted) {
        const bool koniec = fitter.act(enters);
        narrator.report(engine);
        if (koniec)
            break;
        if (const auto timer = engine.runningTimer()) {
            engine.tick(*timer);
            narrator.report(engine);
            if (engine.awaitingProbeAnswer() && !goOnWithFailedProbe(engine, narrator, adapt))
                return exitProbeFailed;
            const long now = schedule.elapsedMs();
            if (engine.lastPollAnswered()) {
                lastAnswerMs = now;
            } else if (session.port().deviceLost() || now - lastAnswerMs >= noReplyLimitMs) {
                narrator.line(session.port().deviceLost()
                                  ? "dravinor-cli: the port went away (adapter unplugged?)"
                                  : "dravinor-cli: the controller stopped answering (no reply for 5 s)");
                tellWritten(narrator, engine);
                return exitNoController;
            }
            narrator.progress(engine, now);
        } else {
            lastAnswerMs = schedule.elapsedMs();  // nothing polls while the fitter is asked
        }
        schedule.waitForNextTick(!adapt.yes, enters, interrupted);
    }
    if (interrupted) {
        engine.stopAllTimers();
        narrator.line("dravinor-cli: adaptation interrupted; the wizard was left.");
        tellWritten(narrator, engine);
        return exitInterrupted;
    }
    return exitSuccess;
}

// What the wizard measured, finished or not, into the current car's visit;
// with the set the controller holds only when it took every write.
void recordAdaptation(CliSession& session, const AdaptationEngine& engine)
{
    const auto summary = report::summariseAdaptation(engine.result(), lang::decimalSeparator());
    if (!summary)
        return;
    const bool setKnown =
        engine.result().everyWriteTaken() && !session.port().deviceLost() && session.port().controllerConnected();
    recordAdaptationVisit(report::adaptationRecordText(*summary),
                          setKnown ? std::optional(session.state().block()) : std::nullopt,
                          session.connection().identity());
}

}  // namespace

int runAdapt(CliSession& session, const CliOptions& options)
{
    AdaptOptions adapt;
    std::string error;
    if (!parseAdaptArguments(options, adapt, error))
        return usageError("adapt", error);
    if (const int code = prepareAdaptation(session, adapt); code != exitSuccess)
        return code;
    catchInterrupts(interrupted);

    AdaptNarrator narrator(stdout, outputIsTerminal(), shippedPolishTexts());
    AdaptationEngine engine(session.port(), session.state(), session.transfer(), wizard::WizardInputs{});
    startWizard(engine, narrator, adapt);
    const int followed = followAdaptation(session, engine, narrator, adapt);
    recordAdaptation(session, engine);
    if (followed != exitSuccess)
        return followed;
    if (!engine.result().doubtfulPhases.empty())
        narrator.line("dravinor-cli: warning: " + std::to_string(engine.result().doubtfulPhases.size()) +
                      " phase(s) were measured on an unreliable line; the journal marks their results doubtful");
    if (engine.result().doubtfulProbe())
        narrator.line(std::string("dravinor-cli: warning: the adaptation went on with a failed lambda probe (") +
                      diagnostics::probeVerdictName(engine.result().probeFailure->figures.verdict) +
                      "); its lambda and actuator results are doubtful, and the journal marks them");
    const bool unacknowledged = narrator.reportUnacknowledged(engine);
    return unacknowledged || engine.result().doubtfulProbe() ? exitNotAcknowledged : exitSuccess;
}

}  // namespace dravinor::cli
