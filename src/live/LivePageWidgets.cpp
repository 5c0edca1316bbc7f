// The live page's widgets, built once in the order of the page's children;
// LivePage.cpp runs them.
#include "live/LivePage.h"

#include "lang/TextSlots.h"
#include "live/LivePictures.h"
#include "live/OscilloscopeGroup.h"
#include "live/ProbeHealthPanel.h"
#include "live/widgets/BarThermometer.h"
#include "live/widgets/DialMeter.h"
#include "live/widgets/HalfDialMeter.h"
#include "live/widgets/InstrumentColor.h"
#include "live/widgets/TankGauge.h"
#include "live/widgets/VerticalBar.h"

#include <QLabel>
#include <QToolButton>

namespace dravinor::live {

QLabel* LivePage::addLabel(const char* name, const QString& text)
{
    auto* label = new QLabel(text, page_);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* LivePage::addPanel(const char* name)
{
    QLabel* panel = addLabel(name, QStringLiteral("0"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(Qt::AlignCenter);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, QColor(0xFA, 0xFA, 0xFA));
    panel->setPalette(palette);
    QFont font = panel->font();
    font.setBold(true);
    panel->setFont(font);
    return panel;
}

void LivePage::buildWidgets()
{
    // In this order: it is the order of the page's children.
    buildLambdaBar();
    buildActuator();
    buildThermometer();
    buildFuelSwitch();
    buildMeters();
    buildTracesAndNotices();
}

// Lambda: an LED bar, green up to the middle, red above.
void LivePage::buildLambdaBar()
{
    lambdaBar_ = new VerticalBar(page_);
    lambdaBar_->setObjectName("Lambda_Bar");
    lambdaBar_->setDigitalTo(255);
    lambdaBar_->setValueFrom(0);
    lambdaBar_->setValueTo(255);
    lambdaBar_->setSector(0, 0, 500, QColor(colour::green));
    lambdaBar_->setSector(1, 501, 502, QColor(colour::green));
    lambdaBar_->setSector(2, 503, 1000, QColor(colour::red));
    lambdaBar_->setLimits(0.0001f, 255);
    lambdaBar_->setLedStyle(true);
    lambdaBar_->setSectorColors(true);
    lambdaBar_->setBidirectional(true);
    lambdaBar_->setBackgroundColor(Qt::black);
    addLabel("Lambda_L", QStringLiteral("L\nA\nM\nB\nD\nA"))->setAlignment(Qt::AlignHCenter);
    addLabel("Lambda_ubL", QStringLiteral("uboga"))->setAlignment(Qt::AlignHCenter);
    addLabel("Lambda_boL", QStringLiteral("bogata"))->setAlignment(Qt::AlignHCenter);
    lambdaPanel_ = addPanel("Lambda_BarED");
}

// The actuator: its picture with the opening gauge in the window.
void LivePage::buildActuator()
{
    actuatorPicture_ = addLabel("Silnik_barIMG", QString());
    actuatorPicture_->setScaledContents(true);
    stepperGauge_ = new TankGauge(page_);
    stepperGauge_->setObjectName("Silnik_Bar");
    stepperGauge_->setDigitalTo(255);
    stepperGauge_->setValueFrom(0);
    stepperGauge_->setValueTo(255);
    stepperGauge_->setLimits(10, 90);
    stepperGauge_->setFillColor(QColor(colour::lime));
    addLabel("Silnik_Bar_NazL", QStringLiteral("Silnik krokowy"))->setAlignment(Qt::AlignHCenter);
    addLabel("Silnik_Bar_OtwL", QStringLiteral("otwarty"))->setAlignment(Qt::AlignHCenter);
    addLabel("Silnik_Bar_ZamL", QStringLiteral("zamknięty"))->setAlignment(Qt::AlignHCenter);
    stepperPanel_ = addPanel("Silnik_BarED");
}

// The thermometer and its panel, hidden at first.
void LivePage::buildThermometer()
{
    thermometer_ = new BarThermometer(page_);
    thermometer_->setObjectName("TermViz");
    thermometer_->setDigitalTo(90);
    thermometer_->setValueFrom(0);
    thermometer_->setValueTo(90);
    thermometer_->setSteps(9);
    thermometer_->setSubSteps(1);
    thermometer_->setPointerColor(QColor(colour::red));
    thermometer_->setLimits(10, 180);
    thermometer_->setColumnColor(QColor(QRgb(0xFF0080)));
    thermometer_->hide();
    temperaturePanel_ = addPanel("TermVizED");
    temperaturePanel_->hide();
}

// The fuel state and its switch; "BENZYNA" stands until the first poll.
void LivePage::buildFuelSwitch()
{
    fuelSwitch_ = new QToolButton(page_);
    fuelSwitch_->setObjectName("SwitchVIZ");
    fuelSwitch_->setAutoRaise(true);
    // A speed button: pressed with the mouse only, so Tab and Space on the
    // live page never switch the car's fuel.
    fuelSwitch_->setFocusPolicy(Qt::NoFocus);
    fuelSlot_ = lang::slot::fuelBeforeFirstPoll;
    fuelLabel_ = addLabel("BenzGazLed", QString::fromStdString(lang::textSlots().text(fuelSlot_)));
    QFont fuelFont = fuelLabel_->font();
    fuelFont.setBold(true);
    fuelLabel_->setFont(fuelFont);
    addLabel("Przelacznik_NazL", QStringLiteral("Przełącznik"));
}

// The TPS and RPM meters.
void LivePage::buildMeters()
{
    tpsMeter_ = new HalfDialMeter(page_);
    tpsMeter_->setObjectName("Manometr_TPS");
    tpsMeter_->setDigitalTo(255);
    tpsMeter_->setValueFrom(0);
    tpsMeter_->setValueTo(12.0f);
    tpsMeter_->setName1(QStringLiteral("TPS"));
    tpsMeter_->setValueUnit(QStringLiteral("V"));
    tpsMeter_->setSteps(6);
    tpsMeter_->setSubSteps(2);
    tpsMeter_->setScaleColor(QColor(colour::black));
    tpsMeter_->setPointerColor(QColor(colour::lime));
    tpsMeter_->setSectorColor(0, QColor(colour::green));
    tpsMeter_->setSectorColor(1, QColor(colour::yellow));
    tpsMeter_->setLimits(0.0001f, 12.0f);
    tpsPanel_ = addPanel("Manometr_TPSED");

    rpmMeter_ = new DialMeter(page_);
    rpmMeter_->setObjectName("Manometr_RPM");
    rpmMeter_->setDigitalTo(8000);
    rpmMeter_->setValueFrom(0);
    rpmMeter_->setValueTo(8.0f);
    rpmMeter_->setName1(QStringLiteral("Obroty"));
    rpmMeter_->setValueUnit(QStringLiteral("RPM"));
    rpmMeter_->setSteps(8);
    rpmMeter_->setSubSteps(2);
    rpmMeter_->setScaleColor(QColor(colour::yellow));
    rpmMeter_->setPointerColor(QColor(colour::lime));
    rpmMeter_->setSectorBounds(0, 0, 200);
    rpmMeter_->setSectorBounds(1, 200, 800);
    rpmMeter_->setSectorBounds(2, 800, 1000);
    rpmMeter_->setLimits(0.6f, 6.5f);
    rpmPanel_ = addPanel("Manometr_RPMED");
}

// The traces, the recording state line and the notice of old readings.
void LivePage::buildTracesAndNotices()
{
    oscilloscope_ = new OscilloscopeGroup(page_);

    stateLine_ = addLabel("StanNagraniaL", QString());
    stateLine_->hide();

    // Shown while the readings are old.
    staleNotice_ =
        addLabel("NieaktualneL", QStringLiteral("Brak poprawnej odpowiedzi sterownika - wartości nieaktualne"));
    staleNotice_->setAutoFillBackground(true);
    QPalette palette = staleNotice_->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    palette.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xE0));
    staleNotice_->setPalette(palette);
    QFont bold = staleNotice_->font();
    bold.setBold(true);
    staleNotice_->setFont(bold);
    staleNotice_->hide();

    // The probe check, beside the actuator; not one of the form's controls.
    probeHealth_ = new ProbeHealthPanel(page_);
}

}  // namespace dravinor::live
