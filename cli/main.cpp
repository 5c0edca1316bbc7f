#include "Console.h"
#include "RunCli.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> arguments = dravinor::cli::commandLineArguments(argc, argv);
    std::vector<char*> pointers;
    for (std::string& argument : arguments)
        pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    dravinor::cli::printUtf8ToConsole();
    return dravinor::cli::runCli(static_cast<int>(arguments.size()), pointers.data());
}
