#pragma once

#include "params/ParameterBlock.h"

#include <cstdint>
#include <string>

namespace dravinor::cli {

// Reads a parameter file into block, telling on stderr why it could not;
// size, when given, receives the file's size. Returns an exit code.
int loadFile(const std::string& path, params::ParameterBlock& block, std::uintmax_t* size = nullptr);
// Saves block as a parameter file (the previous file kept as its .BAK),
// telling on stderr what became of it. Returns an exit code.
int saveFile(const std::string& path, const params::ParameterBlock& block);
// A warning on stderr for a file that is not 64 bytes long.
void warnAboutSize(const std::string& path, std::uintmax_t size);

}  // namespace dravinor::cli
