#pragma once

#include "CliOptions.h"
#include "params/SessionWiring.h"

#include <string>

namespace dravinor::cli {

class CliSession;

// Each returns the process exit code.
int runPorts(CliSession& session);
int runIdentify(CliSession& session);
int runRead(CliSession& session, const CliOptions& options);
int runWrite(CliSession& session, const CliOptions& options);
int runSet(CliSession& session, const CliOptions& options);
int runReset(CliSession& session, const CliOptions& options);
int runLive(CliSession& session, const CliOptions& options);
int runAdapt(CliSession& session, const CliOptions& options);
int runShow(const CliOptions& options);
int runDefaults(const CliOptions& options);
// Exit 0 the same, 1 different, 2 trouble; finds the controller only when asked to read it.
int runDiff(const CliOptions& options, const params::SessionWiring& wiring);
// set FIELD VALUE: a page field by name, its value in the field's units
// (refused outside its range unless clamp), or a list's item.
int runSetField(CliSession& session, const std::string& name, const std::string& value, bool clamp);
int runJournal(const CliOptions& options, const params::SessionWiring& wiring);
// The customer's report as PDF, from the controller or a parameter file.
int runReport(const CliOptions& options, const params::SessionWiring& wiring);
// The car book: search, export and import; one car's visits, its sets, adding it.
int runCars(const CliOptions& options);
int runCar(const CliOptions& options, const params::SessionWiring& wiring);

}  // namespace dravinor::cli
