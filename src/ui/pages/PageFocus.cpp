#include "ui/pages/PageFocus.h"

#include "fields/FieldCatalogue.h"
#include "ui/pages/TypedText.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace dravinor::ui {

using namespace fields;

namespace {

bool isEnter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

}  // namespace

PageFocus::PageFocus(const PageWidgets& widgets, Fields& fields, PageSwitch switchPageQuietly)
    : w_(widgets), fields_(fields), switchPageQuietly_(std::move(switchPageQuietly))
{
    for (QLineEdit* edit : std::as_const(w_.texts))
        edit->installEventFilter(this);
    for (const ListField& row : listFields()) {
        QComboBox* combo = w_.list(row.name);
        combo->installEventFilter(this);
        combo->view()->installEventFilter(this);
        popupOwners_.insert(combo->view(), combo);
    }
    for (QCheckBox* box : std::as_const(w_.checks))
        box->installEventFilter(this);
}

bool PageFocus::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == watchedWindow_) {
        // The window gives the focus back to its field only after telling it
        // is active, so the waiting steps come after that.
        if (event->type() == QEvent::WindowActivate && pendingFocusSteps_ > 0)
            QMetaObject::invokeMethod(
                this, [this] { takeFocusSteps(); }, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        if (!popupOwners_.contains(watched))
            focusChanged(static_cast<QWidget*>(watched), event);
        break;
    case QEvent::Wheel:
        // A list turned by the wheel without the focus would change with no
        // entry selection to go back to: it has to be entered first.
        if (auto* combo = qobject_cast<QComboBox*>(watched); combo && !combo->hasFocus())
            return true;
        break;
    case QEvent::MouseButtonPress:
        // A press whose focus change raised a warning is spent on it: the
        // step the warning owes moves the focus on, and the pressed control
        // neither opens its list nor toggles.
        if (pendingFocusSteps_ > 0 && !popupOwners_.contains(watched))
            return true;
        break;
    case QEvent::ShortcutOverride:
        // Qt's popup would take Enter here, before the key is pressed; it is
        // claimed for the key press, where the choice and the step on are one.
        if (popupOwners_.contains(watched) && isEnter(static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (QComboBox* owner = popupOwners_.value(watched))
            return popupKey(owner, static_cast<QKeyEvent*>(event));
        return keyPressed(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event));
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

void PageFocus::focusChanged(QWidget* widget, QEvent* event)
{
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    // A message box or a list's popup takes the keyboard for a while; the
    // field keeps the focus as far as editing is concerned. A list whose
    // own popup opens is not left either, though Qt tells it with another
    // reason as the popup takes the keyboard.
    const auto* list = qobject_cast<QComboBox*>(widget);
    const bool ownPopupOpen = list && list->view()->isVisible();
    const bool passing = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || ownPopupOpen;
    if (event->type() == QEvent::FocusIn) {
        if (!(passing && widget == enteredField_)) {
            enteredField_ = widget;
            fields_.entered(widget);
        }
    } else if (!passing) {
        fieldLeft(widget);
    }
}

bool PageFocus::popupKey(QComboBox* owner, QKeyEvent* key)
{
    if (!isEnter(key))
        return false;
    // The arrow keys in an open list only highlight: Enter makes the
    // highlighted item the choice, as a click on it does, closes the list,
    // then acts as in the closed list. Escape is left to the popup, which
    // closes it unchanged.
    const QModelIndex highlighted = owner->view()->currentIndex();
    const int item = highlighted.isValid() && (highlighted.flags() & Qt::ItemIsEnabled) ? highlighted.row() : -1;
    owner->hidePopup();
    QMetaObject::invokeMethod(
        this,
        [this, list = QPointer<QComboBox>(owner), item] {
            if (!list)
                return;
            if (item >= 0)
                chooseItem(list, item);
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            keyPressed(list, &enter);
        },
        Qt::QueuedConnection);
    return true;
}

void PageFocus::chooseItem(QComboBox* list, int item)
{
    // What the list itself does for a click on an item: select it, then tell
    // the choice, even of the item it showed already.
    list->setCurrentIndex(item);
    emit list->activated(item);
    emit list->textActivated(list->itemText(item));
}

void PageFocus::fieldLeft(QWidget* field)
{
    if (enteredField_ == field)
        enteredField_ = nullptr;
    // A question asked while leaving one field must not leave another.
    if (leaving_)
        return;
    leaving_ = true;
    const int steps = fields_.left(field);
    for (int i = 0; i < steps; ++i)
        moveFocusLater();
    leaving_ = false;
}

bool PageFocus::keyPressed(QWidget* field, QKeyEvent* key)
{
    if (qobject_cast<QLineEdit*>(field))
        return textKeyPressed(field, key);
    auto* combo = qobject_cast<QComboBox*>(field);
    if (!combo || (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter))
        return false;
    return listEnterPressed(combo);
}

bool PageFocus::textKeyPressed(QWidget* field, QKeyEvent* key)
{
    // Enter confirms as Page Down does: leaving the field writes it.
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_PageDown) {
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
        static_cast<QLineEdit*>(field)->insert(QString(*passed));
    return !passed || *passed != typed.front();
}

bool PageFocus::listEnterPressed(QComboBox* list)
{
    switch (findListField(list->objectName().toStdString())->enter) {
    case ListEnter::MovesOn: moveFocus(true); return true;
    case ListEnter::ToAdvancedPage:
        if (switchPageQuietly_)
            switchPageQuietly_(1, w_.text("BTps"));
        return true;
    case ListEnter::ToBasicPage:
        if (switchPageQuietly_)
            switchPageQuietly_(0, w_.list("RSLambda"));
        return true;
    case ListEnter::Nothing: break;
    }
    return false;
}

void PageFocus::moveFocus(bool forward)
{
    // As if the user pressed Tab or Shift+Tab: the focus follows the real tab order.
    QWidget* target = QApplication::focusWidget();
    if (!target)
        target = w_.pages[0]->window();
    QKeyEvent tab(QEvent::KeyPress, forward ? Qt::Key_Tab : Qt::Key_Backtab,
                  forward ? Qt::NoModifier : Qt::ShiftModifier);
    QCoreApplication::sendEvent(target, &tab);
}

void PageFocus::moveFocusLater()
{
    // After a warning the focus moves on once the leaving is over, as a key
    // typed meanwhile would.
    ++pendingFocusSteps_;
    QWidget* window = w_.pages[0]->window();
    if (watchedWindow_ != window) {
        watchedWindow_ = window;
        window->installEventFilter(this);
    }
    QMetaObject::invokeMethod(
        this, [this] { takeFocusSteps(); }, Qt::QueuedConnection);
}

void PageFocus::takeFocusSteps()
{
    // A step is a Tab for the active window, as the keyboard delivers it. Just
    // after the warning box has gone no window may be active yet; a Tab then
    // would only move the window's focus mark, and the field holding the focus
    // would never be left (nor written), so the steps wait for the activation.
    // A call from inside a box raised by a step's leaving leaves the rest to
    // the loop it interrupted.
    if (steppingFocus_)
        return;
    steppingFocus_ = true;
    QWidget* window = w_.pages[0]->window();
    while (pendingFocusSteps_ > 0) {
        if (!window->isActiveWindow()) {
            window->activateWindow();
            break;
        }
        --pendingFocusSteps_;
        moveFocus(true);
    }
    steppingFocus_ = false;
}

}  // namespace dravinor::ui
