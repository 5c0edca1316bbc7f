#include "AdaptNarrator.h"

#include "lang/ShownNumbers.h"
#include "lang/TextSlots.h"
#include "params/ParameterTransfer.h"
#include "wizard/WizardTables.h"
#include "wizard/WizardTexts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>
#include <variant>

namespace dravinor::cli {

namespace {

using wizard::ControlView;
using wizard::WizardControl;
using wizard::WizardPage;
using wizard::WizardView;

// A figure as the wizard's page shows it, or the page's dots while it is
// not measured.
std::string shown(const wizard::AdaptationResult& result, wizard::Figure figure)
{
    const std::optional<double> value = result.figure(figure);
    return value ? wizard::figureText(figure, *value, lang::decimalSeparator()) : std::string("......");
}

// A live reading the engine gave a panel; nothing before its first one.
std::optional<std::string> reading(const WizardView& view, WizardControl panel)
{
    const ControlView* control = view.find(panel);
    if (!control || !control->number)
        return std::nullopt;
    return wizard::panelText(*control->number, lang::decimalSeparator());
}

bool isDoneLabel(WizardControl control)
{
    return std::any_of(wizard::doneItems.begin(), wizard::doneItems.end(),
                       [control](const auto& item) { return item.label == control; });
}

bool isPrompt(WizardControl control)
{
    return std::find(wizard::prompts.begin(), wizard::prompts.end(), control) != wizard::prompts.end() &&
           control != WizardControl::FuelSwitchCaption;
}

// The TPS direction as the page words it (the built-in words of its text slots).
std::string tpsDirection(const wizard::AdaptationResult& result)
{
    if (!result.tpsRising)
        return {};
    return lang::textSlots().text(*result.tpsRising ? lang::slot::tpsRising : lang::slot::tpsFalling);
}

std::string joined(const std::vector<int>& numbers)
{
    std::string text;
    for (int n : numbers)
        text += (text.empty() ? "" : ", ") + std::to_string(n);
    return text;
}

// The done items that stand for writes, and the writes.
struct ItemWrites {
    WizardControl label;
    wizard::WriteGroup group;
};
constexpr ItemWrites itemWrites[] = {
    {WizardControl::ProbeRangeDone, wizard::WriteGroup::ProbeType},
    // Ticked off on the choice; the ignition type is written by DALEJ.
    {WizardControl::IgnitionDone, wizard::WriteGroup::IgnitionAndRpm},
    {WizardControl::TpsHighDone, wizard::WriteGroup::TpsThreshold},
    {WizardControl::ProbeThresholdDone, wizard::WriteGroup::LambdaThreshold},
    {WizardControl::EmulationDone, wizard::WriteGroup::EmulationTimes},
    {WizardControl::AboveTpsDone, wizard::WriteGroup::ActuatorAboveTps},
    {WizardControl::IdleDone, wizard::WriteGroup::ActuatorIdle},
};

const ItemWrites* writesOfItem(WizardControl label)
{
    for (const ItemWrites& item : itemWrites)
        if (item.label == label)
            return &item;
    return nullptr;
}

}  // namespace

void AdaptNarrator::report(wizard::AdaptationEngine& engine)
{
    const WizardView& view = engine.view();
    reportWrittenItems(engine);
    if (page_ != view.currentPage()) {
        page_ = view.currentPage();
        reportPage(*page_);
    }
    reportLine(engine);
    for (const wizard::ViewKey& key : engine.view().takeChanged()) {
        // Only the wizard pages' own controls are told.
        const auto* changed = std::get_if<WizardControl>(&key);
        if (!changed)
            continue;
        const WizardControl name = *changed;
        const ControlView* control = view.find(name);
        if (!control)
            continue;
        if (isPrompt(name) && control->visible) {
            if (*control->visible && !visiblePrompts_.contains(name)) {
                visiblePrompts_.insert(name);
                line(name == WizardControl::TpsDirection ? tpsDirection(engine.result()) : wordsOf(name));
            } else if (!*control->visible) {
                visiblePrompts_.erase(name);
            }
        }
        if (isDoneLabel(name) && control->enabled) {
            if (*control->enabled && !enabledLabels_.contains(name)) {
                enabledLabels_.insert(name);
                reportDoneItem(engine, name);
            } else if (!*control->enabled) {
                enabledLabels_.erase(name);
                std::erase(awaitingWrites_, name);
            }
        }
    }
}

void AdaptNarrator::reportPage(WizardPage page)
{
    line("[" + texts_.pageCaption(page) + "]");
    // Instructions the page shows the whole time: no step shows or hides
    // them, so they are told here, once per page.
    for (WizardControl name : wizard::standingInstructions(page))
        line(wordsOf(name));
}

void AdaptNarrator::reportLine(const wizard::AdaptationEngine& engine)
{
    if (engine.controllerSilent() != silentTold_) {
        silentTold_ = engine.controllerSilent();
        line(silentTold_ ? "dravinor-cli: the controller does not answer"
                         : "dravinor-cli: the controller answers again");
    }
    const auto& doubtful = engine.result().doubtfulPhases;
    for (; doubtfulTold_ < doubtful.size(); ++doubtfulTold_) {
        const wizard::DoubtfulPhase& phase = doubtful[doubtfulTold_];
        line("dravinor-cli: warning: unreliable line: " + std::to_string(phase.badPolls) + " of " +
             std::to_string(phase.polls) + " polls of the " + std::string(wizard::phaseName(phase.phase)) +
             " phase were bad; its result is doubtful");
    }
}

bool AdaptNarrator::reportUnacknowledged(const wizard::AdaptationEngine& engine)
{
    const params::BulkWriteOutcome& reset = engine.result().reset;
    const std::vector<int> single = engine.result().unacknowledgedAddresses();
    // A bulk frame whose letter did not come back was written again on its
    // own: only what stayed unconfirmed after that failed, as the journal says.
    const bool resetFailed = !reset.allConfirmed() || reset.portLost;
    if (!resetFailed && single.empty())
        return false;
    line("dravinor-cli: writes of the adaptation were not acknowledged (the journal marks them):");
    if (resetFailed) {
        std::vector<int> notWritten;
        for (int address = params::ParameterBlock::firstAddress; address <= params::ParameterBlock::lastAddress;
             ++address)
            if (!reset.eepromWritten.test(static_cast<std::size_t>(address)))
                notWritten.push_back(address);
        std::string text = "  the entry reset: " + std::to_string(reset.unacknowledged) + " write(s)";
        if (!notWritten.empty())
            text += ", no EEPROM acknowledgement for parameter(s) " + joined(notWritten);
        if (reset.portLost)
            text += "; the port went away";
        line(text);
    }
    if (!single.empty())
        line("  parameter(s) " + joined(single) + " (the parameter page shows \"Nie mogę zapisać parametru \")");
    return true;
}

void AdaptNarrator::reportDoneItem(const wizard::AdaptationEngine& engine, WizardControl label)
{
    const ItemWrites* item = writesOfItem(label);
    const wizard::GroupWrites* writes = item ? engine.result().writesOf(item->group) : nullptr;
    if (item && !writes) {
        awaitingWrites_.push_back(label);
        return;
    }
    const std::string text = wordsOf(label);
    if (writes && !writes->unacknowledged.empty()) {
        line("[ ] " + text + " -- not acknowledged by the controller: parameter(s) " + joined(writes->unacknowledged));
    } else {
        done_.push_back(text);
        line("[x] " + text);
    }
    reportResults(engine.result(), label);
}

void AdaptNarrator::reportWrittenItems(const wizard::AdaptationEngine& engine)
{
    const std::vector<WizardControl> waiting = std::exchange(awaitingWrites_, {});
    for (WizardControl label : waiting)
        reportDoneItem(engine, label);
}

void AdaptNarrator::reportResults(const wizard::AdaptationResult& result, WizardControl label)
{
    using wizard::Figure;
    using enum WizardControl;
    // A figure under its caption, as its row on the page.
    const auto row = [&](WizardControl caption, Figure which) {
        return "    " + wordsOf(caption) + " " + shown(result, which);
    };
    // An actuator row: its minimum, maximum and start under the columns' headings.
    const auto actuatorRow = [&](WizardControl caption, Figure minimum, Figure maximum, Figure start) {
        return "    " + wordsOf(caption) + "  " + wordsOf(ActuatorMinimumHeading) + " " + shown(result, minimum) +
               "  " + wordsOf(ActuatorMaximumHeading) + " " + shown(result, maximum) + "  " +
               wordsOf(ActuatorStartHeading) + " " + shown(result, start);
    };
    if (label == TpsIdleDone) {
        line(row(TpsIdleCaption, Figure::TpsIdle) + " " + wordsOf(TpsIdleUnit));
    } else if (label == TpsHighDone) {
        line(row(TpsHighCaption, Figure::TpsHigh) + " " + wordsOf(TpsHighUnit));
        line(row(TpsThresholdCaption, Figure::TpsThreshold) + " " + wordsOf(TpsThresholdUnit));
    } else if (label == ProbeThresholdDone) {
        line(row(LeanCaption, Figure::LambdaLean));
        line(row(ProbeThresholdCaption, Figure::LambdaThreshold));
        line(row(RichCaption, Figure::LambdaRich));
    } else if (label == EmulationDone) {
        line(row(RichTimeCaption, Figure::RichTime));
        line(row(LeanTimeCaption, Figure::LeanTime));
    } else if (label == AboveTpsDone) {
        line(actuatorRow(AboveTpsRowCaption, Figure::AboveTpsMinimum, Figure::AboveTpsMaximum, Figure::AboveTpsStart));
    } else if (label == IdleDone) {
        line(actuatorRow(IdleRowCaption, Figure::IdleMinimum, Figure::IdleMaximum, Figure::IdleStart));
    }
}

std::string AdaptNarrator::choice(WizardControl caption, WizardControl list, int item,
                                  std::string_view builtInItem) const
{
    return wordsOf(caption) + ": " + texts_.wizardItem(list, item, builtInItem);
}

void AdaptNarrator::reportFailedProbe(const wizard::AdaptationEngine& engine)
{
    const auto& failure = engine.result().probeFailure;
    if (!failure)
        return;
    const auto& figures = failure->figures;
    line(std::string("dravinor-cli: the lambda probe does not work: ") +
         diagnostics::probeVerdictName(figures.verdict) + ", " + lang::decimalText(figures.minVolts, 2) + "-" +
         lang::decimalText(figures.maxVolts, 2) + " V over the last " +
         std::to_string(std::lround(figures.judgedSeconds)) +
         " s; check the probe and its wiring (a cold probe does not switch either)");
}

void AdaptNarrator::progress(const wizard::AdaptationEngine& engine, long nowMs)
{
    const long period = terminal_ ? 200 : 1000;
    if (nowMs - lastProgressMs_ < period)
        return;
    lastProgressMs_ = nowMs;
    const WizardView& view = engine.view();
    const WizardPage page = view.currentPage();
    std::string text = texts_.pageCaption(page);
    static constexpr WizardControl rpmPanels[] = {WizardControl::StartRpmPanel, WizardControl::TpsPageRpmPanel,
                                                  WizardControl::ReducerRpmPanel, WizardControl::ActuatorRpmPanel};
    // The first page has no progress bar.
    static constexpr WizardControl bars[] = {WizardControl::TpsPageProgress, WizardControl::TpsPageProgress,
                                             WizardControl::ReducerProgress, WizardControl::ActuatorProgress};
    const auto index = static_cast<std::size_t>(page);
    if (const auto rpm = reading(view, rpmPanels[index]))
        text += " | " + *rpm + " rpm";
    if (page == WizardPage::Start) {
        const auto temperature = reading(view, WizardControl::TemperaturePanel);
        const ControlView* shown = view.find(WizardControl::Thermometer);
        if (temperature && shown && shown->visible.value_or(false))
            text += " | " + *temperature + " °C";
    } else if (const ControlView* bar = view.find(bars[index]); bar) {
        text += " | postęp: " + std::to_string(bar->value.value_or(0)) + "/" + std::to_string(bar->maximum.value_or(0));
    }
    if (page == WizardPage::Reducer) {
        if (const auto probe = reading(view, WizardControl::ReducerProbePanel))
            text += " | sonda " + *probe + " V";
    }
    if (terminal_) {
        std::fprintf(out_, "\r%s\033[K", text.c_str());
        progressShown_ = true;
    } else {
        std::fprintf(out_, "%s\n", text.c_str());
    }
    std::fflush(out_);
}

void AdaptNarrator::line(const std::string& text)
{
    clearProgress();
    std::fprintf(out_, "%s\n", text.c_str());
    std::fflush(out_);
}

void AdaptNarrator::clearProgress()
{
    if (!progressShown_)
        return;
    std::fprintf(out_, "\r\033[K");
    progressShown_ = false;
}

}  // namespace dravinor::cli
