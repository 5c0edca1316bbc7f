#include "DravinorApp.h"

#include "DemoEnginePanel.h"
#include "DemoPlacement.h"
#include "InProcessController.h"
#include "InProcessDemoLine.h"
#include "PtyDemo.h"
#include "link/PortMap.h"
#include "params/ControllerSession.h"
#include "ui/window/MainWindow.h"
#include "ui/window/ProgramIcon.h"
#include "ui/window/WindowFit.h"

#include <QApplication>
#include <QScreen>

#include <cstdlib>
#include <string_view>

namespace dravinor::app {

namespace {

constexpr int panelGap = 8;
// A narrower panel would cut its own texts.
constexpr int narrowestPanel = 120;
// The panel's frame, not known before the window manager puts it on.
constexpr int frameAllowance = 4;

QRect availableArea()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

}  // namespace

DravinorApp::DravinorApp(params::SessionWiring wiring) : wiring_(std::move(wiring)) {}

// The window goes before the session it uses, the panel before the simulator.
DravinorApp::~DravinorApp()
{
    enginePanel_.reset();
    window_.reset();
    session_.reset();
    simulator_.reset();
    inProcess_.reset();
}

DravinorApp::Mode DravinorApp::demoMode([[maybe_unused]] const char* demoLineEnvironment)
{
#ifdef _WIN32
    return Mode::InProcessDemo;
#else
    const bool inProcess = demoLineEnvironment && std::string_view(demoLineEnvironment) == "in-process";
    return inProcess ? Mode::InProcessDemo : Mode::Demo;
#endif
}

DravinorApp::Built DravinorApp::build(Mode mode, std::vector<std::string> assignments)
{
    const bool demo = mode != Mode::Controllers;
    std::string error;
    // Nobody reads the frame log here, and a demo may poll all day.
    sim::SimulatorOptions options;
    options.frameLogLimit = 0;
    sim::EngineControls* car = nullptr;
    if (mode == Mode::Demo) {
        PtyDemo onPty = startPtyDemo(options);
        if (!onPty.controller)
            return {false, "cannot start the simulated controller: " + onPty.error, 2};
        assignments.insert(assignments.begin(), "COM1=" + onPty.path);
        car = onPty.car;
        simulator_ = std::move(onPty.controller);
    } else if (mode == Mode::InProcessDemo) {
        inProcess_ = std::make_unique<sim::InProcessController>(options);
        wiring_.device = std::make_shared<InProcessDemoLine>(*inProcess_);
        assignments.insert(assignments.begin(), std::string("COM1=") + InProcessDemoLine::path);
        car = inProcess_.get();
    }
    link::PortMap map;
    const char* environment = demo ? nullptr : std::getenv("DRAVINOR_PORTS");
    if (!link::buildPortMap(assignments, environment, map, &error))
        return {false, error, 1};
    // Both windows of the demo, and every dialog, wear the program's icon.
    QApplication::setWindowIcon(ui::programIcon());
    session_ = std::make_unique<params::ControllerSession>(std::move(map), wiring_);
    window_ = std::make_unique<ui::MainWindow>(*session_);
    if (car) {
        // In front of the window, which may come to lie under it on a
        // screen too narrow for the two side by side.
        enginePanel_ = std::make_unique<DemoEnginePanel>(*car, window_.get());
        // A helper of the window: closing the window ends the program
        // even while the panel is still open.
        enginePanel_->setAttribute(Qt::WA_QuitOnClose, false);
        enginePanel_->show();
        // On a screen too narrow for the smallest window and the panel, the
        // panel becomes a narrow column so that it still stands beside it.
        const int room = availableArea().width() - ui::minimumWindowSize.width() - panelGap;
        if (enginePanel_->frameGeometry().width() > room && room >= narrowestPanel)
            enginePanel_->narrowTo(room - frameAllowance);
        // Beside the window and on screen, both: the window starts where the
        // pair fits, narrower where the screen is narrow.
        const auto placement = placeDemo(availableArea(), ui::initialWindowSize, enginePanel_->frameGeometry().size(),
                                         ui::minimumWindowSize, panelGap);
        window_->setStartFrame(placement.window);
        enginePanel_->move(placement.panel.topLeft());
    }
    return {};
}

void DravinorApp::start()
{
    window_->startUp();
    // Both frames are known now that both windows are shown.
    if (enginePanel_)
        enginePanel_->move(
            panelBeside(availableArea(), window_->frameGeometry(), enginePanel_->frameGeometry().size(), panelGap)
                .topLeft());
    window_->raise();
    window_->activateWindow();
}

}  // namespace dravinor::app
