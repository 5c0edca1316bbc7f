#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace dravinor::fuzz {

// A broken promise stops the fuzzer, which keeps the input that broke it.
inline void check(bool condition)
{
    if (!condition)
        std::abort();
}

// A folder of this process's own for the files a target writes and reads.
inline const std::filesystem::path& workDirectory()
{
    static const std::filesystem::path dir = [] {
        const auto made = std::filesystem::temp_directory_path() / ("dravinor-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(made);
        return made;
    }();
    return dir;
}

}  // namespace dravinor::fuzz
