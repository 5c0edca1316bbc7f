#include "ui/wizard/WizardViewBinder.h"

#include "lang/ShownNumbers.h"
#include "live/widgets/InstrumentColor.h"
#include "live/widgets/InstrumentWidget.h"
#include "live/widgets/StatusLed.h"
#include "ui/pages/ParameterPages.h"
#include "ui/wizard/WizardControlNames.h"
#include "ui/wizard/WizardPages.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <array>

namespace dravinor::ui {

using wizard::ControlView;
using wizard::Figure;
using wizard::Tint;
using wizard::WizardControl;

namespace {

QColor colourOf(Tint tint)
{
    switch (tint) {
    case Tint::Black: return QColor(0, 0, 0);
    case Tint::Blue: return QColor(0, 0, 255);
    case Tint::Green: return live::bgrColor(live::bgr::green);
    case Tint::Red: break;
    }
    return live::bgrColor(live::bgr::red);
}

// The panel of each figure, in the figures' order.
constexpr std::array<WizardControl, wizard::figureCount> figurePanels{
    WizardControl::TpsIdlePanel,         WizardControl::TpsThresholdPanel,
    WizardControl::TpsHighPanel,         WizardControl::LeanPanel,
    WizardControl::ProbeThresholdPanel,  WizardControl::RichPanel,
    WizardControl::RichTimePanel,        WizardControl::LeanTimePanel,
    WizardControl::AboveTpsMinimumPanel, WizardControl::AboveTpsMaximumPanel,
    WizardControl::AboveTpsStartPanel,   WizardControl::IdleMinimumPanel,
    WizardControl::IdleMaximumPanel,     WizardControl::IdleStartPanel,
};

// What a panel shows while its figure is not measured.
const QString unmeasured = QStringLiteral("......");

}  // namespace

WizardViewBinder::WizardViewBinder(WizardPages& wizardPages, ParameterPages& parameterPages, Finder liveControl)
    : wizardPages_(wizardPages), parameterPages_(parameterPages), liveControl_(std::move(liveControl))
{
}

std::vector<wizard::ViewKey> WizardViewBinder::apply(wizard::WizardView& view)
{
    std::vector<wizard::ViewKey> changed = view.takeChanged();
    for (const wizard::ViewKey& key : changed) {
        if (const auto* control = std::get_if<WizardControl>(&key)) {
            if (const ControlView* state = view.find(*control))
                applyToControl(*control, *state);
        } else if (const ControlView* state = view.findOutside(std::get<std::string>(key))) {
            applyOutside(QString::fromStdString(std::get<std::string>(key)), *state);
        }
    }
    return changed;
}

void WizardViewBinder::showFigures(const wizard::AdaptationResult& result)
{
    for (std::size_t i = 0; i < wizard::figureCount; ++i) {
        const auto figure = static_cast<Figure>(i);
        auto* panel = qobject_cast<QLabel*>(wizardPages_.control(widgetName(figurePanels[i])));
        if (!panel)
            continue;
        const std::optional<double> value = result.figure(figure);
        const QString text =
            value ? QString::fromStdString(wizard::figureText(figure, *value, lang::decimalSeparator())) : unmeasured;
        if (panel->text() != text)
            panel->setText(text);
    }
}

void WizardViewBinder::applyToControl(WizardControl control, const ControlView& view)
{
    const QString name = widgetName(control);
    QWidget* widget = wizardPages_.control(name);
    if (!widget)
        return;
    applyTo(widget, view);
    if (view.left)
        wizardPages_.placeCaption(control, *view.left);
}

void WizardViewBinder::applyOutside(const QString& name, const ControlView& view)
{
    if (parameterPages_.hasField(name)) {
        if (view.text)
            parameterPages_.setFieldText(name, QString::fromStdString(*view.text));
        if (view.selected)
            parameterPages_.selectItem(name, *view.selected);
        if (view.checked)
            parameterPages_.setChecked(name, *view.checked);
    } else if (QWidget* live = liveControl_ ? liveControl_(name) : nullptr) {
        applyTo(live, view);
    }
}

void WizardViewBinder::applyTo(QWidget* widget, const ControlView& view) const
{
    if (view.enabled)
        widget->setEnabled(*view.enabled);
    if (view.number)
        if (auto* label = qobject_cast<QLabel*>(widget))
            label->setText(QString::fromStdString(wizard::panelText(*view.number, lang::decimalSeparator())));
    if (view.text) {
        const QString text = QString::fromStdString(*view.text);
        if (auto* label = qobject_cast<QLabel*>(widget))
            label->setText(text);
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->setText(text);
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            edit->setText(text);
    }
    if (view.fontTint) {
        QPalette palette = widget->palette();
        const QColor colour = colourOf(*view.fontTint);
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
        if (view.lowerSector)
            instrument->setSectorColor(0, colourOf(*view.lowerSector));
        if (view.upperSector)
            instrument->setSectorColor(2, colourOf(*view.upperSector));
        if (view.value)
            instrument->setValue(static_cast<float>(*view.value));
        if (view.reading)
            instrument->setValue(static_cast<float>(*view.reading));
    }
    if (view.visible)
        widget->setVisible(*view.visible);
}

}  // namespace dravinor::ui
