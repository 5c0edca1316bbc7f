#include "ui/language/SlotText.h"
#include "ui/pages/FieldEdits.h"
#include "ui/pages/PageDisplay.h"
#include "ui/pages/PageHints.h"

#include "params/Encoders.h"
#include "params/ParameterState.h"
#include "params/ParameterTable.h"
#include "params/ParameterTransfer.h"
#include "params/ParameterWrites.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/pages/TypedText.h"
#include "ui/pages/UnreadFieldMarks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace dravinor::ui {

using namespace fields;
namespace address = params::address;

void FieldEdits::listChosen(const ListField& field)
{
    switch (field.role) {
    case ListRole::FlagBit: flagFieldChanged(*findFlagField(field.name)); break;
    case ListRole::ProbeType: probeTypeChanged(); break;
    case ListRole::EmulationType: emulationTypeChanged(); break;
    case ListRole::FuelOverlap: fuelOverlapWritten(); break;
    case ListRole::Ignition: ignitionChanged(); break;
    case ListRole::ControllerMode: controllerModeChanged(); break;
    case ListRole::Inert: break;
    }
    display_.refreshUnreadMarks();
}

void FieldEdits::flagFieldChanged(const FlagField& field)
{
    if (field.clickHint != noHint)
        hints_.show(pageOfGroup(field.clickHintGroup), field.clickHint, field.clickHintGroup);
    setFlagBit(field, controlValue(field.name) != 0);
    const params::Address address = flagAddress(field.flag);
    const auto& state = services_.state;
    if (!write(address, field.flag == Flag::A ? state.flagByteA() : state.flagByteB())) {
        // The bit goes back with the selection; the dependants never moved.
        QWidget* control = w_.widget(field.name);
        setControlValue(field.name, entrySelections_.value(control, 0));
        setFlagBit(field, controlValue(field.name) != 0);
        reportFailure(field.failureLine);
        return;
    }
    display_.applyDependants(field.name);
}

void FieldEdits::writeProbeSettings(bool probeFirst)
{
    auto& state = services_.state;
    const int probe = w_.list("RSLambda")->currentIndex();
    const int emulation = w_.list("RSYLambda")->currentIndex();
    if (probe < 0 || emulation < 0) {
        writeChosenProbeSetting(probeFirst, probe, emulation);
        return;
    }
    const int code = params::emulationOutputCode(probe, emulation);
    // The probe's list gates on the flag byte, the emulation's on the code.
    params::TransferWriter writer(services_.transfer);
    const params::ProbeSettings settings{state.flagByteA(), static_cast<std::uint8_t>(code),
                                         static_cast<std::uint8_t>(probe), static_cast<std::uint8_t>(emulation)};
    const auto order = probeFirst ? params::ProbeOrder::FlagByteFirst : params::ProbeOrder::CodeFirst;
    if (!params::writeProbeSettings(writer, settings, order, params::Gate::OnAcknowledge)) {
        const char* name = probeFirst ? "RSLambda" : "RSYLambda";
        QComboBox* list = w_.list(name);
        list->setCurrentIndex(entrySelections_.value(list, 0));
        if (probeFirst) {
            state.setFlagByteA(params::withBit(state.flagByteA(), params::flagA::probeRising,
                                               params::probeTypeRising(list->currentIndex())));
            if (services_.applyProbeType)
                services_.applyProbeType(list->currentIndex());
        }
        reportFailure(1);
    }
}

void FieldEdits::writeChosenProbeSetting(bool probeFirst, int probe, int emulation)
{
    // The other list has no value (not read from the controller): only what
    // follows from the chosen one is written, never a code worked out from
    // a list that shows nothing.
    QComboBox* chosen = w_.list(probeFirst ? "RSLambda" : "RSYLambda");
    if (chosen->currentIndex() < 0)
        return;
    auto& state = services_.state;
    const bool acknowledged =
        probeFirst ? write(address::flagByteA, state.flagByteA()) : write(address::emulationType, emulation);
    if (!acknowledged) {
        chosen->setCurrentIndex(entrySelections_.value(chosen, -1));
        reportFailure(1);
        return;
    }
    if (probeFirst)
        write(address::probeType, probe);
}

