#pragma once

#include "LivePoller.h"

#include <QObject>

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
class OscilloscopeGroup;
class TankGauge;
class VerticalBar;

// The page "Wizualizacja (F4)": the meters, bars, thermometer, actuator
// gauge, fuel switch and the trace group, fed by the live poll on Timer1.
class LivePage : public QObject {
    Q_OBJECT
public:
    // timer is the window's Timer1; the page polls on its ticks.
    LivePage(QWidget* page, QTimer* timer, link::SerialPort& port, link::Clock& clock,
             const params::ParameterState& state);

    // Page entry: TPS sectors, layout, Timer1 running, phase timers reset,
    // thermometer shown as the sensor setting says.
    void startLiveView(int windowWidth, int windowHeight);
    // Every resize of the window, and page entry.
    void layout(int windowWidth, int windowHeight);
    // Stops the trace (Timer1 is stopped by the window).
    void stopTrace();
    // The lambda displays follow the probe type (RSLambda's item).
    void applyProbeType(int item);

    LivePoller& poller() { return poller_; }
    OscilloscopeGroup& oscilloscope() const { return *oscilloscope_; }
    int fuelPictureLoads() const { return fuelPictureLoads_; }

private:
    void buildWidgets();
    void tick();
    void show(const LiveDisplay& display);
    QLabel* addLabel(const char* name, const QString& text);
    QLabel* addPanel(const char* name);

    QWidget* page_;
    QTimer* timer_;
    link::SerialPort& port_;
    const params::ParameterState& state_;
    LivePoller poller_;
    int windowWidth_ = 933;
    int windowHeight_ = 677;
    int fuelPictureLoads_ = 0;

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
};

}  // namespace dravinor::live
