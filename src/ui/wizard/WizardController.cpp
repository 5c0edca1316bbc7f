#include "ui/wizard/WizardController.h"

#include "lang/ShownNumbers.h"
#include "lang/TextSlots.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/pages/ParameterPages.h"
#include "ui/wizard/ProbeFailureTexts.h"
#include "ui/wizard/WizardControlNames.h"
#include "ui/wizard/WizardPages.h"
#include "ui/wizard/WizardViewBinder.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QTimer>

namespace dravinor::ui {

using wizard::AdaptationEngine;
using wizard::WizardControl;
using wizard::WizardTimer;

WizardController::WizardController(QTabWidget* autoTab, link::SerialPort& port, params::ParameterState& state,
                                   params::ParameterTransfer& transfer, ParameterPages& parameterPages,
                                   Dialogs& dialogs, std::function<QWidget*(const QString&)> liveControl,
                                   QObject* parent)
    : QObject(parent), pages_(new WizardPages(autoTab)), dialogs_(dialogs)
{
    wizard::WizardInputs inputs{[&parameterPages](std::string_view name) {
        return parameterPages.fieldText(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())))
            .toStdString();
    }};
    engine_ = std::make_unique<AdaptationEngine>(port, state, transfer, std::move(inputs));
    binder_ = std::make_unique<WizardViewBinder>(*pages_, parameterPages, std::move(liveControl));
    buildTimers();
    connectControls();
}

WizardController::~WizardController() = default;

void WizardController::buildTimers()
{
    // The timers' objectNames, in WizardTimer's order.
    const char* names[] = {"TimerAAP1",   "TimerAAP2_1", "TimerAAP2_2", "TimerAAP3_1", "TimerAAP3_2",
                           "TimerAAP4_1", "TimerAAP4_2", "TimerAAP4_3", "TimerAAP5_1", "TimerAAP5_2"};
    for (std::size_t i = 0; i < timers_.size(); ++i) {
        auto* timer = new QTimer(this);
        timer->setObjectName(names[i]);
        timer->setInterval(50);
        const auto which = static_cast<WizardTimer>(i);
        connect(timer, &QTimer::timeout, this, [this, which] { run([which](AdaptationEngine& e) { e.tick(which); }); });
        timers_[i] = timer;
    }
}

void WizardController::connectControls()
{
    const auto control = [this](WizardControl which) { return pages_->control(widgetName(which)); };
    // activated and clicked come from the user only (mouse or keys), never
    // from the wizard's own settings of these controls.
    connect(qobject_cast<QComboBox*>(control(WizardControl::IgnitionList)), &QComboBox::activated, this,
            [this](int index) { run([index](AdaptationEngine& e) { e.ignitionChosen(index); }); });
    connect(qobject_cast<QComboBox*>(control(WizardControl::ProbeList)), &QComboBox::activated, this,
            [this](int index) { run([index](AdaptationEngine& e) { e.probeTypeChosen(index); }); });
    connect(qobject_cast<QCheckBox*>(control(WizardControl::TemperatureSensorBox)), &QAbstractButton::clicked, this,
            [this](bool ticked) { run([ticked](AdaptationEngine& e) { e.temperatureSensorClicked(ticked); }); });
    const auto onClick = [&](WizardControl button, void (AdaptationEngine::*handler)()) {
        connect(qobject_cast<QAbstractButton*>(control(button)), &QAbstractButton::clicked, this,
                [this, handler] { run([handler](AdaptationEngine& e) { (e.*handler)(); }); });
    };
    onClick(WizardControl::StartNext, &AdaptationEngine::leaveStep1);
    onClick(WizardControl::TpsPageNext, &AdaptationEngine::leaveTpsAndProbe);
    onClick(WizardControl::FuelSwitch, &AdaptationEngine::fuelSwitchClicked);
    onClick(WizardControl::ReducerNext, &AdaptationEngine::leaveReducer);
    auto* finish = qobject_cast<QAbstractButton*>(control(WizardControl::FinishButton));
    connect(finish, &QAbstractButton::clicked, this, [this] {
        run([](AdaptationEngine& e) { e.finishAdaptation(); });
        stopAllTimers();
        if (finished)
            finished();
    });
}

void WizardController::start()
{
    pages_->showPage(wizard::WizardPage::Start);
    run([](AdaptationEngine& e) { e.initialiseWizard(); });
    pages_->control(widgetName(WizardControl::IgnitionList))->setFocus(Qt::OtherFocusReason);
}

bool WizardController::next()
{
    // The page is read afresh; every step disables the next page's button,
    // so one press moves at most one page on.
    QAbstractButton* button = pages_->nextButton(engine_->view().currentPage());
    if (!button || !button->isEnabled())
        return false;
    button->click();
    return true;
}

void WizardController::stopAllTimers()
{
    engine_->stopAllTimers();
    for (QTimer* timer : timers_)
        timer->stop();
}

void WizardController::applyProbeType(int item)
{
    pages_->applyProbeType(item);
}

void WizardController::showEffects()
{
    binder_->apply(engine_->view());
    binder_->showFigures(engine_->result());
    if (!pages_->showsOnly(engine_->view().currentPage()))
        pages_->showPage(engine_->view().currentPage());
    for (std::size_t i = 0; i < timers_.size(); ++i) {
        const bool enabled = engine_->timerEnabled(static_cast<WizardTimer>(i));
        if (enabled && !timers_[i]->isActive())
            timers_[i]->start();
        else if (!enabled && timers_[i]->isActive())
            timers_[i]->stop();
    }
    showTpsDirection();
    showProbeFailure();
}

void WizardController::showTpsDirection()
{
    // Worded once, when the TPS step finds it, in the words the language
    // file then gives (a new entry forgets it).
    const std::optional<bool> rising = engine_->result().tpsRising;
    if (rising.has_value() == tpsDirectionShown_)
        return;
    tpsDirectionShown_ = rising.has_value();
    if (!rising)
        return;
    if (auto* label = qobject_cast<QLabel*>(pages_->control(widgetName(WizardControl::TpsDirection))))
        label->setText(
            QString::fromStdString(lang::textSlots().text(*rising ? lang::slot::tpsRising : lang::slot::tpsFalling)));
}

void WizardController::redrawTexts()
{
    // The TPS rows' unit labels have no key of their own: they take the language's volts.
    const QString volts = QString::fromStdString(lang::unitText(lang::Unit::Volt));
    for (WizardControl unit : {WizardControl::TpsIdleUnit, WizardControl::TpsThresholdUnit, WizardControl::TpsHighUnit})
        if (auto* label = qobject_cast<QLabel*>(pages_->control(widgetName(unit))))
            label->setText(volts);
    showProbeFailure();
}

void WizardController::showProbeFailure()
{
    const auto& failure = engine_->result().probeFailure;
    if (!failure)
        return;
    if (auto* notice = qobject_cast<QLabel*>(pages_->control(widgetName(WizardControl::FailedProbeNotice))))
        notice->setText(probeFailureNotice(*failure));
    // The engine holds, no timer running, until the fitter answers; the
    // answer's own effects come back here with nothing left to ask.
    if (!engine_->awaitingProbeAnswer() || askingAboutProbe_)
        return;
    askingAboutProbe_ = true;
    const bool goOn = dialogs_.askYesNoDefaultNo(probeFailureQuestion(failure->figures));
    askingAboutProbe_ = false;
    run([goOn](AdaptationEngine& e) { e.probeFailureAnswered(goOn); });
}

}  // namespace dravinor::ui
