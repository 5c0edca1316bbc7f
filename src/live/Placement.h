#pragma once

#include <optional>

namespace dravinor::live {

// Where a layout puts one control; what it leaves empty stays as it is.
struct Placement {
    std::optional<int> left;
    std::optional<int> top;
    std::optional<int> width;
    std::optional<int> height;
    std::optional<int> fontSize;  // points
    bool operator==(const Placement&) const = default;
};

}  // namespace dravinor::live
