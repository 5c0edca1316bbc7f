#include "ui/wizard/WizardWidgets.h"

#include "live/widgets/DialMeter.h"
#include "live/widgets/HorizontalBar.h"
#include "live/widgets/InstrumentColor.h"
#include "live/widgets/StatusLed.h"
#include "ui/wizard/WizardControlNames.h"
#include "wizard/WizardTexts.h"

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

void WizardWidgets::add(QWidget* widget, Control control)
{
    add(widget, wizardControlNames[static_cast<std::size_t>(control)]);
}

QWidget* WizardWidgets::widget(Control control) const
{
    return widget(widgetName(control));
}

QString WizardWidgets::textOf(Control control)
{
    const std::string_view text = wizard::pageText(control);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* WizardWidgets::label(QWidget* page, Control control)
{
    return label(page, wizardControlNames[static_cast<std::size_t>(control)], textOf(control));
}

QLabel* WizardWidgets::label(QWidget* page, const char* name, const QString& text)
{
    auto* label = new QLabel(text, page);
    label->setTextFormat(Qt::PlainText);
    add(label, name);
    return label;
}

QLabel* WizardWidgets::wrappedLabel(QWidget* page, Control control)
{
    QLabel* prompt = label(page, control);
    prompt->setWordWrap(true);
    prompt->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return prompt;
}

QLabel* WizardWidgets::panel(QWidget* page, Control control, const QString& text)
{
    QLabel* box = label(page, wizardControlNames[static_cast<std::size_t>(control)], text);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setAlignment(Qt::AlignCenter);
    box->setAutoFillBackground(true);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, QColor(0xFA, 0xFA, 0xFA));
    box->setPalette(palette);
    return box;
}

QLabel* WizardWidgets::title(QWidget* page, Control control)
{
    QLabel* caption = label(page, control);
    QPalette palette = caption->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    caption->setPalette(palette);
    return caption;
}

QLabel* WizardWidgets::notice(QWidget* page, Control control)
{
    QLabel* warning = wrappedLabel(page, control);
    QPalette palette = warning->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    warning->setPalette(palette);
    QFont bold = warning->font();
    bold.setBold(true);
    warning->setFont(bold);
    warning->hide();
    return warning;
}

QLabel* WizardWidgets::doneLabel(QWidget* page, Control control)
{
    QLabel* caption = label(page, control);
    caption->setEnabled(false);
    return caption;
}

void WizardWidgets::doneRows(QWidget* page, std::initializer_list<DoneRow> rows)
{
    for (const DoneRow& row : rows) {
        led(page, row.led);
        doneLabel(page, row.label);
    }
}

live::StatusLed* WizardWidgets::led(QWidget* page, Control control)
{
    auto* lamp = new live::StatusLed(page);
    lamp->setColorOn(bgrColor(bgr::green));
    lamp->setColorOff(bgrColor(bgr::red));
    lamp->setLampLeft(true);
    add(lamp, control);
    return lamp;
}

live::DialMeter* WizardWidgets::rpmDial(QWidget* page, Control control)
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
    add(dial, control);
    return dial;
}

live::HorizontalBar* WizardWidgets::progressBar(QWidget* page, Control control, int digitalTo, float valueTo,
                                                const QString& unit)
{
    auto* bar = new live::HorizontalBar(page);
    bar->setDigitalTo(digitalTo);
    bar->setValueFrom(0);
    bar->setValueTo(valueTo);
    bar->setValueUnit(unit);
    add(bar, control);
    return bar;
}

QPushButton* WizardWidgets::nextButton(QWidget* page, Control control)
{
    auto* button = new QPushButton(textOf(control), page);
    button->setEnabled(false);
    add(button, control);
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
