#include "DravinorApp.h"
#include "MainWindow.h"
#include "QuitOnSignal.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("dravinor");

    QCommandLineParser parser;
    parser.setApplicationDescription("Service tool for the lambda-controlled LPG mixer controller.");
    parser.addHelpOption();
    const QCommandLineOption demo("demo", "Run against a simulated controller on COM1 (no hardware needed).");
    const QCommandLineOption port("port", "Map a port name to a device, e.g. COM1=/dev/ttyUSB0 (repeatable).",
                                  "COMn=PATH");
    parser.addOption(demo);
    parser.addOption(port);
    parser.process(application);

    std::vector<std::string> assignments;
    for (const QString& value : parser.values(port))
        assignments.push_back(value.toStdString());

    dravinor::app::DravinorApp app;
    std::string error;
    int exitCode = 0;
    if (!app.build(parser.isSet(demo), assignments, error, exitCode)) {
        std::fprintf(stderr, "dravinor: %s\n", error.c_str());
        return exitCode;
    }
    dravinor::app::quitOnTerminationSignals(application);
    app.start();
    return application.exec();
}