void FieldEdits::probeTypeChanged()
{
    applyProbeRule();
    QComboBox* probe = w_.list("RSLambda");
    const auto threshold = parseDecimal(w_.text("PRLambda")->text());
    const int question = threshold ? probeThresholdWarning(probe->currentIndex(), *threshold) : 0;
    if (question && !services_.dialogs.askYesNo(slotText(question)))
        probe->setCurrentIndex(entrySelections_.value(probe, 0));
    auto& state = services_.state;
    state.setFlagByteA(
        params::withBit(state.flagByteA(), params::flagA::probeRising, params::probeTypeRising(probe->currentIndex())));
    if (services_.applyProbeType)
        services_.applyProbeType(probe->currentIndex());
    writeProbeSettings(true);
}

void FieldEdits::emulationTypeChanged()
{
    applyProbeRule();
    auto& state = services_.state;
    // A probe type without a value gives no direction.
    if (const int probe = w_.list("RSLambda")->currentIndex(); probe >= 0)
        state.setFlagByteA(
            params::withBit(state.flagByteA(), params::flagA::probeRising, params::probeTypeRising(probe)));
    writeProbeSettings(false);
}

void FieldEdits::controllerModeChanged()
{
    auto& state = services_.state;
    QComboBox* mode = w_.list("TPSterownika");
    const auto setMode = [&](int item) {
        const auto flags = params::withControllerMode(item, {state.flagByteA(), state.flagByteB()});
        state.setFlagByteA(flags.a);
        state.setFlagByteB(flags.b);
    };
    hints_.showMode(mode->currentIndex());
    setMode(mode->currentIndex());
    if (!write(address::flagByteA, state.flagByteA())) {
        mode->setCurrentIndex(entrySelections_.value(mode, 0));
        setMode(mode->currentIndex());
        hints_.showMode(mode->currentIndex());
        reportFailure(1);
        return;
    }
    write(address::flagByteB, state.flagByteB());
}

void FieldEdits::ignitionChanged()
{
    QComboBox* ignition = w_.list("RUZaplonowego");
    if (!write(address::ignitionType, ignition->currentIndex())) {
        ignition->setCurrentIndex(entrySelections_.value(ignition, 0));
        reportFailure(1);
        return;
    }
    services_.state.setIgnitionConstant(ignition->currentIndex());
    rewriteRpmWords();
}

void FieldEdits::rewriteRpmWords()
{
    // Every stored period depends on the ignition constant: the words are
    // worked out again from what the fields say. These writes tell nothing
    // of their own and do not wait for their high bytes.
    for (const char* name : {"ODPBenzynaGas", "MONGaz", "OSDCutOff"}) {
        const TextField& field = *findTextField(name);
        const auto rpm = parseInteger(w_.text(name)->text());
        if (!rpm)
            continue;
        const EncodedValue encoded = encodeValue(field, *rpm, services_.state.ignitionConstant());
        writeWord(field.address, encoded.word, params::Gate::Never);
    }
    const auto delta = parseInteger(w_.text("DObrotow")->text());
    // A delta not read from the controller is not replaced by a default.
    if (!delta && isMarkedUnread(w_.text("DObrotow")))
        return;
    writeHysteresis(params::Gate::Never, params::encodeRpmDelta(delta.value_or(100)));
}

void FieldEdits::fuelOverlapWritten()
{
    QComboBox* overlap = w_.list("CNPaliw");
    if (overlap->currentIndex() < 0)
        return;
    if (!write(address::fuelOverlap, params::encodeFuelOverlap(overlap->currentIndex())))
        overlap->setCurrentIndex(entrySelections_.value(overlap, 0));
}

}  // namespace dravinor::ui
