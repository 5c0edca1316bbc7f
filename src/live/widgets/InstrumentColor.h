#pragma once

#include <QColor>

#include <cstdint>

namespace dravinor::live {

// The instruments' colours.
namespace colour {
inline constexpr QRgb black = 0x000000;
inline constexpr QRgb red = 0xFF0000;
inline constexpr QRgb green = 0x008000;
inline constexpr QRgb lime = 0x00FF00;
inline constexpr QRgb yellow = 0xFFFF00;
}  // namespace colour

// Colours kept as 0x00BBGGRR, red in the low byte (the TPS sectors' colours
// the parameters give, the wizard's), turned into Qt's where they arrive.
inline QColor bgrColor(std::uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFFu), static_cast<int>((bgr >> 8) & 0xFFu),
                  static_cast<int>((bgr >> 16) & 0xFFu));
}

// The instruments' colours as 0x00BBGGRR, for the wizard's pages.
namespace bgr {
inline constexpr std::uint32_t black = 0x000000;
inline constexpr std::uint32_t red = 0x0000FF;
inline constexpr std::uint32_t green = 0x008000;
inline constexpr std::uint32_t lime = 0x00FF00;
inline constexpr std::uint32_t yellow = 0x00FFFF;
}  // namespace bgr

}  // namespace dravinor::live
