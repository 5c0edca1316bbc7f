#pragma once

#include <cstdint>

namespace dravinor::params {

// Bits of flag byte A (parameter 32).
namespace flagA {
inline constexpr std::uint8_t tpsRising = 1u << 0;
inline constexpr std::uint8_t probeRising = 1u << 1;
inline constexpr std::uint8_t rpmRising = 1u << 2;
inline constexpr std::uint8_t temperatureSensor = 1u << 3;
inline constexpr std::uint8_t cutOff = 1u << 4;
inline constexpr std::uint8_t maxRpmLimit = 1u << 5;
inline constexpr std::uint8_t dynamicMode = 1u << 6;
inline constexpr std::uint8_t reserveGauge90R = 1u << 7;
}  // namespace flagA

// Bits of flag byte B (parameter 30); bits 3-7 belong to the controller.
namespace flagB {
inline constexpr std::uint8_t sportMode = 1u << 0;
inline constexpr std::uint8_t extraOpening = 1u << 1;
inline constexpr std::uint8_t economyMaxOpeningMode = 1u << 2;
inline constexpr std::uint8_t controllerBits = 0xF8;
}  // namespace flagB

constexpr std::uint8_t withBit(std::uint8_t byte, std::uint8_t mask, bool set)
{
    return static_cast<std::uint8_t>(set ? (byte | mask) : (byte & ~mask));
}

// Controller mode items: 0 "Ekonomiczna", 1 "Ekonomiczna+Max Otw.",
// 2 "Dynamiczna". B bit 2 wins when both bits are set.
int controllerModeItem(std::uint8_t flagByteA, std::uint8_t flagByteB);

struct FlagBytes {
    std::uint8_t a = 0;
    std::uint8_t b = 0;
};
// The flag bytes with the mode bits of a chosen item; other bits kept.
// An item outside 0..2 changes nothing.
FlagBytes withControllerMode(int item, FlagBytes flags);

// TPS meter sector colours (0x00BBGGRR): a rising TPS has green below the
// threshold and red above it, a falling one the reverse.
inline constexpr std::uint32_t colourGreen = 0x008000;
inline constexpr std::uint32_t colourRed = 0x0000FF;
struct TpsColours {
    std::uint32_t lower = colourRed;
    std::uint32_t upper = colourGreen;
};
constexpr TpsColours tpsColours(std::uint8_t flagByteA)
{
    return (flagByteA & flagA::tpsRising) ? TpsColours{colourGreen, colourRed} : TpsColours{colourRed, colourGreen};
}

}  // namespace dravinor::params
