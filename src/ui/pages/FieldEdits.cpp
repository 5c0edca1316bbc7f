#include "ui/pages/FieldEdits.h"
#include "ui/language/SlotText.h"

#include "params/ParameterState.h"
#include "params/ParameterTransfer.h"
#include "params/ParameterWrites.h"
#include "ui/pages/PageDisplay.h"
#include "ui/pages/PageHints.h"
#include "ui/pages/UnreadFieldMarks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace dravinor::ui {

using namespace fields;

void FieldEdits::entered(QWidget* field)
{
    const std::string name = field->objectName().toStdString();
    const int page = field->window() && w_.pages[1]->isAncestorOf(field) ? 1 : 0;
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        const TextField* row = findTextField(name);
        hints_.hidePictures();
        hints_.show(page, row->hintSlot, row->group, isMarkedUnread(field));
        entryTexts_.insert(field, edit->text());
        return;
    }
    if (auto* box = qobject_cast<QCheckBox*>(field)) {
        hints_.hidePictures();
        entrySelections_.insert(field, box->isChecked() ? 1 : 0);
        return;
    }
    const ListField* row = findListField(name);
    if (row->role == ListRole::Inert)
        return;
    hints_.hidePictures();
    if (row->role == ListRole::ControllerMode) {
        hints_.showMode(w_.list(row->name)->currentIndex());
        if (isMarkedUnread(field))
            hints_.showModeUnread();
    } else {
        hints_.show(page, row->hintSlot, row->hintGroup, isMarkedUnread(field));
    }
    if (row->role == ListRole::ProbeType || row->role == ListRole::EmulationType)
        applyProbeRule();
    entrySelections_.insert(field, w_.list(row->name)->currentIndex());
}

int FieldEdits::left(QWidget* field)
{
    int focusSteps = 0;
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        focusSteps = textFieldLeft(*findTextField(field->objectName().toStdString()), edit);
    else if (field->objectName() == QLatin1String("CNPaliw"))
        fuelOverlapWritten();
    display_.refreshUnreadMarks();
    return focusSteps;
}

void FieldEdits::boxClicked(const FlagField& field)
{
    flagFieldChanged(field);
    display_.refreshUnreadMarks();
}

void FieldEdits::takeStartBits()
{
    // The controlling boxes start unchecked and RObrotow at its first item:
    // the flag bits and the dependants follow them.
    for (const Dependency& dependency : dependencies()) {
        if (!dependency.derivedAtStartUp)
            continue;
        setFlagBit(*findFlagField(dependency.controller), controlValue(dependency.controller) != 0);
        display_.applyDependency(dependency);
    }
}

void FieldEdits::setFlagBit(const FlagField& field, bool set)
{
    auto& state = services_.state;
    if (field.flag == Flag::A)
        state.setFlagByteA(params::withBit(state.flagByteA(), field.mask, set));
    else
        state.setFlagByteB(params::withBit(state.flagByteB(), field.mask, set));
}

int FieldEdits::controlValue(const char* name) const
{
    if (QCheckBox* box = w_.check(name))
        return box->isChecked() ? 1 : 0;
    return w_.list(name)->currentIndex();
}

void FieldEdits::setControlValue(const char* name, int value)
{
    if (QCheckBox* box = w_.check(name))
        box->setChecked(value != 0);
    else
        w_.list(name)->setCurrentIndex(value);
}

void FieldEdits::applyProbeRule()
{
    // A 0,8-1,6 V probe has no square-wave emulation; the next write of the
    // probe settings carries the change.
    const int probe = w_.list("RSLambda")->currentIndex();
    QComboBox* emulation = w_.list("RSYLambda");
    if ((probe == 2 || probe == 3) && emulation->currentIndex() == 0)
        emulation->setCurrentIndex(1);
}

bool FieldEdits::write(params::Address address, int value)
{
    // To the memory the parameter table gives the address.
    params::TransferWriter writer(services_.transfer);
    return writer.write(address, static_cast<std::uint8_t>(value));
}

bool FieldEdits::writeWord(params::Address address, std::uint16_t word, params::Gate gate)
{
    params::TransferWriter writer(services_.transfer);
    return params::writeWord(writer, address, word, gate);
}

void FieldEdits::reportFailure(int line)
{
    if (line != 0 && services_.showStatus)
        services_.showStatus(line, SlotText{lang::slot::cannotWrite});
}

}  // namespace dravinor::ui
