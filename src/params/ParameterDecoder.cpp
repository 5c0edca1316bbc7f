#include "ParameterDecoder.h"

#include "Conversions.h"
#include "Encoders.h"
#include "FieldDisplay.h"
#include "FlagBits.h"
#include "ItemTexts.h"

#include <array>
#include <string_view>

namespace dravinor::params {

namespace {

template <std::size_t N>
std::string itemText(const std::array<std::string_view, N>& items, int item)
{
    if (item >= 0 && item < static_cast<int>(N))
        return std::string(items[static_cast<std::size_t>(item)]);
    return "(no item " + std::to_string(item) + ")";
}

std::string bitsText(std::uint8_t value)
{
    std::string text;
    for (int bit = 7; bit >= 0; --bit)
        text += (value >> bit) & 1 ? '1' : '0';
    return text;
}

template <std::size_t N>
std::string bitLine(std::uint8_t value, int bit, std::string_view meaning, const std::array<std::string_view, N>& items)
{
    const int set = (value >> bit) & 1;
    return "bit " + std::to_string(bit) + " " + std::string(meaning) + ": " + std::string(items[set]);
}

constexpr std::array<std::string_view, 2> noYes{"no", "yes"};
constexpr std::array<std::string_view, 2> fallingRising{"falling", "rising"};

std::vector<std::string> flagByteALines(std::uint8_t a, std::uint8_t b)
{
    return {
        bitLine(a, 0, "TPS sensor type", tpsTypeItems),
        bitLine(a, 1, "Lambda probe", fallingRising),
        bitLine(a, 2, "RPM signal type", rpmTypeItems),
        bitLine(a, 3, "Temperature sensor used", noYes),
        bitLine(a, 4, "Cut-off used", noYes),
        bitLine(a, 5, "Maximum RPM limit used", noYes),
        bitLine(a, 6, "Controller mode \"Dynamiczna\"", noYes),
        bitLine(a, 7, "Reserve gauge type", reserveGaugeItems),
        "controller mode: " + itemText(controllerModeItems, controllerModeItem(a, b)),
    };
}

std::vector<std::string> flagByteBLines(std::uint8_t b)
{
    return {
        bitLine(b, 0, "Sport driving mode", offOnItems),
        bitLine(b, 1, "Extra actuator opening used", offOnItems),
        bitLine(b, 2, "Controller mode \"Ekonomiczna+Max Otw.\"", noYes),
        "bits 7-3 (kept for the controller): " + bitsText(b).substr(0, 5),
    };
}

std::string withUnit(const std::string& value, std::string_view unit)
{
    return value + " " + std::string(unit);
}

std::string number(int value)
{
    return std::to_string(value);
}

// Bytes above 125 lie past the list's last item, "2,05".
std::string fuelOverlapShown(std::uint8_t raw)
{
    const int item = fuelOverlapItem(raw);
    if (item >= fuelOverlapItemCount)
        return "(no item " + number(item) + ")";
    return withUnit(fuelOverlapItemText(item), "s");
}

}  // namespace

std::vector<DecodedParameter> decodeParameters(const ParameterBlock& block, const AddressSet& unread)
{
    const float k = ignitionConstantForItem(block.get(13)).value_or(initialIgnitionConstant);
    const auto p = [&block](int address) { return block.get(address); };

    std::vector<DecodedParameter> rows;
    const auto add = [&rows](int address, std::string meaning, unsigned raw, std::string shown) {
        rows.push_back({address, address, std::move(meaning), raw, std::move(shown), {}});
    };
    const auto addWord = [&rows, &block](int address, std::string meaning, std::string shown) {
        rows.push_back({address, address + 1, std::move(meaning), block.word(address), std::move(shown), {}});
    };

    add(1, "Lambda probe threshold", p(1), withUnit(shownLambdaThreshold(p(1)), "V"));
    add(2, "TPS threshold", p(2), withUnit(shownTpsThreshold(p(2)), "V"));
    add(3, "Switch-over temperature", p(3), withUnit(number(shownTemperature(p(3))), "°C"));
    add(4, "Actuator start position above TPS", p(4), number(p(4)));
    add(5, "Actuator working range above TPS, maximum", p(5), number(p(5)));
    add(6, "Actuator working range above TPS, minimum", p(6), number(p(6)));
    add(7, "Actuator start position below TPS", p(7), number(p(7)));
    add(8, "Actuator working range below TPS, maximum", p(8), number(p(8)));
    add(9, "Actuator working range below TPS, minimum", p(9), number(p(9)));
    add(10, "Actuator speed above TPS", p(10), number(p(10)));
    add(11, "Actuator speed below TPS", p(11), number(p(11)));
    add(12, "TPS inertia", p(12), withUnit(shownTpsInertia(p(12)), "V"));
    add(13, "Ignition system type", p(13), itemText(ignitionItems, p(13)));
    addWord(14, "Petrol-to-gas switch-over RPM", withUnit(number(shownSwitchOverRpm(block.word(14), k)), "RPM"));
    addWord(16, "Switch-over hysteresis (period units)", number(block.word(16)));
    addWord(18, "Maximum RPM on gas", withUnit(number(shownMaxRpmOnGas(block.word(18), k)), "RPM"));
    add(20, "RPM signal level", p(20), number(p(20)));
    add(21, "Fuel overlap time", p(21), fuelOverlapShown(p(21)));
    addWord(22, "Engine RPM for cut-off", withUnit(number(shownCutOffRpm(block.word(22), k)), "RPM"));
    add(24, "Number of steps for cut-off", p(24), number(p(24)));
    add(25, "TPS threshold for the extra actuator opening", p(25), withUnit(shownExtraOpeningThreshold(p(25)), "V"));
    add(26, "Lambda probe heating time", p(26), withUnit(number(shownHeatingTime(p(26))), "s"));
    add(27, "Emulation output code", p(27), number(p(27)));
    add(28, "Lambda emulation, upper time", p(28), withUnit(shownEmulation(p(28)), "s"));
    add(29, "Lambda emulation, lower time", p(29), withUnit(shownEmulation(p(29)), "s"));
    add(30, "Flag byte B", p(30), bitsText(p(30)));
    rows.back().bits = flagByteBLines(p(30));
    add(31, "Extra actuator opening", p(31), number(p(31)));
    add(32, "Flag byte A", p(32), bitsText(p(32)));
    rows.back().bits = flagByteALines(p(32), p(30));
    // The controller mode takes a bit of flag byte B as well.
    if (unread.test(30))
        rows.back().bits.back() = "controller mode: ? (no answer for flag byte B)";
    add(33, "RPM delta", p(33), withUnit(number(shownRpmDelta(p(33))), "RPM"));
    add(34, "Lambda probe type", p(34), itemText(probeTypeItems, p(34)));
    add(35, "Lambda emulation type", p(35), itemText(emulationTypeItems, p(35)));
    for (auto& row : rows) {
        for (int address = row.address; address <= row.lastAddress; ++address)
            row.unread = row.unread || unread.test(static_cast<std::size_t>(address));
        const bool rpm = row.address == 14 || row.address == 18 || row.address == 22;
        row.ignitionUnread = rpm && unread.test(13);
    }
    return rows;
}

}  // namespace dravinor::params
