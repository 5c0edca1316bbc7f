#include "live/LivePage.h"

#include "lang/TextSlots.h"
#include "link/Clock.h"
#include "link/SerialPort.h"
#include "live/LivePictures.h"
#include "live/OscilloscopeGroup.h"
#include "live/ProbeHealthPanel.h"
#include "live/TScope.h"
#include "live/WidgetsBuiltLate.h"
#include "live/widgets/BarThermometer.h"
#include "live/widgets/DialMeter.h"
#include "live/widgets/HalfDialMeter.h"
#include "live/widgets/InstrumentColor.h"
#include "live/widgets/TankGauge.h"
#include "live/widgets/VerticalBar.h"
#include "params/FlagBits.h"
#include "params/ParameterState.h"

#include <QLabel>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace dravinor::live {

LivePage::LivePage(QWidget* page, QTimer* timer, link::SerialPort& port, link::Clock& clock,
                   const params::ParameterState& state)
    : QObject(page), page_(page), timer_(timer), port_(port), clock_(clock), state_(state), poller_(port, clock, state)
{
    connect(timer_, &QTimer::timeout, this, &LivePage::tick);
    page_->installEventFilter(this);  // the first showing builds the widgets
}

void LivePage::build()
{
    if (built_)
        return;
    built_ = true;
    buildWidgets();
    connect(fuelSwitch_, &QToolButton::clicked, this, [this] { poller_.toggleFuel(); });
    connect(oscilloscope_, &OscilloscopeGroup::probeTypeApplied, this, [this](const ProbeTypeSettings& settings) {
        // Rich and lean change sides at the next layout, not now.
        lambdaBar_->setValueFrom(settings.barFrom);
        lambdaBar_->setValueTo(settings.barTo);
    });
    if (saveDialogs_)
        oscilloscope_->setSaveDialogs(*saveDialogs_);
    if (probeType_)
        applyProbeType(*probeType_);
    fuelSwitch_->setEnabled(!replayMode_);
    showWidgetsBuiltLate(page_);
    emit built();
    if (!laidOut_)
        layOutNow();
    // Built on the shown page, the trace went through sizes in its first layout
    // that one built at start-up never showed.
    oscilloscope_->scope()->clearPicture();
}

void LivePage::setTraceSaveDialogs(OscilloscopeGroup::SaveDialogs dialogs)
{
    saveDialogs_ = dialogs;
    if (built_)
        oscilloscope_->setSaveDialogs(std::move(dialogs));
}

// Asking for a part of the page builds it: the page's look is no change a
// caller holding a const page can see.
OscilloscopeGroup& LivePage::oscilloscope() const
{
    const_cast<LivePage*>(this)->build();
    return *oscilloscope_;
}

ProbeHealthPanel& LivePage::probeHealth() const
{
    const_cast<LivePage*>(this)->build();
    return *probeHealth_;
}

QLabel* LivePage::stateLine() const
{
    const_cast<LivePage*>(this)->build();
    return stateLine_;
}

void LivePage::feedProbeHealth(double seconds, const LiveDisplay& display)
{
    probeHealth_->feed(seconds, display.frame, display.rpm, display.settings.lambdaThreshold);
    if (probeHealth_->thresholdShown() != probeHealthPlacedWithNote_)
        placeProbeHealth();
}

bool LivePage::showsStaleReadings() const
{
    return built_ && !staleNotice_->isHidden();
}

void LivePage::markStale(bool stale)
{
    // The panels keep the last good readings, drawn grey while they are old.
    for (QWidget* reading : std::initializer_list<QWidget*>{lambdaPanel_, stepperPanel_, tpsPanel_, rpmPanel_,
                                                            temperaturePanel_, fuelLabel_})
        reading->setEnabled(!stale);
    staleNotice_->setVisible(stale);
    if (stale) {
        // Centred over the trace group, in the gap the layout leaves above it.
        staleNotice_->adjustSize();
        const QRect group = oscilloscope_->geometry();
        const int left = std::max(4, group.center().x() - staleNotice_->width() / 2);
        staleNotice_->move(left, std::max(4, group.top() - staleNotice_->height() - 4));
        staleNotice_->raise();
    }
}

void LivePage::startLiveView(int windowWidth, int windowHeight)
{
    build();
    // The TPS meter's zones: below, around and above the TPS threshold.
    const int top = state_.tpsSectorTop();
    const int width = state_.tpsSectorWidth();
    const auto colours = params::tpsColours(state_.flagByteA());
    tpsMeter_->setSector(0, 0, top - width, bgrColor(colours.lower));
    tpsMeter_->setSectorBounds(1, top - width, top);
    tpsMeter_->setSector(2, top, 1000, bgrColor(colours.upper));
    windowWidth_ = windowWidth;
    windowHeight_ = windowHeight;
    layOutNow();
    timer_->start();
    poller_.restartPhaseTiming();
    lastGoodPollMs_ = clock_.tickMs();
    const bool sensor = state_.flagByteA() & params::flagA::temperatureSensor;
    thermometer_->setVisible(sensor);
    temperaturePanel_->setVisible(sensor);
    emit entered();
}

