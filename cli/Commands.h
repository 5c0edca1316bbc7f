#pragma once

#include "CliOptions.h"

namespace dravinor::cli {

class CliSession;

// Each returns the process exit code.
int runPorts(CliSession& session);
int runIdentify(CliSession& session);
int runRead(CliSession& session, const CliOptions& options);
int runWrite(CliSession& session, const CliOptions& options);
int runSet(CliSession& session, const CliOptions& options);
int runReset(CliSession& session);
int runLive(CliSession& session, const CliOptions& options);
int runAdapt(CliSession& session, const CliOptions& options);
int runShow(const CliOptions& options);
int runDefaults(const CliOptions& options);
int runJournal(const CliOptions& options);

}  // namespace dravinor::cli
