#include "params/SetFingerprint.h"

#include <cstdint>
#include <cstdio>

namespace dravinor::params {

std::string parameterSetFingerprint(const ParameterBlock& block)
{
    // FNV-1a, 32 bits: short, stable across versions and platforms.
    std::uint32_t hash = 2166136261u;
    for (int address = ParameterBlock::firstAddress; address <= ParameterBlock::lastAddress; ++address) {
        hash ^= block.get(address);
        hash *= 16777619u;
    }
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(hash));
    return text;
}

}  // namespace dravinor::params
