#include "Arguments.h"
#include "CliSession.h"
#include "Commands.h"
#include "SetWrites.h"

#include "fields/FieldEncoding.h"
#include "fields/FieldRules.h"
#include "fields/FieldSetting.h"
#include "params/Conversions.h"
#include "params/Encoders.h"
#include "params/FieldDisplay.h"
#include "params/NumberFormat.h"
#include "params/ParameterState.h"
#include "params/ParameterTable.h"
#include "params/ParameterWrites.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iostream>

namespace dravinor::cli {

using fields::FieldValue;
using fields::TextField;

namespace {

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

const TextField* findField(const std::string& name)
{
    if (const TextField* field = fields::findTextField(name))
        return field;
    const auto fields = fields::textFields();
    const auto it =
        std::find_if(fields.begin(), fields.end(), [&](const TextField& f) { return sameName(f.name, name); });
    return it == fields.end() ? nullptr : &*it;
}

// A pair's second field shares its first field's caption.
const char* captionOf(const TextField& field)
{
    for (const TextField& other : fields::textFields())
        if (other.caption && std::string_view(other.label) == field.label)
            return other.caption;
    return field.name;
}

const fields::ListField* findList(const std::string& name)
{
    const auto lists = fields::listFields();
    const auto it = std::find_if(lists.begin(), lists.end(), [&](const auto& f) { return sameName(f.name, name); });
    return it == lists.end() ? nullptr : &*it;
}

bool isCheckBox(const std::string& name)
{
    const auto checks = fields::checkFields();
    return std::any_of(checks.begin(), checks.end(), [&](const auto& f) { return sameName(f.name, name); });
}

// "0,1..4,9 V", as the field writes its numbers.
std::string rangeText(const TextField& field)
{
    const auto limits = fields::fieldLimits(field);
    const int decimals = field.filter == fields::KeyFilter::Decimal ? 3 : 0;
    const auto number = [decimals](double value) {
        std::string text = params::formatDecimalComma(value, decimals);
        // 0,10 reads better as 0,1: drop the zeros a decimal does not need.
        if (decimals > 0) {
            while (text.back() == '0')
                text.pop_back();
            if (text.back() == ',')
                text.pop_back();
        }
        return text;
    };
    const std::string unit(fields::fieldUnit(field));
    return number(limits.low) + ".." + number(limits.high) + (unit.empty() ? "" : " " + unit);
}

std::string shownWithUnit(const TextField& field, const std::string& shown)
{
    const std::string unit(fields::fieldUnit(field));
    return unit.empty() ? shown : shown + " " + unit;
}

// A working range's halves never cross, as on the page: the half that would
// cross takes its partner's value (a partner never read bounds nothing).
void keepRangeOrder(const TextField& field, const params::ParameterState& state, float k, FieldValue& encoded)
{
    if (field.pair != fields::Pair::Lower && field.pair != fields::Pair::Upper)
        return;
    const TextField& partner = *fields::findTextField(field.partner);
    const std::string partnerShown = fields::shownFieldText(partner, state.block(), k);
    const double partnerNumber = fields::parseFieldNumber(partner, partnerShown).value_or(0);
    const int partnerValue = fields::encodeFieldValue(partner, partnerNumber, k).value;
    const bool partnerRead = !state.isUnread(partner.address);
    if (fields::takesPartnersValue(field, encoded.value, partnerRead ? std::optional(partnerValue) : std::nullopt) &&
        encoded.value != partnerValue) {
        std::cerr << "dravinor-cli: " << field.name << " takes " << partner.name << "'s value, " << partnerShown
                  << ": the range's minimum stays at or below its maximum\n";
        encoded = fields::encodeFieldValue(field, partnerNumber, k);
    }
}

void writeField(SetWrites& writes, const TextField& field, const FieldValue& encoded,
                const params::ParameterState& state, float k)
{
    if (fields::isWordField(field)) {
        params::writeWord(writes, field.address, encoded.word, params::Gate::OnAcknowledge);
    } else if (field.encoding == fields::Encoding::RpmDelta) {
        // The hysteresis follows the switch-over speed the controller holds.
        const int switchOverRpm = params::shownSwitchOverRpm(state.block().word(params::address::switchOverRpm), k);
        const auto hysteresis = fields::switchOverHysteresis(
            switchOverRpm, state.isUnread(params::address::switchOverRpm), params::shownRpmDelta(encoded.byte), k);
        params::writeRpmHysteresis(writes, hysteresis, encoded.byte, params::Gate::OnAcknowledge);
    } else {
        writes.write(field.address, encoded.byte);
    }
}

}  // namespace

bool SetWrites::write(params::Address address, std::uint8_t value)
{
    const auto outcome = params::writeWhereItLives(session.transfer(), address, value);
    written += std::string(written.empty() ? "" : ", ") + "address " + std::to_string(address.number()) + " = " +
               std::to_string(value);
    if (outcome.failed()) {
        allAcknowledged = false;
        written += " (not acknowledged)";
    }
    return outcome.eepromAcknowledged;
}

int connectWhole(CliSession& session)
{
    if (const int code = session.connect(OnConnect::ReadParameters); code != exitSuccess)
        return code;
    if (!session.lastRead().complete()) {
        std::cerr << "dravinor-cli: the parameters could not all be read; nothing written\n";
        return exitNoController;
    }
    return exitSuccess;
}

int reportFieldSet(const SetWrites& writes, const std::string& name, const std::string& caption,
                   const std::string& shown)
{
    if (!writes.allAcknowledged && writes.session.port().deviceLost()) {
        // Not the controller's refusal: the adapter is gone, as the other commands say.
        std::cerr << "dravinor-cli: the port went away during the write (adapter unplugged?): " << name << " = "
                  << shown << " not confirmed; written: " << writes.written << '\n';
        return exitNoController;
    }
    if (!writes.allAcknowledged) {
        std::cerr << "dravinor-cli: " << name << " = " << shown << " not acknowledged; written: " << writes.written
                  << '\n';
        return exitNotAcknowledged;
    }
    std::printf("%s (%s) = %s written: %s\n", name.c_str(), caption.c_str(), shown.c_str(), writes.written.c_str());
    return exitSuccess;
}

int runSetField(CliSession& session, const std::string& name, const std::string& valueText, bool clamp)
{
    const TextField* field = findField(name);
    if (!field) {
        if (const fields::ListField* list = findList(name))
            return runSetList(session, *list, valueText);
        if (isCheckBox(name))
            return usageError("set", name + " is a check box: set FIELD VALUE takes the pages' fields and lists; "
                                            "set its flag byte with set ADDR VALUE");
        return usageError("set", "unknown field '" + name + "' (dravinor-cli set --help lists the fields)");
    }
    const fields::TextSetting setting = fields::textSetting(*field, valueText, clamp);
    if (setting.problem == fields::SettingProblem::NotANumber)
        return usageError("set", std::string("value '") + valueText + "' for " + field->name + " is not a number (" +
                                     rangeText(*field) + ")");
    // A slip of the decimal comma must not reach the car as the nearest limit.
    if (setting.problem == fields::SettingProblem::OutOfRange)
        return usageError("set", std::string(field->name) + " " + valueText + " is out of its range " +
                                     rangeText(*field) + "; nothing written (--clamp takes the nearest limit)");
    if (setting.clamped)
        std::cerr << "dravinor-cli: warning: " << field->name << " " << valueText << " out of " << rangeText(*field)
                  << ": clamped\n";

    // The RPM fields need the ignition type, the ranges their partners: read first.
    if (const int code = connectWhole(session); code != exitSuccess)
        return code;
    const auto& block = session.state().block();
    const float k = params::ignitionConstantForItem(block.get(params::address::ignitionType))
                        .value_or(session.state().ignitionConstant());
    FieldValue encoded = fields::encodeFieldValue(*field, setting.number, k);

    keepRangeOrder(*field, session.state(), k, encoded);
    SetWrites writes(session);
    writeField(writes, *field, encoded, session.state(), k);
    return reportFieldSet(writes, field->name, captionOf(*field), shownWithUnit(*field, encoded.shown));
}

}  // namespace dravinor::cli
