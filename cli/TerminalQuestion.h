#pragma once

#include <string>

namespace dravinor::cli {

// Commands that replace the controller's set ask first when a fitter sits at
// a terminal; a script says --yes, or is refused before anything is sent.
enum class Consent { Given, Declined };

// Prints the question with " [y/N] " and reads one line: only y or yes
// (any case) consents; an empty line or the end of input declines.
Consent askOnTerminal(const std::string& question);

}  // namespace dravinor::cli
