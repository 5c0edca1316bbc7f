#include "CliOptions.h"
#include "Commands.h"
#include "CurrentCarVisit.h"

#include <iostream>

namespace dravinor::cli {

// The Windows build has no SQLite yet: the car book's commands say so.
namespace {

int noCarBook()
{
    std::cerr << "dravinor-cli: the car book is not in this Windows build yet\n";
    return exitUsage;
}

}  // namespace

int runCars(const CliOptions&)
{
    return noCarBook();
}

int runCar(const CliOptions&)
{
    return noCarBook();
}

void recordReadVisit(const params::ParameterBlock&, std::optional<link::ControllerIdentity>) {}
void recordEndSet(const params::ParameterBlock&, std::optional<link::ControllerIdentity>) {}
void recordReport(const std::filesystem::path&) {}

}  // namespace dravinor::cli
