#pragma once

#include "params/ParameterBlock.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace dravinor::testing {

using Bytes = std::vector<std::uint8_t>;

// A file's bytes as they lie on disk; none when it cannot be read.
inline Bytes fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A set whose every byte is value: its file is easy to tell from another's.
inline params::ParameterBlock filledBlock(std::uint8_t value)
{
    params::ParameterBlock block;
    block.bytes().fill(value);
    return block;
}

}  // namespace dravinor::testing
