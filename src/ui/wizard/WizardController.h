#pragma once

#include "wizard/AdaptationEngine.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <memory>

class QTabWidget;
class QTimer;

namespace dravinor::link {
class SerialPort;
}
namespace dravinor::params {
class ParameterState;
class ParameterTransfer;
}  // namespace dravinor::params

namespace dravinor::ui {

class Dialogs;
class ParameterPages;
class WizardPages;
class WizardViewBinder;

// The auto-adaptation in the window: the engine, its pages in AutoTab, its
// ten 50 ms timers. Every event of the pages (a choice, a click, a tick)
// goes to the engine; afterwards the changed controls are shown and the
// timers follow the engine's. A lambda probe the engine found failed is
// told on the page and the fitter asked whether to go on (No by default).
class WizardController : public QObject {
    Q_OBJECT
public:
    // liveControl finds a control of the live view by name.
    WizardController(QTabWidget* autoTab, link::SerialPort& port, params::ParameterState& state,
                     params::ParameterTransfer& transfer, ParameterPages& parameterPages, Dialogs& dialogs,
                     std::function<QWidget*(const QString&)> liveControl, QObject* parent);
    ~WizardController() override;

    // The confirmed entry: the reset and step 1, the focus in the ignition list.
    void start();
    // F10 on the wizard page: the current page's next button, when enabled,
    // clicked as the mouse clicks it. True when it was clicked.
    bool next();
    // Every wizard timer stops, the engine's included.
    void stopAllTimers();
    // RSLambda's probe type reaches the wizard's lambda bars.
    void applyProbeType(int item);
    // After a change of language: the words of a failed probe's notice.
    void redrawTexts();

    // After KONIEC: the window shows TabPar1 with the focus on PRLambda.
    std::function<void()> finished;

    wizard::AdaptationEngine& engine() { return *engine_; }
    WizardPages& pages() { return *pages_; }
    QTimer* timer(wizard::WizardTimer which) const { return timers_[static_cast<std::size_t>(which)]; }
    // Runs one engine action and shows its effects (tests and the benchmark
    // use it to reach the engine as the window does).
    template <typename Action>
    void run(Action&& action)
    {
        action(*engine_);
        showEffects();
    }

private:
    void buildTimers();
    void connectControls();
    void showEffects();
    // The failed probe's notice, and the question while the engine waits.
    void showProbeFailure();
    // The TPS direction's words on its label, once the TPS step found it.
    void showTpsDirection();

    std::unique_ptr<wizard::AdaptationEngine> engine_;
    WizardPages* pages_;
    std::unique_ptr<WizardViewBinder> binder_;
    Dialogs& dialogs_;
    bool askingAboutProbe_ = false;
    bool tpsDirectionShown_ = false;
    std::array<QTimer*, wizard::wizardTimerCount> timers_{};
};

}  // namespace dravinor::ui
