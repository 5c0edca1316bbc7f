#pragma once

#include "live/LivePoller.h"
#include "live/OscilloscopeGroup.h"

#include <QObject>

#include <cstdint>
#include <optional>

class QLabel;
class QTimer;
class QToolButton;
class QWidget;

namespace dravinor::link {
class SerialPort;
class Clock;
}  // namespace dravinor::link
namespace dravinor::params {
class ParameterState;
}

namespace dravinor::live {

class BarThermometer;
class DialMeter;
class HalfDialMeter;
class ProbeHealthPanel;
class TankGauge;
class VerticalBar;

// The page "Wizualizacja (F4)": the meters, bars, thermometer, actuator
// gauge, fuel switch and the trace group, fed by the live poll on the poll timer.
// Its widgets are built when the page is first shown, or first asked for
// (build()): most runs of the program never open it.
class LivePage : public QObject {
    Q_OBJECT
public:
    // timer is the window's poll timer (its control "Timer1"); the page polls on its ticks.
    LivePage(QWidget* page, QTimer* timer, link::SerialPort& port, link::Clock& clock,
             const params::ParameterState& state);

    // Builds the widgets and lays them out, once; widgets built while the
    // page is on screen appear at once. Every call that needs them makes it.
    void build();
    bool isBuilt() const { return built_; }
    // The trace's save dialogs, handed on to the trace group when it is built.
    void setTraceSaveDialogs(OscilloscopeGroup::SaveDialogs dialogs);

    // Page entry: TPS sectors, layout, the poll timer running, phase timers reset,
    // thermometer shown as the sensor setting says.
    void startLiveView(int windowWidth, int windowHeight);
    // Every resize of the window, and page entry. After layOutWhenShown(), a
    // layout asked while the page is hidden waits for its showing.
    void layout(int windowWidth, int windowHeight);
    // In the window the page is hidden most of the time, and its instruments'
    // layout is the costliest part of a resize or a change of language: it is
    // done when the page is shown, or when layOutIfDue() asks for it.
    void layOutWhenShown();
    void layOutIfDue();
    // Stops the trace (the poll timer is stopped by the window).
    void stopTrace();
    // The lambda displays follow the probe type (RSLambda's item).
    void applyProbeType(int item);

    // A replay feeds recorded polls instead: the poll timer's ticks then leave the
    // port alone and the fuel switch is off.
    void setReplayMode(bool replay);
    bool replayMode() const { return replayMode_; }
    void presentRecorded(const params::LiveSample& sample);
    // The trace runs while a replay plays (and its own pause is off).
    void setTraceRunning(bool running);
    // After a change of language: the fuel state in the new words.
    void redrawTexts();
    // One line in the page's corner for recording and replay states.
    void showState(const QString& text);
    QLabel* stateLine() const;

    // One tick of the poll timer: a poll and its display, or the news that no
    // controller is there. Tests call it directly, in simulated time.
    void tick();

    LivePoller& poller() { return poller_; }
    link::Clock& clock() const { return clock_; }
    // After this long without a good poll the readings are marked old.
    static constexpr std::uint32_t staleAfterMs = 1000;
    bool showsStaleReadings() const;
    OscilloscopeGroup& oscilloscope() const;
    ProbeHealthPanel& probeHealth() const;
    int fuelPictureLoads() const { return fuelPictureLoads_; }

signals:
    // After every poll with its result.
    void polled(const dravinor::live::LiveDisplay& display);
    // A tick without a connected controller (none found, the port closed),
    // or a poll that found the port gone.
    void controllerAbsent();
    // Page entry, and the stop of its timers (any page change, close).
    void entered();
    void stopped();
    // The widgets were just built: the window puts its language's words on them.
    void built();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOutNow();
    void buildWidgets();
    void buildLambdaBar();
    void buildActuator();
    void buildThermometer();
    void buildFuelSwitch();
    void buildMeters();
    void buildTracesAndNotices();
    void placeProbeHealth();
    // The probe check takes a frame; its threshold note coming or going
    // needs another place.
    void feedProbeHealth(double seconds, const LiveDisplay& display);
    void show(const LiveDisplay& display);
    void markStale(bool stale);
    QLabel* addLabel(const char* name, const QString& text);
    QLabel* addPanel(const char* name);

    QWidget* page_;
    QTimer* timer_;
    link::SerialPort& port_;
    link::Clock& clock_;
    const params::ParameterState& state_;
    LivePoller poller_;
    int windowWidth_ = 933;
    int windowHeight_ = 677;
    int fuelPictureLoads_ = 0;
    int fuelSlot_ = 0;  // the text slot of the fuel word shown
    bool replayMode_ = false;
    bool layoutWhenShown_ = false;
    bool layoutDue_ = false;
    bool laidOut_ = false;
    bool built_ = false;
    std::optional<int> probeType_;  // RSLambda's item, once set
    std::optional<OscilloscopeGroup::SaveDialogs> saveDialogs_;

    VerticalBar* lambdaBar_ = nullptr;
    TankGauge* stepperGauge_ = nullptr;
    HalfDialMeter* tpsMeter_ = nullptr;
    DialMeter* rpmMeter_ = nullptr;
    BarThermometer* thermometer_ = nullptr;
    QLabel* lambdaPanel_ = nullptr;
    QLabel* stepperPanel_ = nullptr;
    QLabel* tpsPanel_ = nullptr;
    QLabel* rpmPanel_ = nullptr;
    QLabel* temperaturePanel_ = nullptr;
    QLabel* fuelLabel_ = nullptr;
    QLabel* actuatorPicture_ = nullptr;
    QToolButton* fuelSwitch_ = nullptr;
    OscilloscopeGroup* oscilloscope_ = nullptr;
    QLabel* stateLine_ = nullptr;
    QLabel* staleNotice_ = nullptr;
    ProbeHealthPanel* probeHealth_ = nullptr;
    bool probeHealthPlacedWithNote_ = false;  // room was made for a threshold note
    std::uint32_t lastGoodPollMs_ = 0;
};

}  // namespace dravinor::live
