#pragma once

#include <string>
#include <string_view>

namespace dravinor::wizard {

// What a number on the wizard's pages measures: a live reading in a panel,
// or a mark of the lambda bar's scale.
enum class Quantity {
    EngineSpeed,        // RPM, whole
    EngineTemperature,  // degrees Celsius
    ProbeVoltage,       // the lambda probe's volts
    ScaleVoltage,       // a scale mark of the lambda bar, volts
};

// A number the engine gives a control; the window and the command line word it.
struct PanelNumber {
    Quantity quantity = Quantity::EngineSpeed;
    double value = 0;

    bool operator==(const PanelNumber&) const = default;
};

// The number as the pages show it: an engine speed beyond any engine as
// "∞", the temperature whole and the probe's volts with two decimals (both
// with the decimal separator given), a scale mark with a point and " V"
// ("0.8 V", "5 V") whatever the separator.
std::string panelText(const PanelNumber& number, std::string_view decimalSeparator);

}  // namespace dravinor::wizard
