#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dravinor::link {

// The byte a controller answers an identify with: its type in the low four
// bits, its firmware version in the high four. Everything that shows,
// journals or compares an identity takes it apart here.
class ControllerIdentity {
public:
    constexpr explicit ControllerIdentity(std::uint8_t byte) : byte_(byte) {}

    constexpr std::uint8_t byte() const { return byte_; }
    constexpr int type() const { return byte_ & 0x0F; }
    constexpr int firmware() const { return byte_ >> 4; }

    // The window title's words: "[ " + (" " for types 1 and 2) +
    // "wersja sterownika " + firmware + " ]".
    std::string versionTitle() const;
    // "type/firmware", as the journal keeps it: "1/3".
    std::string journalText() const;

    constexpr bool operator==(const ControllerIdentity&) const = default;

private:
    std::uint8_t byte_;
};

// The journal's text written before it kept the screens' order:
// "firmware/type" ("3/1"), read as the identity it names.
std::optional<ControllerIdentity> identityFromFirmwareFirst(std::string_view text);

}  // namespace dravinor::link
