#pragma once

#include <filesystem>

namespace dravinor::cli {

// The folder the running program lies in, as the window's application
// names it; empty when the system does not say.
std::filesystem::path programFolder();

}  // namespace dravinor::cli
