#pragma once

#include "link/PortReport.h"

#include <string>

namespace dravinor::cli {

// The lines `ports` prints under a port's name: stable name, USB adapter and
// driver, access, holders, and what to do about a problem.
std::string portReportText(const link::PortDiagnosis& diagnosis);

}  // namespace dravinor::cli
