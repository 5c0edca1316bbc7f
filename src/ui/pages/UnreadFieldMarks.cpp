#include "ui/pages/UnreadFieldMarks.h"

#include "ui/status/ReadTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPalette>
#include <QVariant>

namespace dravinor::ui {

namespace {

constexpr const char* markedProperty = "dravinorUnread";
constexpr const char* paletteProperty = "dravinorPaletteBeforeUnread";
constexpr const char* tipProperty = "dravinorToolTipBeforeUnread";
// Amber: unlike the fields' white and a disabled field's grey.
const QColor unreadColour(0xFF, 0xD8, 0x9B);

}  // namespace

bool isMarkedUnread(const QWidget* field)
{
    return field && field->property(markedProperty).toBool();
}

void markUnread(QWidget* field)
{
    if (!isMarkedUnread(field)) {
        field->setProperty(paletteProperty, QVariant::fromValue(field->palette()));
        field->setProperty(tipProperty, field->toolTip());
        field->setProperty(markedProperty, true);
        QPalette palette = field->palette();
        for (const auto role : {QPalette::Base, QPalette::Button})
            palette.setColor(role, unreadColour);
        field->setPalette(palette);
        if (auto* box = qobject_cast<QCheckBox*>(field)) {
            box->setAutoFillBackground(true);
            palette.setColor(QPalette::Window, unreadColour);
            box->setPalette(palette);
        }
    }
    // Read when marked, so a language chosen since shows in the tip.
    field->setToolTip(slotText(reads::unreadReason));
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        edit->clear();
        edit->setPlaceholderText(reads::unreadMark);
    } else if (auto* list = qobject_cast<QComboBox*>(field)) {
        list->setCurrentIndex(-1);
        list->setPlaceholderText(reads::unreadMark);
    } else if (auto* box = qobject_cast<QCheckBox*>(field)) {
        box->setTristate(true);
        box->setCheckState(Qt::PartiallyChecked);
    }
}

void clearUnreadMark(QWidget* field)
{
    if (!isMarkedUnread(field))
        return;
    field->setProperty(markedProperty, false);
    field->setPalette(field->property(paletteProperty).value<QPalette>());
    field->setToolTip(field->property(tipProperty).toString());
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        edit->setPlaceholderText(QString());
    } else if (auto* list = qobject_cast<QComboBox*>(field)) {
        list->setPlaceholderText(QString());
    } else if (auto* box = qobject_cast<QCheckBox*>(field)) {
        box->setAutoFillBackground(false);
        const bool ticked = box->checkState() == Qt::Checked;
        box->setTristate(false);
        box->setChecked(ticked);
    }
}

}  // namespace dravinor::ui
