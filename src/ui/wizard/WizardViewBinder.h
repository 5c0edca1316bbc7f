#pragma once

#include "wizard/AdaptationResult.h"
#include "wizard/WizardView.h"

#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace dravinor::ui {

class ParameterPages;
class WizardPages;

// Shows what the wizard says of each control on its widget: a wizard page's
// control by its objectName (WizardControlNames.h), a parameter-page field
// (through the pages' own API, so dependants and the live view follow and
// nothing is written), or a live view control; and the measured figures in
// the result panels; the live readings in their panels.
class WizardViewBinder {
public:
    using Finder = std::function<QWidget*(const QString& name)>;
    WizardViewBinder(WizardPages& wizardPages, ParameterPages& parameterPages, Finder liveControl);

    // Applies every control changed since the last call; returns them.
    std::vector<wizard::ViewKey> apply(wizard::WizardView& view);
    // The result's figures in their panels, the unmeasured ones dotted.
    void showFigures(const wizard::AdaptationResult& result);

private:
    // One control's state on one widget, by the widget's kind.
    void applyTo(QWidget* widget, const wizard::ControlView& view) const;
    void applyToControl(wizard::WizardControl control, const wizard::ControlView& view);
    void applyOutside(const QString& name, const wizard::ControlView& view);

    WizardPages& wizardPages_;
    ParameterPages& parameterPages_;
    Finder liveControl_;
    // Of the figures and the live readings.
};

}  // namespace dravinor::ui
