#pragma once

#include <QColor>

#include <cstdint>

namespace dravinor::live {

// Instrument colours are written as 0x00BBGGRR: red in the low byte.
inline QColor bgrColor(std::uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFFu), static_cast<int>((bgr >> 8) & 0xFFu),
                  static_cast<int>((bgr >> 16) & 0xFFu));
}

namespace bgr {
inline constexpr std::uint32_t black = 0x000000;
inline constexpr std::uint32_t red = 0x0000FF;
inline constexpr std::uint32_t green = 0x008000;
inline constexpr std::uint32_t lime = 0x00FF00;
inline constexpr std::uint32_t yellow = 0x00FFFF;
}  // namespace bgr

}  // namespace dravinor::live
