#include "PageEditor.h"
#include "SlotText.h"

#include "ParameterState.h"
#include "ParameterTransfer.h"
#include "ParameterWrites.h"
#include "ReadTexts.h"
#include "UnreadFieldMarks.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <cmath>

namespace dravinor::ui {

using namespace fields;

PageEditor::PageEditor(QWidget* tabPar1, QWidget* tabPar2, PageServices s)
    : services(std::move(s)), w(buildPageWidgets(tabPar1, tabPar2))
{
    for (QLineEdit* edit : std::as_const(w.texts))
        edit->installEventFilter(this);
    for (const ListField& row : listFields()) {
        QComboBox* combo = w.list(row.name);
        combo->installEventFilter(this);
        combo->view()->installEventFilter(this);
        popupOwners.insert(combo->view(), combo);
        // activated, not currentIndexChanged: filling the pages must not write.
        connect(combo, &QComboBox::activated, this, [this, &row] {
            listActivated(row);
            refreshUnreadMarks();
        });
    }
    for (QCheckBox* box : std::as_const(w.checks)) {
        box->installEventFilter(this);
        const FlagField* row = findFlagField(box->objectName().toStdString());
        connect(box, &QAbstractButton::clicked, this, [this, row] {
            flagFieldChanged(*row);
            refreshUnreadMarks();
        });
    }
}

// --- Dependants and hints ---------------------------------------------------

void PageEditor::setFieldEnabled(bool enabled, QWidget* field, QLabel* label)
{
    if (field)
        field->setEnabled(enabled);
    if (label)
        label->setEnabled(enabled);
}

void PageEditor::applyDependency(const Dependency& dependency)
{
    const bool set = flagBitSet(*findFlagField(dependency.controller));
    for (const char* name : dependency.fields)
        if (name)
            setFieldEnabled(set == dependency.enabledWhenSet, w.widget(name),
                            w.label(findTextField(name)->label));
}

void PageEditor::applyDependants(const char* controller)
{
    for (const Dependency& dependency : dependencies())
        if (std::string_view(dependency.controller) == controller)
            applyDependency(dependency);
}

void PageEditor::hideComments()
{
    for (QLabel* picture : w.pictures)
        picture->hide();
}

void PageEditor::fitComment(QLabel* label, int width)
{
    const int height = std::max(label->heightForWidth(width), label->fontMetrics().height());
    label->resize(width, height);
}

void PageEditor::showHint(int page, int slot, int widthGroup, bool unread)
{
    setHintText(page, slot, unread);
    fitComment(w.comments[static_cast<std::size_t>(page)], w.group(widthGroup)->width());
}

void PageEditor::setHintText(int page, int slot, bool unread)
{
    QLabel* label = w.comments[static_cast<std::size_t>(page)];
    // A field without a value says why, below what it is for.
    label->setText(unread ? slotText(slot) + "\n" + slotText(reads::unreadReason) : slotText(slot));
    shownHints[static_cast<std::size_t>(page)] = {slot, label->text(), unread};
}

void PageEditor::redrawHints()
{
    for (int page = 0; page < 2; ++page) {
        const ShownHint& shown = shownHints[static_cast<std::size_t>(page)];
        QLabel* label = w.comments[static_cast<std::size_t>(page)];
        // Left alone when something else has written the label since.
        if (shown.slot == noHint || label->text() != shown.text)
            continue;
        setHintText(page, shown.slot, shown.unread);
        fitComment(label, label->width());
    }
}

void PageEditor::showModeComment(int n)
{
    QLabel* label = w.comments[0];
    fitComment(label, static_cast<int>(std::trunc(w.group(5)->width() / 1.7)));
    for (QLabel* picture : w.pictures)
        picture->move(label->x() + label->width() + 5, label->y());
    if (n < 1 || n > 3)
        return;
    for (int i = 0; i < 3; ++i)
        w.pictures[static_cast<std::size_t>(i)]->setVisible(i == n - 1);
}

void PageEditor::applyProbeRule()
{
    // A 0,8-1,6 V probe has no square-wave emulation; the next write of the
    // probe settings carries the change.
    const int probe = w.list("RSLambda")->currentIndex();
    QComboBox* emulation = w.list("RSYLambda");
    if ((probe == 2 || probe == 3) && emulation->currentIndex() == 0)
        emulation->setCurrentIndex(1);
}

bool PageEditor::flagBitSet(const FlagField& field) const
{
    const auto& state = services.state;
    const std::uint8_t byte = field.flag == Flag::A ? state.flagByteA() : state.flagByteB();
    return (byte & field.mask) != 0;
}

void PageEditor::setFlagBit(const FlagField& field, bool set)
{
    auto& state = services.state;
    if (field.flag == Flag::A)
        state.setFlagByteA(params::withBit(state.flagByteA(), field.mask, set));
    else
        state.setFlagByteB(params::withBit(state.flagByteB(), field.mask, set));
    if (field.mask == params::flagA::tpsRising && field.flag == Flag::A)
        state.setTpsColours(params::tpsColours(state.flagByteA()));
}

int PageEditor::controlValue(const char* name) const
{
    if (QCheckBox* box = w.check(name))
        return box->isChecked() ? 1 : 0;
    return w.list(name)->currentIndex();
}

void PageEditor::setControlValue(const char* name, int value)
{
    if (QCheckBox* box = w.check(name))
        box->setChecked(value != 0);
    else
        w.list(name)->setCurrentIndex(value);
}

// --- Focus and keys -----------------------------------------------------------

bool PageEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == watchedWindow) {
        // The window gives the focus back to its field only after telling it
        // is active, so the waiting steps come after that.
        if (event->type() == QEvent::WindowActivate && pendingFocusSteps > 0)
            QMetaObject::invokeMethod(this, [this] { takeFocusSteps(); }, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        auto* widget = static_cast<QWidget*>(watched);
        if (popupOwners.contains(watched))
            break;
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // A message box or a list's popup takes the keyboard for a while; the
        // field keeps the focus as far as editing is concerned.
        const bool passing = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
        if (event->type() == QEvent::FocusIn) {
            if (!(passing && widget == enteredField))
                fieldEntered(widget);
        } else if (!passing) {
            fieldLeft(widget);
        }
        break;
    }
    case QEvent::Wheel:
        // A list turned by the wheel without the focus would change with no
        // entry selection to go back to: it has to be entered first.
        if (auto* combo = qobject_cast<QComboBox*>(watched); combo && !combo->hasFocus())
            return true;
        break;
    case QEvent::KeyPress:
        if (QComboBox* owner = popupOwners.value(watched)) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key != Qt::Key_Return && key != Qt::Key_Enter)
                break;
            // Enter closes the list without choosing, then acts as in the closed list.
            owner->hidePopup();
            QMetaObject::invokeMethod(
                this, [this, owner] {
                    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                    keyPressed(owner, &enter);
                },
                Qt::QueuedConnection);
            return true;
        }
        return keyPressed(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event));
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void PageEditor::fieldEntered(QWidget* field)
{
    enteredField = field;
    const std::string name = field->objectName().toStdString();
    const int page = field->window() && w.pages[1]->isAncestorOf(field) ? 1 : 0;
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        const TextField* row = findTextField(name);
        hideComments();
        showHint(page, row->hintSlot, row->group, isMarkedUnread(field));
        entryTexts.insert(field, edit->text());
        return;
    }
    if (auto* box = qobject_cast<QCheckBox*>(field)) {
        hideComments();
        entrySelections.insert(field, box->isChecked() ? 1 : 0);
        return;
    }
    const ListField* row = findListField(name);
    if (row->role == ListRole::Inert)
        return;
    hideComments();
    if (row->role == ListRole::ControllerMode) {
        showModeText(w.list(row->name)->currentIndex());
        if (isMarkedUnread(field)) {
            w.comments[0]->setText(slotText(reads::unreadReason));
            fitComment(w.comments[0], w.comments[0]->width());
        }
    } else {
        showHint(page, row->hintSlot, row->hintGroup, isMarkedUnread(field));
    }
    if (row->role == ListRole::ProbeType || row->role == ListRole::EmulationType)
        applyProbeRule();
    entrySelections.insert(field, w.list(row->name)->currentIndex());
}

