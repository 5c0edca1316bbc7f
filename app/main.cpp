#include "DravinorApp.h"
#include "LiveCsv.h"
#include "LiveReplayControl.h"
#include "MainWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QMessageBox>

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
    const QCommandLineOption replay("replay", "Play a live recording (CSV) on the live page; no controller is used.",
                                    "FILE.csv");
    parser.addOption(demo);
    parser.addOption(port);
    parser.addOption(replay);
    parser.process(application);

    std::vector<dravinor::params::LiveSample> samples;
    const QString replayFile = parser.value(replay);
    if (parser.isSet(replay)) {
        if (parser.isSet(demo)) {
            std::fprintf(stderr, "dravinor: --replay and --demo exclude each other\n");
            return 1;
        }
        dravinor::params::LiveCsvError error;
        if (!dravinor::params::loadLiveCsv(QFile::encodeName(replayFile).toStdString(), samples, error)) {
            const QString text = dravinor::ui::replayErrorText(replayFile, error);
            std::fprintf(stderr, "dravinor: %s\n", qPrintable(QString(text).replace('\n', ": ")));
            QMessageBox::critical(nullptr, QString(), text);
            return 1;
        }
    }

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
    if (parser.isSet(replay))
        app.window().startReplay(replayFile, std::move(samples));
    else
        app.start();
    return application.exec();
}
