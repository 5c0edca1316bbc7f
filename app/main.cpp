#include "DisplayCheck.h"
#include "DravinorApp.h"
#include "DravinorVersion.h"
#include "ParentConsole.h"
#include "QuitOnSignal.h"
#include "params/LiveCsv.h"
#include "params/PathText.h"
#include "ui/language/QtTranslations.h"
#include "ui/recording/ReplayProblem.h"
#include "ui/window/MainWindow.h"
#include "ui/window/ProgramIcon.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Options {
    QCommandLineOption demo{"demo", "Run against a simulated controller on COM1 (no hardware needed)."};
    QCommandLineOption port{"port",
                            "Map a port name to a device, e.g. COM1=/dev/ttyUSB0 (repeatable); adds to "
                            "DRAVINOR_PORTS and wins for a name both give.",
                            "COMn=PATH"};
    QCommandLineOption replay{"replay",
                              "Play a live recording (CSV, from the menu's live recording or dravinor-cli live "
                              "--csv) on the live page; no controller is used. The trace's exported samples are "
                              "no recording.",
                              "FILE.csv"};
};

void describe(QCommandLineParser& parser, const Options& options)
{
    parser.setApplicationDescription("Service tool for the lambda-controlled LPG mixer controller.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(options.demo);
    parser.addOption(options.port);
    parser.addOption(options.replay);
}

// --help and --version answer without a display.
bool asksForTextOnly(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        for (const char* option : {"-h", "--help", "--help-all", "-?", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}

void nameTheProgram()
{
    QCoreApplication::setApplicationName("dravinor");
    QCoreApplication::setApplicationVersion(QString::fromLatin1(dravinor::programVersion));
}

// The recording a replay plays; false, after saying why, when it cannot be read.
bool loadReplay(const QString& file, std::vector<dravinor::params::LiveSample>& samples)
{
    dravinor::params::LiveCsvError error;
    if (dravinor::params::loadLiveCsv(file.toStdString(), samples, error))
        return true;
    // The program starts in Polish: the box, its buttons included, says it in Polish.
    dravinor::ui::useQtTranslation(QStringLiteral("pl"));
    QApplication::setWindowIcon(dravinor::ui::programIcon());
    const auto text = dravinor::ui::replayProblemText(file, error);
    std::fprintf(stderr, "dravinor: %s %s\n", qPrintable(text.text),
                 qPrintable(QString(text.informative).replace('\n', ": ")));
    dravinor::ui::replayProblemBox(text)->exec();
    return false;
}

std::vector<std::string> portAssignments(const QStringList& values)
{
    std::vector<std::string> assignments;
    for (const QString& value : values)
        assignments.push_back(value.toStdString());
    return assignments;
}

}  // namespace

int main(int argc, char** argv)
{
    dravinor::app::reachParentConsole();
    const Options options;
    if (asksForTextOnly(argc, argv)) {
        QCoreApplication application(argc, argv);
        nameTheProgram();
        QCommandLineParser parser;
        describe(parser, options);
        // Printed here rather than by Qt, which shows a message box instead
        // in a Windows GUI program that has no console window of its own,
        // even when the caller gave it somewhere to print (wine from a
        // terminal, a pipe started without the standard-handles flag).
        if (parser.parse(QCoreApplication::arguments()) && !parser.isSet(QStringLiteral("help-all"))) {
            if (parser.isSet(QStringLiteral("help")))
                std::fputs(qPrintable(parser.helpText()), stdout);
            else
                std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                            qPrintable(QCoreApplication::applicationVersion()));
            return 0;
        }
        parser.process(application);  // Qt's own words: --help-all, or what is wrong
        return 0;
    }

    // Without a display Qt would abort; say so in one line instead.
    dravinor::app::DisplayOpenGuard displayGuard;
    if (!dravinor::app::prepareForDisplay(argc, argv, displayGuard))
        return 1;
    QApplication application(argc, argv);
    displayGuard.release();
    nameTheProgram();
    QCommandLineParser parser;
    describe(parser, options);
    parser.process(application);

    std::vector<dravinor::params::LiveSample> samples;
    const QString replayFile = parser.value(options.replay);
    if (parser.isSet(options.replay)) {
        if (parser.isSet(options.demo)) {
            std::fprintf(stderr, "dravinor: --replay and --demo exclude each other\n");
            return 1;
        }
        if (!loadReplay(replayFile, samples))
            return 1;
    }

    const std::vector<std::string> assignments = portAssignments(parser.values(options.port));
    dravinor::app::DravinorApp app;
    using Mode = dravinor::app::DravinorApp::Mode;
    const Mode mode = parser.isSet(options.demo)
                          ? dravinor::app::DravinorApp::demoMode(std::getenv("DRAVINOR_DEMO_LINE"))
                          : Mode::Controllers;
    const auto built = app.build(mode, assignments);
    if (!built.ok) {
        std::fprintf(stderr, "dravinor: %s\n", built.error.c_str());
        return built.exitCode;
    }
    dravinor::app::quitOnTerminationSignals(application);
    if (parser.isSet(options.replay))
        app.window().startReplay(replayFile, std::move(samples));
    else
        app.start();
    // A signal while start-up showed a box: the window closes at once.
    if (dravinor::app::terminationRequested())
        return 0;
    return application.exec();
}
