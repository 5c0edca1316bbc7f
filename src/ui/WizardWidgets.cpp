#include "WizardWidgets.h"

#include "DialMeter.h"
#include "HorizontalBar.h"
#include "InstrumentColor.h"
#include "StatusLed.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace dravinor::ui {

using live::bgrColor;
namespace bgr = live::bgr;

void WizardWidgets::add(QWidget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    all_.insert(widget->objectName(), widget);
}

QLabel* WizardWidgets::label(QWidget* page, const char* name, const QString& text)
{
    auto* label = new QLabel(text, page);
    label->setTextFormat(Qt::PlainText);
    add(label, name);
    return label;
}

QLabel* WizardWidgets::wrappedLabel(QWidget* page, const char* name, const QString& text)
{
    QLabel* prompt = label(page, name, text);
    prompt->setWordWrap(true);
    prompt->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return prompt;
}

QLabel* WizardWidgets::panel(QWidget* page, const char* name, const QString& text)
{
    QLabel* box = label(page, name, text);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setAlignment(Qt::AlignCenter);
    box->setAutoFillBackground(true);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, QColor(0xFA, 0xFA, 0xFA));
    box->setPalette(palette);
    return box;
}

QLabel* WizardWidgets::title(QWidget* page, const char* name, const QString& text)
{
    QLabel* caption = label(page, name, text);
    QPalette palette = caption->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    caption->setPalette(palette);
    return caption;
}

QLabel* WizardWidgets::notice(QWidget* page, const char* name, const QString& text)
{
    QLabel* warning = wrappedLabel(page, name, text);
    QPalette palette = warning->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    warning->setPalette(palette);
    QFont bold = warning->font();
    bold.setBold(true);
    warning->setFont(bold);
    warning->hide();
    return warning;
}

void WizardWidgets::lineNotices(QWidget* page, const char* noAnswer, const char* unreliable)
{
    notice(page, noAnswer, QStringLiteral("Sterownik nie odpowiada"));
    if (unreliable)
        notice(page, unreliable, QStringLiteral("Łącze niepewne: ponad 10% odczytów błędnych - wynik wątpliwy"));
}

QLabel* WizardWidgets::doneLabel(QWidget* page, const char* name, const QString& text)
{
    QLabel* caption = label(page, name, text);
    caption->setEnabled(false);
    return caption;
}

live::StatusLed* WizardWidgets::led(QWidget* page, const char* name)
{
    auto* lamp = new live::StatusLed(page);
    lamp->setColorOn(bgrColor(bgr::green));
    lamp->setColorOff(bgrColor(bgr::red));
    lamp->setLampLeft(true);
    add(lamp, name);
    return lamp;
}

live::DialMeter* WizardWidgets::rpmDial(QWidget* page, const char* name)
{
    auto* dial = new live::DialMeter(page);
    dial->setDigitalTo(8000);
    dial->setValueFrom(0);
    dial->setValueTo(8.0f);
    dial->setName1(QStringLiteral("Obroty"));
    dial->setValueUnit(QStringLiteral("RPM"));
    dial->setSteps(8);
    dial->setSubSteps(2);
    dial->setScaleColor(bgrColor(bgr::yellow));
    dial->setPointerColor(bgrColor(bgr::lime));
    dial->setSectorBounds(0, 0, 200);
    dial->setSectorBounds(1, 200, 800);
    dial->setSectorBounds(2, 800, 1000);
    dial->setLimits(0.6f, 6.5f);
    add(dial, name);
    return dial;
}

live::HorizontalBar* WizardWidgets::progressBar(QWidget* page, const char* name, int digitalTo, float valueTo,
                                                const QString& unit)
{
    auto* bar = new live::HorizontalBar(page);
    bar->setDigitalTo(digitalTo);
    bar->setValueFrom(0);
    bar->setValueTo(valueTo);
    bar->setValueUnit(unit);
    add(bar, name);
    return bar;
}

QPushButton* WizardWidgets::nextButton(QWidget* page, const char* name, const QString& text)
{
    auto* button = new QPushButton(text, page);
    button->setEnabled(false);
    add(button, name);
    return button;
}

QWidget* WizardWidgets::frame(QWidget* page, const char* name)
{
    auto* box = new QFrame(page);
    box->setFrameStyle(QFrame::Panel | QFrame::Raised);
    add(box, name);
    box->lower();
    return box;
}

}  // namespace dravinor::ui
