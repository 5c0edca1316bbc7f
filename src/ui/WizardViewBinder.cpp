#include "WizardViewBinder.h"

#include "InstrumentColor.h"
#include "InstrumentWidget.h"
#include "ParameterPages.h"
#include "StatusLed.h"
#include "WizardPages.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace dravinor::ui {

using wizard::ControlView;

WizardViewBinder::WizardViewBinder(WizardPages& wizardPages, ParameterPages& parameterPages, Finder liveControl)
    : wizardPages_(wizardPages), parameterPages_(parameterPages), liveControl_(std::move(liveControl))
{
}

std::vector<std::string> WizardViewBinder::apply(wizard::WizardView& view)
{
    std::vector<std::string> changed = view.takeChanged();
    for (const std::string& name : changed) {
        const ControlView* state = view.find(name);
        if (!state)
            continue;
        const QString key = QString::fromStdString(name);
        if (QWidget* widget = wizardPages_.control(key)) {
            applyTo(widget, *state);
            if (state->left)
                wizardPages_.placeCaption(key, *state->left);
        } else if (parameterPages_.hasField(key)) {
            applyToField(key, *state);
        } else if (QWidget* live = liveControl_ ? liveControl_(key) : nullptr) {
            applyTo(live, *state);
        }
    }
    return changed;
}

void WizardViewBinder::applyToField(const QString& name, const ControlView& view)
{
    if (view.text)
        parameterPages_.setFieldText(name, QString::fromStdString(*view.text));
    if (view.selected)
        parameterPages_.selectItem(name, *view.selected);
    if (view.checked)
        parameterPages_.setChecked(name, *view.checked);
}

void WizardViewBinder::applyTo(QWidget* widget, const ControlView& view)
{
    if (view.enabled)
        widget->setEnabled(*view.enabled);
    if (view.text) {
        const QString text = QString::fromStdString(*view.text);
        if (auto* label = qobject_cast<QLabel*>(widget))
            label->setText(text);
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->setText(text);
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            edit->setText(text);
    }
    if (view.fontColour) {
        QPalette palette = widget->palette();
        const QColor colour = live::bgrColor(*view.fontColour);
        if (palette.color(QPalette::WindowText) != colour) {
            palette.setColor(QPalette::WindowText, colour);
            widget->setPalette(palette);
        }
    }
    if (view.checked)
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->setChecked(*view.checked);
    if (view.selected)
        if (auto* list = qobject_cast<QComboBox*>(widget))
            list->setCurrentIndex(*view.selected);
    if (view.lit)
        if (auto* lamp = qobject_cast<live::StatusLed*>(widget))
            lamp->setChecked(*view.lit);
    if (auto* instrument = qobject_cast<live::InstrumentWidget*>(widget)) {
        if (view.maximum && *view.maximum > 0) {
            instrument->setDigitalTo(*view.maximum);
            instrument->setValueTo(static_cast<float>(*view.maximum));
        }
        if (view.lowerSectorColour)
            instrument->setSectorColor(0, live::bgrColor(*view.lowerSectorColour));
        if (view.upperSectorColour)
            instrument->setSectorColor(2, live::bgrColor(*view.upperSectorColour));
        if (view.value)
            instrument->setValue(static_cast<float>(*view.value));
        if (view.reading)
            instrument->setValue(static_cast<float>(*view.reading));
    }
    if (view.visible)
        widget->setVisible(*view.visible);
}

}  // namespace dravinor::ui
