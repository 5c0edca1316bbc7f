#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

namespace dravinor::sim {
class EngineControls;
}

namespace dravinor::app {

// The demo's stand-in for the car: start and stop the engine, move the
// throttle and turn the reducer screw of the simulated controller's engine,
// or leave all that to the virtual fitter, who follows the tool's
// auto-adaptation; give the car a healthy or a faulty lambda probe, to see
// the probe check judge it. A window of its own beside the tool, never part of it.
class DemoEnginePanel : public QWidget {
    Q_OBJECT
public:
    // With an owner, the panel stays in front of the owner's window.
    explicit DemoEnginePanel(sim::EngineControls& car, QWidget* owner = nullptr);

    // Lays the panel out in a narrow column of the given width (inside the
    // frame): captions and readings on lines of their own, the list's
    // items whole in its drop-down only, so that it stands beside a window
    // on a small screen.
    void narrowTo(int width);

private:
    void refresh();

    sim::EngineControls& car_;
    QCheckBox* fitter_;
    QPushButton* startStop_;
    QSlider* throttle_;
    QSlider* screw_;
    QComboBox* probe_;
    QLabel* readout_;
    bool narrow_ = false;
};

}  // namespace dravinor::app
