#pragma once

#include "PtyDemo.h"
#include "params/SessionWiring.h"

#include <memory>
#include <string>
#include <vector>

namespace dravinor::sim {
class ControllerSimulator;
class EngineControls;
class InProcessController;
}  // namespace dravinor::sim
namespace dravinor::params {
class ControllerSession;
}
namespace dravinor::ui {
class MainWindow;
}

namespace dravinor::app {

class DemoEnginePanel;

// The program's parts, built once from its options: in demo mode the
// simulated controller (on a pty, or in the program's own process where
// there are no ptys, as COM1) and its engine panel, then the session and
// the window. The window is not started yet. The session talks
// through the wiring's device, clock and journal (the real ones when empty).
class DravinorApp {
public:
    explicit DravinorApp(params::SessionWiring wiring = {});
    ~DravinorApp();

    // Against the real controllers, or the simulated controller of demo
    // mode: on a pty, or inside the program.
    enum class Mode { Controllers, Demo, InProcessDemo };
    // The demo this system can run: in the program where it has no ptys
    // (Windows), or where DRAVINOR_DEMO_LINE says "in-process".
    static Mode demoMode(const char* demoLineEnvironment);
    // Whether the parts were built; if not, why and the exit code to use.
    struct Built {
        bool ok = true;
        std::string error;
        int exitCode = 0;
    };
    // assignments are --port COMn=PATH; outside demo mode DRAVINOR_PORTS
    // counts too.
    Built build(Mode mode, std::vector<std::string> assignments);

    // Starts the window (connection scan, pages); in demo mode the window,
    // not the engine panel shown before it, then has the keyboard, so that
    // F1..F5 work at once.
    void start();

    ui::MainWindow& window() { return *window_; }
    params::ControllerSession& session() { return *session_; }
    // The simulated controller of demo mode on a pty; null otherwise.
    sim::ControllerSimulator* simulator() { return simulator_.get(); }
    // The simulated controller of the demo inside the program; null otherwise.
    sim::InProcessController* inProcessController() { return inProcess_.get(); }

private:
    params::SessionWiring wiring_;
    PtyDemoController simulator_;
    std::unique_ptr<sim::InProcessController> inProcess_;
    std::unique_ptr<params::ControllerSession> session_;
    std::unique_ptr<ui::MainWindow> window_;
    std::unique_ptr<DemoEnginePanel> enginePanel_;
};

}  // namespace dravinor::app
