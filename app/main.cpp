#include "ControllerSession.h"
#include "DemoEnginePanel.h"
#include "ControllerSimulator.h"
#include "MainWindow.h"
#include "PortMap.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace dravinor;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("dravinor");

    QCommandLineParser parser;
    parser.setApplicationDescription("Service tool for the lambda-controlled LPG mixer controller.");
    parser.addHelpOption();
    const QCommandLineOption demo("demo", "Run against a simulated controller on COM1 (no hardware needed).");
    const QCommandLineOption port("port", "Map a port name to a device, e.g. COM1=/dev/ttyUSB0 (repeatable).",
                                  "COMn=PATH");
    parser.addOption(demo);
    parser.addOption(port);
    parser.process(app);

    std::vector<std::string> assignments;
    for (const QString& value : parser.values(port))
        assignments.push_back(value.toStdString());

    // The demo controller lives in this process, on a pseudo-terminal.
    std::unique_ptr<sim::ControllerSimulator> simulator;
    if (parser.isSet(demo)) {
        simulator = std::make_unique<sim::ControllerSimulator>();
        std::string error;
        if (!simulator->start(&error)) {
            std::fprintf(stderr, "dravinor: cannot start the simulated controller: %s\n", error.c_str());
            return 2;
        }
        assignments.insert(assignments.begin(), "COM1=" + simulator->slavePath());
    }

    link::PortMap map;
    std::string error;
    const char* environment = simulator ? nullptr : std::getenv("DRAVINOR_PORTS");
    if (!link::buildPortMap(assignments, environment, map, &error)) {
        std::fprintf(stderr, "dravinor: %s\n", error.c_str());
        return 1;
    }
    params::ControllerSession session(std::move(map));
    ui::MainWindow window(session);
    std::unique_ptr<app::DemoEnginePanel> enginePanel;
    if (simulator) {
        enginePanel = std::make_unique<app::DemoEnginePanel>(*simulator);
        // Beside the window where the screen has room, else in its corner.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QPoint corner = window.frameGeometry().topRight() + QPoint(12, 0);
        if (corner.x() + enginePanel->sizeHint().width() > screen.right())
            corner = screen.topLeft();
        enginePanel->move(corner);
        enginePanel->show();
    }
    window.startUp();
    return app.exec();
}
