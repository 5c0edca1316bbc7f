#include "RunCli.h"

int main(int argc, char** argv)
{
    return dravinor::cli::runCli(argc, argv);
}