void LivePage::stopTrace()
{
    if (built_)
        oscilloscope_->scope()->setActive(false);
    emit stopped();
}

void LivePage::showState(const QString& text)
{
    build();
    stateLine_->setText(text);
    stateLine_->adjustSize();
    stateLine_->move(4, page_->height() - stateLine_->height() - 2);
    stateLine_->show();
    stateLine_->raise();
}

void LivePage::setReplayMode(bool replay)
{
    replayMode_ = replay;
    if (!built_)
        return;  // the build sets the fuel switch, and the probe check starts afresh
    fuelSwitch_->setEnabled(!replay);
    probeHealth_->restart();
}

void LivePage::presentRecorded(const params::LiveSample& sample)
{
    build();
    oscilloscope_->setRecordedClock(sample.wallClockMs);
    if (const LiveDisplay display = poller_.present(sample.frame, sample.answered, sample.settings); display.answered) {
        show(display);
        feedProbeHealth(static_cast<double>(sample.timeMs) / 1000.0, display);
    }
}

void LivePage::setTraceRunning(bool running)
{
    build();
    oscilloscope_->scope()->setActive(running && !oscilloscope_->paused());
}

void LivePage::applyProbeType(int item)
{
    probeType_ = item;
    if (!built_)
        return;
    oscilloscope_->applyProbeType(item);
    probeHealth_->setProbeType(item);
}

void LivePage::tick()
{
    if (replayMode_)
        return;
    build();
    if (!port_.controllerConnected()) {
        oscilloscope_->scope()->setActive(false);
        // The adapter was pulled: what the page shows is old from now on.
        if (port_.deviceLost())
            markStale(true);
        emit controllerAbsent();
        return;
    }
    const LiveDisplay display = poller_.poll();
    if (display.answered) {
        show(display);
        feedProbeHealth(clock_.tickMs() / 1000.0, display);
        lastGoodPollMs_ = clock_.tickMs();
        markStale(false);
    } else if (clock_.tickMs() - lastGoodPollMs_ >= staleAfterMs) {
        markStale(true);
    }
    oscilloscope_->scope()->setActive(!oscilloscope_->paused());
    emit polled(display);
    if (port_.deviceLost())
        emit controllerAbsent();
}

void LivePage::redrawTexts()
{
    if (!built_)
        return;  // built in the words of its day
    fuelLabel_->setText(QString::fromStdString(lang::textSlots().text(fuelSlot_)));
    fuelLabel_->adjustSize();
    probeHealth_->redrawTexts();
    // The new language's captions are of other widths, and set fonts of their own.
    layout(windowWidth_, windowHeight_);
}

void LivePage::show(const LiveDisplay& d)
{
    QPalette palette = fuelLabel_->palette();
    palette.setColor(QPalette::WindowText, d.fuelColour);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, Qt::gray);  // while the reading is old
    fuelLabel_->setPalette(palette);
    fuelLabel_->setText(d.fuelText);
    fuelLabel_->adjustSize();
    fuelSlot_ = d.fuelSlot;
    if (d.glyphChanged) {
        fuelSwitch_->setIcon(QIcon(fuelSwitchPicture(d.glyph, page_->devicePixelRatioF())));
        ++fuelPictureLoads_;
    }
    lambdaBar_->setValue(static_cast<float>(d.lambdaByte));
    lambdaPanel_->setText(d.lambdaText);
    if (d.lambdaHigh)
        oscilloscope_->showLowTime(d.lowTimeMs);
    else
        oscilloscope_->showHighTime(d.highTimeMs);
    stepperGauge_->setValue(static_cast<float>(d.stepper));
    stepperPanel_->setText(d.stepperText);
    tpsMeter_->setValue(d.tpsVolts);
    tpsPanel_->setText(d.tpsText);
    rpmMeter_->setValue(static_cast<float>(d.rpm * 0.001));
    rpmPanel_->setText(d.rpmText);
    thermometer_->setVisible(d.temperatureShown);
    temperaturePanel_->setVisible(d.temperatureShown);
    if (d.temperatureShown) {
        thermometer_->setValue(d.temperature);
        temperaturePanel_->setText(d.temperatureText);
    }
    oscilloscope_->feed(d.frame, d.settings.ignitionConstant);
}

}  // namespace dravinor::live
