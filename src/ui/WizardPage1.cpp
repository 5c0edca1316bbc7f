#include "WizardWidgets.h"

#include "BarThermometer.h"
#include "InstrumentColor.h"
#include "StatusLed.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

namespace dravinor::ui {

using live::bgrColor;

// AA1 "Poczatek": the ignition type, the probe type, the temperature sensor
// and the four readiness lamps.
void buildWizardPage1(WizardWidgets& w, QWidget* page)
{
    w.wrappedLabel(page, "PUSLabel_AA_P1",
                   QStringLiteral("Proszę wybrać rodzaj układu zapłonowego, sondy lambda oraz jeśli występuje czujnik "
                                  "temperatury odczekać do momentu osiągnięcia przez silnik temperatury pracy. "
                                  "Następnie proszę nacisnąć przycisk DALEJ"));
    w.label(page, "WRZ_Label_AA_P1", QStringLiteral("Wybierz rodzaj zapłonu"));
    auto* ignition = new QComboBox(page);
    ignition->addItems({QStringLiteral("Cewka na cylinder"), QStringLiteral("Cewka na 2 cylindry"),
                        QStringLiteral("4 cylindry"), QStringLiteral("5 cylindrow"), QStringLiteral("6 cylindrow"),
                        QStringLiteral("8 cylindrow")});
    ignition->setCurrentIndex(-1);
    w.add(ignition, "Manometr_RPMCOMBOAA_P1");
    w.label(page, "WRS_Label_AA_P1", QStringLiteral("Wybierz rodzaj sondy lambda"));
    auto* probe = new QComboBox(page);
    probe->addItems({QStringLiteral("0-1 [V]  Rosnąca"), QStringLiteral("1-0 [V]  Malejąca"),
                     QStringLiteral("0,8-1,6 Rosnąca"), QStringLiteral("1,6-0,8 Malejąca"),
                     QStringLiteral("0-5 [V]  Rosnąca"), QStringLiteral("5-0 [V]  Malejąca")});
    probe->setCurrentIndex(-1);
    w.add(probe, "RSLAMBDA_COMBOAA_P1");
    w.add(new QCheckBox(QStringLiteral("wł \\ wył czujnik temperatury"), page), "WCTCheck_AA_P1");

    w.rpmDial(page, "Manometr_RPMAA_P1");
    w.panel(page, "Manometr_RPMEDAA_P1");
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
    w.add(thermometer, "Therm1l_AA_P1");
    w.panel(page, "Therm1ED_AA_P1")->hide();

    w.label(page, "WykonanoLabel_AA_P1", QStringLiteral("Wykonano:"));
    w.led(page, "AutoFaz1Led1");
    w.doneLabel(page, "ZBLabel_AA_P1", QStringLiteral("Zasilanie benzynowe"));
    w.led(page, "AutoFaz1Led2");
    w.doneLabel(page, "UUZLabel_AA_P1", QStringLiteral("Ustawiono układ zapłonowy"));
    w.led(page, "AutoFaz1Led3")->hide();
    w.doneLabel(page, "OOTLabel_AA_P1", QStringLiteral("Osiągnięto odp. temp"))->hide();
    w.led(page, "AutoFaz1Led4");
    w.doneLabel(page, "URSLabel_AA_P1", QStringLiteral("Ustawiono zakres sondy"));
    w.nextButton(page, "AAP1_Dalej", QStringLiteral("DALEJ->(F10)"));
    w.lineNotices(page, "SNOLabel_AA_P1", nullptr);

    // Without a mouse: ignition, probe, sensor, then the next button.
    QWidget::setTabOrder(ignition, probe);
    QWidget::setTabOrder(probe, w.widget("WCTCheck_AA_P1"));
    QWidget::setTabOrder(w.widget("WCTCheck_AA_P1"), w.widget("AAP1_Dalej"));
}

}  // namespace dravinor::ui
