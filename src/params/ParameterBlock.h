#pragma once

#include "params/Address.h"

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>

namespace dravinor::params {

// The controller's 35 one-byte parameters at their addresses 1..35, in a
// 64-byte image. Bytes 0 and 36..63 mean nothing but travel with files.
// 16-bit parameters (14-15, 16-17, 18-19, 22-23) are stored high byte first.
class ParameterBlock {
public:
    static constexpr std::size_t size = 64;
    static constexpr int firstAddress = 1;
    static constexpr int lastAddress = 35;
    static constexpr int count = lastAddress - firstAddress + 1;

    std::uint8_t get(Address address) const { return bytes_.at(address.index()); }
    std::uint8_t get(int address) const { return get(Address(address)); }
    void setParameter(Address address, std::uint8_t value) { bytes_.at(address.index()) = value; }
    std::uint16_t word(Address address) const
    {
        return static_cast<std::uint16_t>(get(address) * 256 + get(address.next()));
    }
    std::uint16_t word(int address) const { return word(Address(address)); }
    void setWord(Address address, std::uint16_t value)
    {
        setParameter(address, static_cast<std::uint8_t>(value >> 8));
        setParameter(address.next(), static_cast<std::uint8_t>(value & 0xFF));
    }

    const std::array<std::uint8_t, size>& bytes() const { return bytes_; }
    std::array<std::uint8_t, size>& bytes() { return bytes_; }

    bool operator==(const ParameterBlock&) const = default;

private:
    std::array<std::uint8_t, size> bytes_{};
};

// A set of parameter addresses, indexed by address (bit 0 unused).
using AddressSet = std::bitset<ParameterBlock::lastAddress + 1>;

}  // namespace dravinor::params
