#include "ProgramFolder.h"

#include <system_error>

namespace dravinor::cli {

std::filesystem::path programFolder()
{
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path();
}

}  // namespace dravinor::cli
