#pragma once

#include "WizardView.h"

#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace dravinor::ui {

class ParameterPages;
class WizardPages;

// Shows what the wizard says of each control on the widget of that name:
// a wizard control, a parameter-page field (through the pages' own API, so
// dependants and the live view follow and nothing is written), or a live
// view control.
class WizardViewBinder {
public:
    using Finder = std::function<QWidget*(const QString& name)>;
    WizardViewBinder(WizardPages& wizardPages, ParameterPages& parameterPages, Finder liveControl);

    // Applies every control changed since the last call; returns their names.
    std::vector<std::string> apply(wizard::WizardView& view);

    // One control's state on one widget, by the widget's kind.
    static void applyTo(QWidget* widget, const wizard::ControlView& view);

private:
    void applyToField(const QString& name, const wizard::ControlView& view);

    WizardPages& wizardPages_;
    ParameterPages& parameterPages_;
    Finder liveControl_;
};

}  // namespace dravinor::ui
