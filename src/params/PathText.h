#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace dravinor::params {

// A file's name as the UTF-8 text the tool keeps every text in, and back.
// On Windows a path built from a std::string, or its string(), goes through
// the ANSI code page, which turns "Żuk-Жиг.par" into another name; these
// keep every letter on every system.
inline std::filesystem::path pathFromUtf8(std::string_view text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string utf8Text(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

}  // namespace dravinor::params
