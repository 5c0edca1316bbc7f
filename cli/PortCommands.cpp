#include "CliSession.h"
#include "Commands.h"
#include "PortReportText.h"

#include <cstdio>
#include <iostream>

namespace dravinor::cli {

using link::PortMap;

int runPorts(CliSession& session)
{
    for (int i = 0; i < PortMap::portCount; ++i) {
        const std::string& path = session.portMap().devicePath(i);
        std::printf("%-6s %s\n", PortMap::portName(i).c_str(), path.empty() ? "-" : path.c_str());
        if (!path.empty())
            std::fputs(portReportText(link::diagnosePort(path)).c_str(), stdout);
    }
    return exitSuccess;
}

int runIdentify(CliSession& session)
{
    if (const int code = session.connect(OnConnect::IdentifyOnly); code != exitSuccess)
        return code;
    auto& port = session.port();
    const std::string where = session.describePort(port.portName());
    // Only an identity confirmed by lone answers is told, never a byte that
    // happened to be first on the line.
    if (!session.connection().confirmIdentity()) {
        std::cerr << "dravinor-cli: the controller on " << where
                  << " answers, but its identity never came back cleanly (one byte alone); try again\n";
        return exitNoController;
    }
    const link::ControllerIdentity identity = *session.connection().identity();
    std::printf("Controller on %s: type %d, firmware version %d %s\n", where.c_str(), identity.type(),
                identity.firmware(), identity.versionTitle().c_str());
    return exitSuccess;
}

}  // namespace dravinor::cli
