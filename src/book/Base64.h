#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dravinor::book {

// Standard base64 (RFC 4648) with padding, for the sets and reports in an exported book.
std::string toBase64(std::span<const std::uint8_t> bytes);
// nullopt for anything but whole, padded standard base64 (no line breaks).
std::optional<std::vector<std::uint8_t>> fromBase64(std::string_view text);

}  // namespace dravinor::book
