#include "link/ControllerIdentity.h"

#include <charconv>

namespace dravinor::link {

std::string ControllerIdentity::versionTitle() const
{
    std::string text = "[ ";
    if (type() == 1 || type() == 2)
        text += " ";
    return text + "wersja sterownika " + std::to_string(firmware()) + " ]";
}

std::string ControllerIdentity::journalText() const
{
    return std::to_string(type()) + "/" + std::to_string(firmware());
}

namespace {

std::optional<int> nibble(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty() || value < 0 || value > 15)
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<ControllerIdentity> identityFromFirmwareFirst(std::string_view text)
{
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    const auto firmware = nibble(text.substr(0, slash));
    const auto type = nibble(text.substr(slash + 1));
    if (!firmware || !type)
        return std::nullopt;
    return ControllerIdentity(static_cast<std::uint8_t>(*firmware << 4 | *type));
}

}  // namespace dravinor::link
