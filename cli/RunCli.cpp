#include "RunCli.h"

#include "Arguments.h"
#include "CliOptions.h"
#include "CliSession.h"
#include "Commands.h"
#include "DravinorVersion.h"

#include <iostream>

namespace dravinor::cli {

namespace {

// The commands that talk to the controller.
int runSessionCommand(const std::string& command, CliSession& session, const CliOptions& options)
{
    if (command == "ports")
        return runPorts(session);
    if (command == "identify")
        return runIdentify(session);
    if (command == "reset")
        return runReset(session, options);
    if (command == "read")
        return runRead(session, options);
    if (command == "write")
        return runWrite(session, options);
    if (command == "set")
        return runSet(session, options);
    if (command == "live")
        return runLive(session, options);
    return runAdapt(session, options);
}

}  // namespace

int runCli(int argc, char** argv, const params::SessionWiring& wiring)
{
    CliOptions options;
    UsageProblem problem;
    if (!parseCommandLine(argc, argv, options, problem))
        return reportUsageProblem(problem, std::cerr);
    const std::string& command = options.command;
    if (options.help) {
        std::cout << helpText(command);
        return exitSuccess;
    }
    if (options.version) {
        std::cout << "dravinor-cli " << dravinor::programVersion << "\n";
        return exitSuccess;
    }
    // Commands that need no controller, or find it themselves.
    if (command == "show")
        return runShow(options);
    if (command == "defaults")
        return runDefaults(options);
    if (command == "diff")
        return runDiff(options, wiring);
    if (command == "journal")
        return runJournal(options, wiring);
    if (command == "report")
        return runReport(options, wiring);
    if (command == "cars")
        return runCars(options);
    if (command == "car")
        return runCar(options, wiring);

    CliSession session(wiring);
    if (!session.init(options))
        return exitUsage;
    const int exitCode = runSessionCommand(command, session, options);
    // Whatever the command's outcome: the writes it made are on the controller.
    session.recordWrites();
    return exitCode;
}

}  // namespace dravinor::cli
