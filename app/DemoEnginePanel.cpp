#include "DemoEnginePanel.h"

#include "EngineControls.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
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

// The probe models in the panel's order, with the panel's words for them.
struct ProbeChoice {
    sim::ProbeModel model;
    const char* words;
};
constexpr ProbeChoice kProbeChoices[] = {
    {sim::ProbeModel::Healthy, "sprawna"},
    {sim::ProbeModel::Slow, "powolna (zużyta)"},
    {sim::ProbeModel::StuckLean, "stale uboga"},
    {sim::ProbeModel::StuckRich, "stale bogata"},
    {sim::ProbeModel::Disconnected, "odłączona (0 V)"},
    {sim::ProbeModel::Biased, "przesunięta ku bogatej (zła masa)"},
};

QComboBox* makeProbeChoice(sim::ProbeModel current)
{
    auto* box = new QComboBox;
    for (const ProbeChoice& choice : kProbeChoices) {
        box->addItem(QString::fromUtf8(choice.words), static_cast<int>(choice.model));
        if (choice.model == current)
            box->setCurrentIndex(box->count() - 1);
    }
    return box;
}
}  // namespace

DemoEnginePanel::DemoEnginePanel(sim::EngineControls& car, QWidget* owner)
    : QWidget(owner, Qt::Window), car_(car), fitter_(new QCheckBox(QStringLiteral("wirtualny mechanik"))),
      startStop_(new QPushButton), throttle_(makeSlider(0, 100, 0)), screw_(makeSlider(-100, 100, 0)),
      probe_(makeProbeChoice(car.engineView().probeModel)), readout_(new QLabel)
{
    setObjectName("DemoEnginePanel");
    setWindowTitle(QStringLiteral("Symulowany silnik (demo)"));
    readout_->setTextFormat(Qt::PlainText);
    readout_->setMinimumWidth(260);
    fitter_->setObjectName("virtualFitter");
    startStop_->setObjectName("engineStartStop");
    throttle_->setObjectName("throttle");
    screw_->setObjectName("reducerScrew");
    probe_->setObjectName("probeModel");

    auto* controls = new QFormLayout;
    // Captions above their controls: a narrow panel fits beside the window
    // on a 1024-pixel screen.
    controls->setRowWrapPolicy(QFormLayout::WrapAllRows);
    controls->addRow(QStringLiteral("Silnik"), startStop_);
    controls->addRow(QStringLiteral("Przepustnica"), throttle_);
    controls->addRow(QStringLiteral("Śruba reduktora (uboga – bogata)"), screw_);
    controls->addRow(QStringLiteral("Sonda lambda samochodu"), probe_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fitter_);
    layout->addLayout(controls);
    layout->addWidget(readout_);

    connect(startStop_, &QPushButton::clicked, this, [this] {
        car_.setEngineRunning(!car_.engineView().running);
        refresh();
    });
    connect(throttle_, &QSlider::valueChanged, this, [this](int value) { car_.setThrottle(value / 100.0); });
    connect(screw_, &QSlider::valueChanged, this, [this](int value) { car_.setReducerScrew(value / 100.0); });
    connect(probe_, &QComboBox::currentIndexChanged, this,
            [this](int index) { car_.setProbeModel(static_cast<sim::ProbeModel>(probe_->itemData(index).toInt())); });
    connect(fitter_, &QCheckBox::toggled, this, [this](bool on) {
        car_.setFitterEnabled(on);
        refresh();
    });
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &DemoEnginePanel::refresh);
    timer->start(250);
    refresh();
}

void DemoEnginePanel::narrowTo(int width)
{
    narrow_ = true;
    const int inside = width - layout()->contentsMargins().left() - layout()->contentsMargins().right();
    for (QSlider* slider : {throttle_, screw_})
        slider->setMinimumWidth(inside);
    fitter_->setText(QStringLiteral("wirtualny\nmechanik"));
    readout_->setMinimumWidth(0);
    readout_->setWordWrap(true);
    for (QLabel* caption : findChildren<QLabel*>())
        caption->setWordWrap(true);
    probe_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    probe_->setMinimumContentsLength(8);
    probe_->view()->setMinimumWidth(probe_->view()->sizeHintForColumn(0));
    refresh();
    setFixedWidth(width);
    adjustSize();
}

void DemoEnginePanel::refresh()
{
    const auto engine = car_.engineView();
    startStop_->setText(engine.running ? QStringLiteral("Zatrzymaj") : QStringLiteral("Uruchom"));
    // While the fitter works the car the controls show what he does.
    {
        const QSignalBlocker fitterQuiet(fitter_);
        const QSignalBlocker throttleQuiet(throttle_);
        const QSignalBlocker screwQuiet(screw_);
        fitter_->setChecked(engine.fitterEnabled);
        throttle_->setValue(qRound(engine.throttle * 100));
        screw_->setValue(qRound(engine.reducerScrew * 100));
    }
    for (QWidget* control :
         {static_cast<QWidget*>(startStop_), static_cast<QWidget*>(throttle_), static_cast<QWidget*>(screw_)})
        control->setEnabled(!engine.fitterEnabled);
    const QString fitterLine =
        engine.fitterEnabled ? QStringLiteral("\nmechanik: %1").arg(QString::fromUtf8(engine.fitterStage)) : QString();
    // A narrow panel has a line for each reading.
    const QString apart = narrow_ ? QStringLiteral("\n") : QStringLiteral("   ");
    readout_->setText(QStringLiteral("%1 RPM%7płyn %2 °C\nsilnik krokowy %3%7sonda %4 V%7%5%6")
                          .arg(qRound(engine.rpm))
                          .arg(engine.coolantC, 0, 'f', 0)
                          .arg(qRound(engine.stepper))
                          .arg(engine.probeVolts, 0, 'f', 2)
                          .arg(engine.onGas ? QStringLiteral("gaz") : QStringLiteral("benzyna"))
                          .arg(fitterLine)
                          .arg(apart));
}

}  // namespace dravinor::app
