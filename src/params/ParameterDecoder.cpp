#include "params/ParameterDecoder.h"

#include "lang/ItemTexts.h"
#include "params/Conversions.h"
#include "params/Encoders.h"
#include "params/FieldDisplay.h"
#include "params/FlagBits.h"
#include "params/ParameterTable.h"

#include <array>
#include <string_view>

namespace dravinor::params {

namespace {

using namespace lang;  // the lists' built-in item texts

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
    namespace a = address;
    const float k = ignitionConstantForItem(block.get(a::ignitionType)).value_or(initialIgnitionConstant);
    const auto p = [&block](Address address) { return block.get(address); };

    std::vector<DecodedParameter> rows;
    // Each row in the table's words; a word's raw value is the whole word.
    const auto add = [&rows, &block](Address address, std::string shown) {
        const ParameterRow& row = *parameterAt(address);
        const int last = address.number() + row.width - 1;
        const unsigned raw = row.width == 2 ? block.word(address) : block.get(address);
        rows.push_back({address.number(), last, std::string(row.meaning), raw, std::move(shown), {}});
    };
    const auto volts = [&](Address address, std::string shown) { add(address, withUnit(shown, "V")); };
    const auto plain = [&](Address address) { add(address, number(p(address))); };

    volts(a::lambdaThreshold, shownLambdaThreshold(p(a::lambdaThreshold)));
    volts(a::tpsThreshold, shownTpsThreshold(p(a::tpsThreshold)));
    add(a::switchOverTemperature, withUnit(number(shownTemperature(p(a::switchOverTemperature))), "°C"));
    for (Address address = a::startPositionAboveTps; address <= a::actuatorSpeedBelowTps; address = address.next())
        plain(address);
    volts(a::tpsInertia, shownTpsInertia(p(a::tpsInertia)));
    add(a::ignitionType, itemText(ignitionItems, p(a::ignitionType)));
    add(a::switchOverRpm, withUnit(number(shownSwitchOverRpm(block.word(a::switchOverRpm), k)), "RPM"));
    add(a::switchOverHysteresis, number(block.word(a::switchOverHysteresis)));
    add(a::maxRpmOnGas, withUnit(number(shownMaxRpmOnGas(block.word(a::maxRpmOnGas), k)), "RPM"));
    plain(a::rpmSignalLevel);
    add(a::fuelOverlap, fuelOverlapShown(p(a::fuelOverlap)));
    add(a::cutOffRpm, withUnit(number(shownCutOffRpm(block.word(a::cutOffRpm), k)), "RPM"));
    plain(a::cutOffSteps);
    volts(a::extraOpeningThreshold, shownExtraOpeningThreshold(p(a::extraOpeningThreshold)));
    add(a::heatingTime, withUnit(number(shownHeatingTime(p(a::heatingTime))), "s"));
    plain(a::emulationOutputCode);
    add(a::emulationSecondTime, withUnit(shownEmulation(p(a::emulationSecondTime)), "s"));
    add(a::emulationFirstTime, withUnit(shownEmulation(p(a::emulationFirstTime)), "s"));
    add(a::flagByteB, bitsText(p(a::flagByteB)));
    rows.back().bits = flagByteBLines(p(a::flagByteB));
    plain(a::extraOpening);
    add(a::flagByteA, bitsText(p(a::flagByteA)));
    rows.back().bits = flagByteALines(p(a::flagByteA), p(a::flagByteB));
    // The controller mode takes a bit of flag byte B as well.
    if (unread.test(a::flagByteB.index()))
        rows.back().bits.back() = "controller mode: ? (no answer for flag byte B)";
    add(a::rpmDelta, withUnit(number(shownRpmDelta(p(a::rpmDelta))), "RPM"));
    add(a::probeType, itemText(probeTypeItems, p(a::probeType)));
    add(a::emulationType, itemText(emulationTypeItems, p(a::emulationType)));
    for (auto& row : rows) {
        for (int address = row.address; address <= row.lastAddress; ++address)
            row.unread = row.unread || unread.test(static_cast<std::size_t>(address));
        // An RPM word is shown with K of the ignition type.
        const Address first(row.address);
        const bool rpm = first == a::switchOverRpm || first == a::maxRpmOnGas || first == a::cutOffRpm;
        row.ignitionUnread = rpm && unread.test(a::ignitionType.index());
    }
    return rows;
}

}  // namespace dravinor::params
