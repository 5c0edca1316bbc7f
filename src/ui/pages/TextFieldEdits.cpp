#include "ui/language/SlotText.h"
#include "ui/pages/FieldEdits.h"

#include "params/FieldDisplay.h"
#include "params/ParameterState.h"
#include "params/ParameterTable.h"
#include "params/ParameterTransfer.h"
#include "params/ParameterWrites.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/pages/UnreadFieldMarks.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>
#include <string_view>

namespace dravinor::ui {

using namespace fields;
namespace address = params::address;

EncodedValue FieldEdits::encodeText(const TextField& field, const QString& text) const
{
    // An empty (or unreadable) entry text stands for the field's default.
    auto value = parseFieldText(field, text);
    if (!value)
        value = parseFieldText(field, QString::fromStdString(emptyTextFor(field, w_.list("RSLambda")->currentIndex())));
    return encodeValue(field, value.value_or(0.0), services_.state.ignitionConstant());
}

std::optional<int> FieldEdits::otherFieldValue(const char* name) const
{
    if (const auto value = parseInteger(w_.text(name)->text()))
        return std::clamp(*value, 0, 255);
    return std::nullopt;
}

void FieldEdits::fillEmptyPartner(const TextField& field)
{
    if (!field.partner)
        return;
    QLineEdit* partner = w_.text(field.partner);
    // A partner without a value stays without one: a default is no reading.
    if (partner->text().isEmpty() && !isMarkedUnread(partner))
        partner->setText(QString::fromStdString(emptyTextFor(*findTextField(field.partner), 0)));
}

bool FieldEdits::writeHysteresis(params::Gate gate, std::uint8_t delta)
{
    // The hysteresis follows both RPM texts as they stand.
    QLineEdit* switchOver = w_.text("ODPBenzynaGas");
    const int deltaRpm = parseInteger(w_.text("DObrotow")->text()).value_or(100 * delta);
    const auto hysteresis = switchOverHysteresis(parseInteger(switchOver->text()), isMarkedUnread(switchOver), deltaRpm,
                                                 services_.state.ignitionConstant());
    params::TransferWriter writer(services_.transfer);
    return params::writeRpmHysteresis(writer, hysteresis, delta, gate);
}

// Leaving a field rewrites it, changed or not: tabbing through the page
// sends every parameter again.
int FieldEdits::textFieldLeft(const TextField& field, QLineEdit* edit)
{
    // A field without a value that the fitter left empty writes nothing: a
    // default written there would overwrite the controller's own value.
    if (isMarkedUnread(edit) && edit->text().isEmpty())
        return 0;
    const QString entry = entryTexts_.value(edit);
    auto encoded = takeEntry(field, edit, entry);
    if (!encoded)
        return 0;
    keepRangeOrder(field, edit, *encoded);
    const int focusMoves = askRangeWarnings(field, edit, entry, *encoded);

    // A question answered No took an unread field back to no value.
    if (isMarkedUnread(edit) && edit->text().isEmpty())
        return 0;

    if (!writeTextField(field, *encoded)) {
        edit->setText(entry);
        // The maximum-RPM field has never told its own failure.
        if (field.encoding != Encoding::MaxRpmOnGas)
            reportFailure(1);
    } else {
        // The fitter chose the value and the controller took it.
        clearUnreadMark(edit);
    }
    return focusMoves;
}

EncodedValue FieldEdits::declineEntry(const TextField& field, QLineEdit* edit, const QString& entry)
{
    edit->setText(entry);
    return encodeText(field, entry);
}

std::optional<EncodedValue> FieldEdits::takeEntry(const TextField& field, QLineEdit* edit, const QString& entry)
{
    if (edit->text().isEmpty()) {
        edit->setText(QString::fromStdString(emptyTextFor(field, w_.list("RSLambda")->currentIndex())));
        fillEmptyPartner(field);
        return encodeText(field, edit->text());
    }
    const auto typed = parseFieldText(field, edit->text());
    if (!typed) {
        services_.dialogs.showConversionError(edit->text());
        return std::nullopt;
    }
    EncodedValue encoded;
    // The probe's range is judged on what was typed, before any rounding.
    const bool lambdaThreshold = field.encoding == Encoding::LambdaThreshold;
    const int question = lambdaThreshold ? probeThresholdWarning(w_.list("RSLambda")->currentIndex(), *typed) : 0;
    if (question && !services_.dialogs.askYesNo(slotText(question))) {
        encoded = declineEntry(field, edit, entry);
    } else {
        encoded = encodeValue(field, *typed, services_.state.ignitionConstant());
        edit->setText(encoded.shown);
    }
    // The emulation times fill an empty partner whenever either is left;
    // the working ranges only when the field itself was left empty.
    if (field.pair == Pair::FillsOnly || std::string_view(field.name) == "ESLambda_2")
        fillEmptyPartner(field);
    return encoded;
}

void FieldEdits::keepRangeOrder(const TextField& field, QLineEdit* edit, EncodedValue& encoded)
{
    if (field.pair != Pair::Lower && field.pair != Pair::Upper)
        return;
    QLineEdit* partner = w_.text(field.partner);
    const auto partnerValue = isMarkedUnread(partner)
                                  ? std::nullopt
                                  : std::optional(encodeText(*findTextField(field.partner), partner->text()).value);
    if (takesPartnersValue(field, encoded.value, partnerValue)) {
        edit->setText(partner->text());
        encoded = encodeText(field, edit->text());
    }
}

int FieldEdits::askRangeWarnings(const TextField& field, QLineEdit* edit, const QString& entry, EncodedValue& encoded)
{
    const std::string_view name(field.name);
    int focusMoves = 0;
    for (const RangeWarning& warning : rangeWarnings()) {
        if (warning.field != name)
            continue;
        const auto other = warning.other ? otherFieldValue(warning.other) : std::nullopt;
        if (!warningHolds(warning, encoded.value, other))
            continue;
        if (!services_.dialogs.askYesNo(slotText(warning.textSlot)))
            encoded = declineEntry(field, edit, entry);
        if (warning.movesFocus)
            ++focusMoves;
    }
    return focusMoves;
}

bool FieldEdits::writeTextField(const TextField& field, const EncodedValue& encoded)
{
    if (isWordField(field))
        // The low byte only follows an acknowledged high byte.
        return writeWord(field.address, encoded.word, params::Gate::OnAcknowledge);
    if (field.encoding == Encoding::RpmDelta)
        return writeHysteresis(params::Gate::OnAcknowledge, encoded.byte);
    return write(field.address, encoded.byte);
}

}  // namespace dravinor::ui
