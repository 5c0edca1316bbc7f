#include "RunCli.h"

#include "Arguments.h"
#include "CliOptions.h"
#include "CliSession.h"
#include "Commands.h"
#include "DravinorVersion.h"

#include <iostream>

namespace dravinor::cli {

int runCli(int argc, char** argv, const params::SessionWiring& wiring)
{
    CliOptions options;
    std::string error;
    if (!parseCommandLine(argc, argv, options, error)) {
        std::cerr << "dravinor-cli: " << error << "\n\n" << usageText;
        return exitUsage;
    }
    const std::string& command = options.command;
    const char* help = commandHelp(command);
    if (options.help) {
        if (help)
            std::cout << "usage: dravinor-cli [--port PORT]... " << commandUsage(command) << "\n\n" << help;
        else
            std::cout << usageText;
        return exitSuccess;
    }
    if (options.version) {
        std::cout << "dravinor-cli " << dravinor::programVersion << "\n";
        return exitSuccess;
    }
    if (!help) {
        std::cerr << "dravinor-cli: unknown command '" << command << "'\n\n" << usageText;
        return exitUsage;
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

    const bool takesNoArguments = command == "ports" || command == "identify" || command == "reset";
    if (takesNoArguments && !options.arguments.empty())
        return usageError(command, command + " takes no arguments, got '" + options.arguments.front() + "'");

    CliSession session(wiring);
    if (!session.init(options))
        return exitUsage;
    if (command == "ports")
        return runPorts(session);
    if (command == "identify")
        return runIdentify(session);
    if (command == "reset")
        return runReset(session);
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

}  // namespace dravinor::cli