void PageEditor::fieldLeft(QWidget* field)
{
    if (enteredField == field)
        enteredField = nullptr;
    // A question asked while leaving one field must not leave another.
    if (leaving)
        return;
    leaving = true;
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        textFieldLeft(*findTextField(field->objectName().toStdString()), edit);
    else if (field->objectName() == QLatin1String("CNPaliw"))
        fuelOverlapWritten();
    refreshUnreadMarks();
    leaving = false;
}

bool PageEditor::keyPressed(QWidget* field, QKeyEvent* key)
{
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        // Enter confirms as Page Down does: leaving the field writes it.
        if (enter || key->key() == Qt::Key_PageDown) {
            moveFocus(true);
            return true;
        }
        if (key->key() == Qt::Key_PageUp) {
            moveFocus(false);
            return true;
        }
        const QString typed = key->text();
        if (typed.isEmpty() || !typed.front().isPrint() ||
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            return false;  // navigation and editing keys pass
        const auto passed = filterTyped(findTextField(field->objectName().toStdString())->filter, typed.front());
        if (passed && *passed != typed.front())
            edit->insert(QString(*passed));
        return !passed || *passed != typed.front();
    }
    auto* combo = qobject_cast<QComboBox*>(field);
    if (!combo || !enter)
        return false;
    switch (findListField(field->objectName().toStdString())->enter) {
    case ListEnter::MovesOn:
        moveFocus(true);
        return true;
    case ListEnter::ToAdvancedPage:
        if (services.switchPageQuietly)
            services.switchPageQuietly(1, w.text("BTps"));
        return true;
    case ListEnter::ToBasicPage:
        if (services.switchPageQuietly)
            services.switchPageQuietly(0, w.list("RSLambda"));
        return true;
    case ListEnter::Nothing:
        break;
    }
    return false;
}

