#include "wizard/PanelNumber.h"

#include "params/LiveFrame.h"
#include "params/NumberFormat.h"

#include <array>
#include <charconv>

namespace dravinor::wizard {

namespace {

// The shortest text that reads back as the value: 0.8 -> "0.8", 5 -> "5".
std::string shortest(double value)
{
    std::array<char, 32> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    return {buffer.data(), end};
}

}  // namespace

std::string panelText(const PanelNumber& number, std::string_view decimalSeparator)
{
    switch (number.quantity) {
    case Quantity::EngineSpeed: return params::engineRpmText(static_cast<int>(number.value));
    case Quantity::EngineTemperature: return params::formatFixed3(number.value, 0, decimalSeparator);
    case Quantity::ProbeVoltage: return params::formatFixed3(number.value, 2, decimalSeparator);
    case Quantity::ScaleVoltage: break;
    }
    return shortest(number.value) + " V";
}

}  // namespace dravinor::wizard
