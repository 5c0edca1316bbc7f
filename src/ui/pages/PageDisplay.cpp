#include "ui/pages/PageDisplay.h"

#include "fields/UnreadValues.h"
#include "params/Encoders.h"
#include "params/FlagBits.h"
#include "params/ParameterState.h"
#include "params/ParameterTable.h"
#include "ui/pages/TypedText.h"
#include "ui/pages/UnreadFieldMarks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <string_view>

namespace dravinor::ui {

using namespace fields;
namespace address = params::address;

void PageDisplay::showAll()
{
    const auto& unread = services_.state.unreadAddresses();
    for (const char* name : showOrder()) {
        // A value the controller did not give is never shown as one.
        QWidget* field = w_.widget(name);
        if (shownValueUnread(name, unread)) {
            markUnread(field);
            applyDependants(name);
        } else {
            clearUnreadMark(field);
            showField(name);
        }
    }
}

void PageDisplay::refreshUnreadMarks()
{
    // A refused edit went back to its entry value: a field still unread shows none.
    const auto& unread = services_.state.unreadAddresses();
    for (const char* name : showOrder()) {
        QWidget* field = w_.widget(name);
        if (!isMarkedUnread(field))
            continue;
        if (shownValueUnread(name, unread)) {
            markUnread(field);
        } else {
            clearUnreadMark(field);
            showField(name);
        }
    }
}

bool PageDisplay::flagBitSet(const FlagField& field) const
{
    const auto& state = services_.state;
    const std::uint8_t byte = field.flag == Flag::A ? state.flagByteA() : state.flagByteB();
    return (byte & field.mask) != 0;
}

void PageDisplay::applyDependants(const char* controller)
{
    for (const Dependency& dependency : dependencies())
        if (std::string_view(dependency.controller) == controller)
            applyDependency(dependency);
}

void PageDisplay::applyDependency(const Dependency& dependency)
{
    applyDependency(dependency, flagBitSet(*findFlagField(dependency.controller)));
}

void PageDisplay::followControl(const char* controller, bool set)
{
    for (const Dependency& dependency : dependencies())
        if (std::string_view(dependency.controller) == controller)
            applyDependency(dependency, set);
}

void PageDisplay::applyDependency(const Dependency& dependency, bool set)
{
    for (const char* name : dependency.fields) {
        if (!name)
            continue;
        const bool enabled = set == dependency.enabledWhenSet;
        if (QWidget* field = w_.widget(name))
            field->setEnabled(enabled);
        if (QLabel* label = w_.label(findTextField(name)->label))
            label->setEnabled(enabled);
    }
}

int PageDisplay::shownItem(const ListField& field) const
{
    // The list item the parameter block stands for.
    const auto& state = services_.state;
    const auto& block = state.block();
    switch (field.role) {
    case ListRole::ProbeType: return block.get(address::probeType);
    case ListRole::EmulationType: return block.get(address::emulationType);
    case ListRole::Ignition: return block.get(address::ignitionType);
    case ListRole::FuelOverlap: return params::fuelOverlapItem(block.get(address::fuelOverlap));
    case ListRole::ControllerMode: return params::controllerModeItem(state.flagByteA(), state.flagByteB());
    case ListRole::FlagBit: return flagBitSet(*findFlagField(field.name)) ? 1 : 0;
    case ListRole::Inert: break;
    }
    return w_.list(field.name)->currentIndex();
}

void PageDisplay::showField(const char* name)
{
    // One field from the parameter block, with its dependants.
    const auto& state = services_.state;
    if (const TextField* text = findTextField(name)) {
        w_.text(name)->setText(shownText(*text, state.block(), state.ignitionConstant()));
        return;
    }
    if (const ListField* list = findListField(name)) {
        QComboBox* combo = w_.list(name);
        combo->setCurrentIndex(shownItem(*list));
        // A probe type beyond the list (a foreign block) leaves the live view's ranges alone.
        if (list->role == ListRole::ProbeType && services_.applyProbeType && combo->currentIndex() >= 0)
            services_.applyProbeType(combo->currentIndex());
    } else {
        w_.check(name)->setChecked(flagBitSet(*findFlagField(name)));
    }
    applyDependants(name);
}

}  // namespace dravinor::ui
