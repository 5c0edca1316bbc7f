#include "Arguments.h"
#include "SetWrites.h"

#include "fields/FieldEncoding.h"
#include "fields/FieldRules.h"
#include "fields/FieldSetting.h"
#include "params/Conversions.h"
#include "params/Encoders.h"
#include "params/FlagBits.h"
#include "params/ParameterTable.h"
#include "params/ParameterWrites.h"

#include <iostream>

namespace dravinor::cli {

using fields::ListField;
using fields::ListRole;
namespace address = params::address;

namespace {

// "0 Cewka na cylinder, 1 Cewka na 2 cylindry, ..."
std::string itemsText(const ListField& field)
{
    const auto items = fields::listItems(field);
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i)
        text += (i == 0 ? "" : ", ") + (field.role == ListRole::FuelOverlap ? "" : std::to_string(i) + " ") + items[i];
    return text;
}

// The page's probe-range question has no one to ask here: it is said.
void warnAboutThreshold(const params::ParameterBlock& block, int probeType)
{
    const fields::TextField& threshold = *fields::findTextField("PRLambda");
    const std::string shown = fields::shownFieldText(threshold, block, 0);
    if (const auto volts = fields::parseFieldNumber(threshold, shown);
        volts && fields::probeThresholdWarning(probeType, *volts))
        std::cerr << "dravinor-cli: warning: the lambda threshold PRLambda " << shown
                  << " V lies outside this probe type's range; set PRLambda to suit it\n";
}

// Every stored period depends on the ignition constant: after a new ignition
// type the RPM words are worked out again from the speeds they stood for,
// as the page does (ungated, as there).
void rewriteRpmWords(SetWrites& writes, const params::ParameterBlock& before, float oldK, float newK)
{
    const auto rpmOf = [&](const char* name) {
        return std::stoi(fields::shownFieldText(*fields::findTextField(name), before, oldK));
    };
    for (const char* name : {"ODPBenzynaGas", "MONGaz", "OSDCutOff"}) {
        const fields::TextField& field = *fields::findTextField(name);
        const std::uint16_t word = fields::encodeFieldValue(field, rpmOf(name), newK).word;
        params::writeWord(writes, field.address, word, params::Gate::Never);
    }
    const int delta = rpmOf("DObrotow");
    // The set was read whole: the switch-over speed is the controller's.
    const auto hysteresis = fields::switchOverHysteresis(rpmOf("ODPBenzynaGas"), false, delta, newK);
    params::writeRpmHysteresis(writes, hysteresis, params::encodeRpmDelta(delta), params::Gate::Never);
}

void writeChoice(SetWrites& writes, const ListField& field, int item, const params::ParameterState& state)
{
    const params::ParameterBlock block = state.block();
    const auto byte = static_cast<std::uint8_t>(item);
    switch (field.role) {
    case ListRole::FlagBit: {
        const fields::FlagField& flag = *fields::findFlagField(field.name);
        const std::uint8_t copy = flag.flag == fields::Flag::A ? state.flagByteA() : state.flagByteB();
        writes.write(fields::flagAddress(flag.flag), params::withBit(copy, flag.mask, item != 0));
        break;
    }
    case ListRole::ProbeType:
    case ListRole::EmulationType: {
        // The probe's list gates on the flag byte, the emulation's on the code.
        const bool probe = field.role == ListRole::ProbeType;
        const int probeType = probe ? item : block.get(address::probeType);
        const int emulation = probe ? block.get(address::emulationType) : item;
        if (probe)
            warnAboutThreshold(block, probeType);
        const params::ProbeSettings settings{
            params::withBit(state.flagByteA(), params::flagA::probeRising, params::probeTypeRising(probeType)),
            params::emulationOutputCode(probeType, emulation), static_cast<std::uint8_t>(probeType),
            static_cast<std::uint8_t>(emulation)};
        params::writeProbeSettings(writes, settings,
                                   probe ? params::ProbeOrder::FlagByteFirst : params::ProbeOrder::CodeFirst,
                                   params::Gate::OnAcknowledge);
        break;
    }
    case ListRole::FuelOverlap: writes.write(address::fuelOverlap, params::encodeFuelOverlap(item)); break;
    case ListRole::Ignition: {
        const float oldK = state.ignitionConstant();
        if (writes.write(address::ignitionType, byte))
            rewriteRpmWords(writes, block, oldK, params::ignitionConstantForItem(item).value_or(oldK));
        break;
    }
    case ListRole::ControllerMode: {
        const auto flags = params::withControllerMode(item, {state.flagByteA(), state.flagByteB()});
        if (writes.write(address::flagByteA, flags.a))
            writes.write(address::flagByteB, flags.b);
        break;
    }
    case ListRole::Inert: break;
    }
}

}  // namespace

int runSetList(CliSession& session, const ListField& field, const std::string& value)
{
    const fields::ListSetting setting = fields::listSetting(field, value);
    if (setting.problem == fields::SettingProblem::StoresNothing)
        return usageError("set", std::string(field.name) + " only shows a value; it stores nothing in the controller");
    if (setting.problem != fields::SettingProblem::None)
        return usageError("set", "'" + value + "' is no item of " + field.name + ": " + itemsText(field));
    if (const int code = connectWhole(session); code != exitSuccess)
        return code;
    SetWrites writes(session);
    writeChoice(writes, field, setting.item, session.state());
    const std::string item = fields::listItems(field)[static_cast<std::size_t>(setting.item)];
    return reportFieldSet(writes, field.name, field.caption, item);
}

}  // namespace dravinor::cli
