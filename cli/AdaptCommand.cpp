#include "Arguments.h"
#include "AdaptNarrator.h"
#include "AdaptOptions.h"
#include "CliSession.h"
#include "Commands.h"
#include "ReadFailureText.h"
#include "TickSchedule.h"

#include "AdaptationEngine.h"
#include "WizardTables.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

namespace dravinor::cli {

namespace {

using wizard::AdaptationEngine;
using wizard::WizardPage;
using wizard::WizardTimer;

constexpr long noReplyLimitMs = 5000;
constexpr int exitInterrupted = 130;

std::atomic<bool> interrupted{false};

void onInterrupt(int)
{
    interrupted = true;
}

void catchInterrupts()
{
    struct sigaction action{};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool confirmReset()
{
    std::printf("uwaga, przejście na autoadaptację powoduje reset parametrów, kontynuować ? [t/N] ");
    std::fflush(stdout);
    std::string answer;
    if (!std::getline(std::cin, answer))
        return false;
    return answer == "t" || answer == "T";
}

const char* nextButton(WizardPage page)
{
    return page == WizardPage::AA1   ? "AAP1_Dalej"
           : page == WizardPage::AA2 ? "AAP2_Dalej"
           : page == WizardPage::AA4 ? "AAP4_Dalej"
                                     : "AAP5_Koniec";
}

bool enabled(const AdaptationEngine& engine, std::string_view name)
{
    const wizard::ControlView* control = engine.view().find(name);
    return control && control->enabled.value_or(false);
}

// The fuel switch is on the page and clickable while the wizard waits for gas.
bool switchOffered(const AdaptationEngine& engine)
{
    const wizard::ControlView* button = engine.view().find("SwitchAUTO");
    return engine.timerEnabled(WizardTimer::AAP4_1) && button && button->visible.value_or(true) &&
           button->enabled.value_or(true);
}

// The fitter's side of the pages: the window's buttons pressed by Enter,
// or at once with --yes.
class Fitter {
public:
    Fitter(AdaptationEngine& engine, AdaptNarrator& narrator, bool yes)
        : engine_(engine), narrator_(narrator), yes_(yes) {}

    // Presses what the pages offer; true once KONIEC was pressed.
    bool act(int& enters)
    {
        const WizardPage page = engine_.view().currentPage();
        const bool nextEnabled = enabled(engine_, nextButton(page));
        // Step 1's choices came from the command line: its DALEJ needs no Enter.
        if (nextEnabled && (page == WizardPage::AA1 || yes_ || take(enters))) {
            engine_.dalej();
            hint_.clear();
            enters = 0;
            return page == WizardPage::AA5;
        }
        if (nextEnabled) {
            offer(page == WizardPage::AA5 ? "[Enter] KONIEC->(F10)" : "[Enter] DALEJ->(F10)");
        } else if (switchOffered(engine_)) {
            if (yes_ ? !switchPressed_ : take(enters)) {
                switchPressed_ = true;
                narrator_.line("zmiana zasilania B/G");
                engine_.switchAutoClick();
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

// What a wizard left at this point has put into the controller.
struct Progress {
    bool temperatureSensorSet = false;
    bool ignitionWritten = false;  // DALEJ of the first page
    bool actuatorPresets = false;  // DALEJ of the reducer page
};

void tellWritten(AdaptNarrator& narrator, const AdaptationEngine& engine, const Progress& progress)
{
    narrator.line("Written to the controller:");
    narrator.line("  the default parameter set (the entry reset)");
    const auto item = [&](bool done, const char* text) {
        if (done)
            narrator.line(std::string("  ") + text);
    };
    item(enabled(engine, "URSLabel_AA_P1"), "probe type: parameters 32, 27, 34, 35");
    item(progress.temperatureSensorSet, "temperature sensor: parameter 32");
    item(progress.ignitionWritten, "ignition type and RPM words: parameters 13-19, 33, 22, 23");
    item(enabled(engine, "TPSPowLabel_AA_P2"), "TPS direction and threshold: parameters 32, 2");
    item(enabled(engine, "SSLabel_AA_P3"), "lambda threshold: parameter 1");
    item(enabled(engine, "CSLabel_AA_P3"), "emulation times: parameters 29, 28");
    const bool aboveDone = enabled(engine, "UTPOW_AA_P5");
    item(progress.actuatorPresets && !aboveDone, "actuator presets: parameters 6, 5, 4, 9, 8, 7");
    item(aboveDone, "actuator range above the TPS threshold: parameters 6, 5, 4");
    item(aboveDone && !enabled(engine, "UTPON_AA_P5"), "actuator presets at idle: parameters 9, 8, 7");
    item(enabled(engine, "UTPON_AA_P5"), "actuator range at idle: parameters 9, 8, 7");
}

// What must hold before the reset: a confirmation, a controller, a whole read.
int prepareAdaptation(CliSession& session, const AdaptOptions& adapt)
{
    const bool inputTerminal = isatty(STDIN_FILENO);
    if (!adapt.yes && !inputTerminal) {
        std::cerr << "dravinor-cli: adapt resets the controller's parameters: confirm on a terminal, or add --yes\n";
        return exitUsage;
    }
    if (const int code = session.connect(true); code != exitSuccess)
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
Progress startWizard(AdaptationEngine& engine, AdaptNarrator& narrator, const AdaptOptions& adapt)
{
    engine.initialiseWizard();
    narrator.report(engine);
    if (engine.resetUnacknowledged() > 0)
        narrator.line("dravinor-cli: warning: " + std::to_string(engine.resetUnacknowledged()) +
                      " writes of the reset were not acknowledged");
    narrator.line(std::string("Wybierz rodzaj zapłonu: ") +
                  std::string(wizard::ignitionItems[static_cast<std::size_t>(adapt.ignition)]));
    engine.ignitionChosen(adapt.ignition);
    narrator.line(std::string("Wybierz rodzaj sondy lambda: ") +
                  std::string(wizard::probeTypes[static_cast<std::size_t>(adapt.probe)].item));
    engine.probeTypeChosen(adapt.probe);
    if (adapt.temperatureSensor) {
        narrator.line(std::string("wł \\ wył czujnik temperatury: ") + (*adapt.temperatureSensor ? "wł" : "wył"));
        engine.temperatureSensorClicked(*adapt.temperatureSensor);
    }
    Progress progress;
    progress.temperatureSensorSet = adapt.temperatureSensor.has_value();
    narrator.report(engine);
    return progress;
}

// The wizard's ticks and the fitter's answers until "Koniec", a silent
// controller or an interrupt; exitSuccess when the wizard finished.
int followAdaptation(CliSession& session, AdaptationEngine& engine, AdaptNarrator& narrator, const AdaptOptions& adapt,
                     Progress& progress)
{
    Fitter fitter(engine, narrator, adapt.yes);
    TickSchedule schedule(session.clock());
    long lastAnswerMs = schedule.elapsedMs();
    int enters = 0;
    while (!interrupted) {
        const bool koniec = fitter.act(enters);
        progress.ignitionWritten |= engine.view().currentPage() != WizardPage::AA1;
        progress.actuatorPresets |= engine.view().currentPage() == WizardPage::AA5;
        narrator.report(engine);
        if (koniec)
            break;
        if (const auto timer = engine.runningTimer()) {
            engine.tick(*timer);
            narrator.report(engine);
            const long now = schedule.elapsedMs();
            if (engine.lastPollAnswered()) {
                lastAnswerMs = now;
            } else if (session.port().deviceLost() || now - lastAnswerMs >= noReplyLimitMs) {
                narrator.line(session.port().deviceLost()
                                  ? "dravinor-cli: the port went away (adapter unplugged?)"
                                  : "dravinor-cli: the controller stopped answering (no reply for 5 s)");
                tellWritten(narrator, engine, progress);
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
        tellWritten(narrator, engine, progress);
        return exitInterrupted;
    }
    return exitSuccess;
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
    catchInterrupts();

    AdaptNarrator narrator(stdout, isatty(STDOUT_FILENO));
    AdaptationEngine engine(session.port(), session.state(), session.transfer(), wizard::WizardInputs{});
    Progress progress = startWizard(engine, narrator, adapt);
    if (const int code = followAdaptation(session, engine, narrator, adapt, progress); code != exitSuccess)
        return code;
    if (!engine.doubtfulPhases().empty())
        narrator.line("dravinor-cli: warning: " + std::to_string(engine.doubtfulPhases().size()) +
                      " phase(s) were measured on an unreliable line; the journal marks their results doubtful");
    return narrator.reportUnacknowledged(engine) ? exitNotAcknowledged : exitSuccess;
}

}  // namespace dravinor::cli
