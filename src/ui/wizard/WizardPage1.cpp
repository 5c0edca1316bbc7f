#include "ui/wizard/WizardWidgets.h"

#include "live/widgets/BarThermometer.h"
#include "live/widgets/InstrumentColor.h"
#include "live/widgets/StatusLed.h"
#include "wizard/WizardTables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include <span>
#include <vector>

namespace dravinor::ui {

using live::bgrColor;
using enum wizard::WizardControl;

namespace {

QStringList itemList(std::span<const std::string_view> items)
{
    QStringList list;
    for (const std::string_view item : items)
        list << QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
    return list;
}

}  // namespace

// AA1 "Poczatek": the ignition type, the probe type, the temperature sensor
// and the four readiness lamps.
void buildWizardPage1(WizardWidgets& w, QWidget* page)
{
    w.wrappedLabel(page, StartInstructions);
    w.label(page, IgnitionListCaption);
    auto* ignition = new QComboBox(page);
    ignition->addItems(itemList(wizard::ignitionItems));
    ignition->setCurrentIndex(-1);
    w.add(ignition, IgnitionList);
    w.label(page, ProbeListCaption);
    auto* probe = new QComboBox(page);
    std::vector<std::string_view> probeItems;
    for (const wizard::ProbeType& type : wizard::probeTypes)
        probeItems.push_back(type.item);
    probe->addItems(itemList(probeItems));
    probe->setCurrentIndex(-1);
    w.add(probe, ProbeList);
    w.add(new QCheckBox(WizardWidgets::textOf(TemperatureSensorBox), page), TemperatureSensorBox);

    w.rpmDial(page, StartRpmDial);
    w.panel(page, StartRpmPanel);
    // -40..90 degrees, as the live view's thermometer but starting below zero.
    auto* thermometer = new live::BarThermometer(page);
    thermometer->setDigitalTo(130);
    thermometer->setValueFrom(-40.0f);
    thermometer->setValueTo(90.0f);
    thermometer->setSteps(13);
    thermometer->setSubSteps(1);
    thermometer->setPointerColor(bgrColor(live::bgr::red));
    thermometer->setLimits(10, 180);
    thermometer->setColumnColor(bgrColor(0x8000FF));
    thermometer->hide();
    w.add(thermometer, Thermometer);
    w.panel(page, TemperaturePanel)->hide();

    w.label(page, StartDoneHeading);
    w.doneRows(page, {{PetrolLed, PetrolDone}, {IgnitionLed, IgnitionDone}});
    w.led(page, TemperatureLed)->hide();
    w.doneLabel(page, TemperatureDone)->hide();
    w.led(page, ProbeRangeLed);
    w.doneLabel(page, ProbeRangeDone);
    w.nextButton(page, StartNext);
    w.notice(page, StartNoAnswer);

    // Without a mouse: ignition, probe, sensor, then the next button.
    QWidget::setTabOrder(ignition, probe);
    QWidget::setTabOrder(probe, w.widget(TemperatureSensorBox));
    QWidget::setTabOrder(w.widget(TemperatureSensorBox), w.widget(StartNext));
}

}  // namespace dravinor::ui
