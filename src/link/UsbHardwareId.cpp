#include "link/UsbHardwareId.h"

#include <cctype>

namespace dravinor::link {

namespace {

// The four hex digits after "VID_" or "PID_", wherever the field stands and
// in whatever case; empty when it is missing or not four hex digits.
std::string fieldOf(std::string_view id, std::string_view field)
{
    for (std::size_t at = 0; at + field.size() + 4 <= id.size(); ++at) {
        bool matches = at == 0 || id[at - 1] == '\\' || id[at - 1] == '&' || id[at - 1] == '+';
        for (std::size_t i = 0; matches && i < field.size(); ++i)
            matches = std::toupper(static_cast<unsigned char>(id[at + i])) == field[i];
        if (!matches)
            continue;
        std::string digits;
        for (std::size_t i = 0; i < 4; ++i) {
            const auto c = static_cast<unsigned char>(id[at + field.size() + i]);
            if (!std::isxdigit(c))
                return {};
            digits += static_cast<char>(std::tolower(c));
        }
        const std::size_t end = at + field.size() + 4;
        if (end < id.size() && std::isxdigit(static_cast<unsigned char>(id[end])))
            return {};
        return digits;
    }
    return {};
}

}  // namespace

UsbAdapter usbAdapterOfHardwareId(std::string_view hardwareId)
{
    UsbAdapter adapter;
    std::string vendor = fieldOf(hardwareId, "VID_");
    std::string product = fieldOf(hardwareId, "PID_");
    if (!vendor.empty() && !product.empty()) {
        adapter.vendorId = std::move(vendor);
        adapter.productId = std::move(product);
    }
    return adapter;
}

}  // namespace dravinor::link
