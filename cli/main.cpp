#include "CliOptions.h"
#include "CliSession.h"
#include "Commands.h"

#include <iostream>

using namespace dravinor::cli;

int main(int argc, char** argv)
{
    CliOptions options;
    std::string error;
    if (!parseCommandLine(argc, argv, options, error)) {
        std::cerr << "dravinor-cli: " << error << "\n\n" << usageText;
        return exitUsage;
    }
    if (options.help) {
        std::cout << usageText;
        return exitSuccess;
    }
    // Commands that need no controller.
    if (options.command == "show")
        return runShow(options);
    if (options.command == "defaults")
        return runDefaults(options);
    if (options.command == "journal")
        return runJournal(options);

    CliSession session;
    if (!session.init(options))
        return exitUsage;
    const std::string& command = options.command;
    const bool noArguments = options.arguments.empty();
    if (command == "ports" && noArguments)
        return runPorts(session);
    if (command == "identify" && noArguments)
        return runIdentify(session);
    if (command == "reset" && noArguments)
        return runReset(session);
    if (command == "read")
        return runRead(session, options);
    if (command == "write")
        return runWrite(session, options);
    if (command == "set")
        return runSet(session, options);
    if (command == "live")
        return runLive(session, options);
    if (command == "adapt")
        return runAdapt(session, options);
    std::cerr << "dravinor-cli: unknown command or arguments: " << command << "\n\n" << usageText;
    return exitUsage;
}
