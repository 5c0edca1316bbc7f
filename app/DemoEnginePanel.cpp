#include "DemoEnginePanel.h"

#include "ControllerSimulator.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

namespace dravinor::app {

namespace {
QSlider* makeSlider(int minimum, int maximum, int value)
{
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setRange(minimum, maximum);
    slider->setValue(value);
    slider->setMinimumWidth(220);
    return slider;
}
}  // namespace

DemoEnginePanel::DemoEnginePanel(sim::ControllerSimulator& simulator)
    : QWidget(nullptr, Qt::Window),
      simulator_(simulator),
      startStop_(new QPushButton),
      throttle_(makeSlider(0, 100, 0)),
      screw_(makeSlider(-100, 100, 0)),
      readout_(new QLabel)
{
    setObjectName("DemoEnginePanel");
    setWindowTitle(QStringLiteral("Symulowany silnik (demo)"));
    readout_->setTextFormat(Qt::PlainText);
    readout_->setMinimumWidth(260);

    auto* controls = new QFormLayout;
    controls->addRow(QStringLiteral("Silnik"), startStop_);
    controls->addRow(QStringLiteral("Przepustnica"), throttle_);
    controls->addRow(QStringLiteral("Śruba reduktora (uboga – bogata)"), screw_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(readout_);

    connect(startStop_, &QPushButton::clicked, this, [this] {
        simulator_.setEngineRunning(!simulator_.engineView().running);
        refresh();
    });
    connect(throttle_, &QSlider::valueChanged, this, [this](int value) { simulator_.setThrottle(value / 100.0); });
    connect(screw_, &QSlider::valueChanged, this, [this](int value) { simulator_.setReducerScrew(value / 100.0); });
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &DemoEnginePanel::refresh);
    timer->start(250);
    refresh();
}

void DemoEnginePanel::refresh()
{
    const auto engine = simulator_.engineView();
    startStop_->setText(engine.running ? QStringLiteral("Zatrzymaj") : QStringLiteral("Uruchom"));
    readout_->setText(QStringLiteral("%1 RPM   płyn %2 °C\nsilnik krokowy %3   sonda %4 V   %5")
                          .arg(qRound(engine.rpm))
                          .arg(engine.coolantC, 0, 'f', 0)
                          .arg(qRound(engine.stepper))
                          .arg(engine.probeVolts, 0, 'f', 2)
                          .arg(engine.onGas ? QStringLiteral("gaz") : QStringLiteral("benzyna")));
}

}  // namespace dravinor::app
