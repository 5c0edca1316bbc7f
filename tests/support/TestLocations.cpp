#include "TestLocations.h"

namespace dravinor::testing {

#ifdef DRAVINOR_SOURCE_DIR
const std::string& sourceDir()
{
    static const std::string dir = DRAVINOR_SOURCE_DIR;
    return dir;
}

std::string sourcePath(const std::string& relative)
{
    return sourceDir() + "/" + relative;
}
#endif

#ifdef DRAVINOR_BINARY_DIR
const std::string& binaryDir()
{
    static const std::string dir = DRAVINOR_BINARY_DIR;
    return dir;
}
#endif

#ifdef DRAVINOR_CLI_PATH
const std::string& cliProgram()
{
    static const std::string path = DRAVINOR_CLI_PATH;
    return path;
}
#endif

#ifdef DRAVINOR_SIM_PATH
const std::string& simProgram()
{
    static const std::string path = DRAVINOR_SIM_PATH;
    return path;
}
#endif

}  // namespace dravinor::testing