void PageEditor::moveFocus(bool forward)
{
    // As if the user pressed Tab or Shift+Tab: the focus follows the real tab order.
    QWidget* target = QApplication::focusWidget();
    if (!target)
        target = w.pages[0]->window();
    QKeyEvent tab(QEvent::KeyPress, forward ? Qt::Key_Tab : Qt::Key_Backtab,
                  forward ? Qt::NoModifier : Qt::ShiftModifier);
    QCoreApplication::sendEvent(target, &tab);
}

void PageEditor::moveFocusLater()
{
    // After a warning the focus moves on once the leaving is over, as a key
    // typed meanwhile would.
    ++pendingFocusSteps;
    QWidget* window = w.pages[0]->window();
    if (watchedWindow != window) {
        watchedWindow = window;
        window->installEventFilter(this);
    }
    QMetaObject::invokeMethod(this, [this] { takeFocusSteps(); }, Qt::QueuedConnection);
}

void PageEditor::takeFocusSteps()
{
    // A step is a Tab for the active window, as the keyboard delivers it. Just
    // after the warning box has gone no window may be active yet; a Tab then
    // would only move the window's focus mark, and the field holding the focus
    // would never be left (nor written), so the steps wait for the activation.
    // A call from inside a box raised by a step's leaving leaves the rest to
    // the loop it interrupted.
    if (steppingFocus)
        return;
    steppingFocus = true;
    QWidget* window = w.pages[0]->window();
    while (pendingFocusSteps > 0) {
        if (!window->isActiveWindow()) {
            window->activateWindow();
            break;
        }
        --pendingFocusSteps;
        moveFocus(true);
    }
    steppingFocus = false;
}

// --- Writes -------------------------------------------------------------------

bool PageEditor::write(int address, int value)
{
    return services.transfer.writeParameter(static_cast<std::uint8_t>(value), address).eepromAcknowledged;
}

void PageEditor::writeEepromOnly(int address, int value)
{
    services.transfer.writeParameterEeprom(static_cast<std::uint8_t>(value), address);
}

bool PageEditor::writeWord(int address, std::uint16_t word)
{
    // The low byte only follows an acknowledged high byte.
    params::TransferWriter writer(services.transfer);
    return params::writeWord(writer, address, word, params::Gate::OnAcknowledge);
}

void PageEditor::reportFailure(int line)
{
    if (line != 0 && services.showStatus)
        services.showStatus(line, SlotText{lang::slot::cannotWrite});
}

}  // namespace dravinor::ui
