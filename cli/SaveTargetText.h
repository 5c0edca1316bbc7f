#pragma once

#include "params/SaveTarget.h"

#include <string>

namespace dravinor::cli {

// Why a save onto target was refused: "it is a FIFO (named pipe), not a
// regular file", "it is a symbolic link to /dev/null, a character device,
// not a regular file". Only for targets that are not savable().
std::string saveRefusalText(const params::SaveTarget& target);

// Says on stderr that `what` ("the report") was not saved at path for what
// holds the name: "dravinor-cli: x.pdf: cannot create the report there: it
// is a FIFO (named pipe), not a regular file; nothing written, it is left
// as it was".
void tellRefusedOutput(const std::string& path, const std::string& what, const params::SaveTarget& target);

// Looks at an output file given with -o before any work is done for it:
// false, told as above, when it is no regular file or new name, or a new
// name in a folder that does not exist.
bool outputAccepted(const std::string& path, const std::string& what);

}  // namespace dravinor::cli
