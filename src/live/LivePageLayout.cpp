#include "live/LivePage.h"

#include "lang/ShownNumbers.h"
#include "live/LivePictures.h"
#include "live/LiveViewLayout.h"
#include "live/OscilloscopeGroup.h"
#include "live/ProbeHealthPanel.h"
#include "live/widgets/BarThermometer.h"
#include "live/widgets/DialMeter.h"
#include "live/widgets/HalfDialMeter.h"
#include "live/widgets/InstrumentColor.h"
#include "live/widgets/TankGauge.h"
#include "live/widgets/VerticalBar.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QToolButton>

#include <algorithm>

// The live page's layout: every instrument placed and sized for the window,
// the probe check fitted into the space the instruments leave.
namespace dravinor::live {

namespace {

// The smallest font the pages are drawn with, in points: the probe check's
// figures are read from a step away, never smaller.
constexpr int smallestProbeHealthFont = 8;

// The widest text each value panel shows, digits drawn as 8 (the widest).
QString widestPanelText(const std::string& panel)
{
    const QString separator = QString::fromStdString(lang::decimalSeparator());
    const QString volts = QString::fromStdString(lang::unitText(lang::Unit::Volt));
    if (panel == "Lambda_BarED")
        return QStringLiteral("8") + separator + QStringLiteral("88") + volts;
    if (panel == "Manometr_TPSED")
        return QStringLiteral("88") + separator + QStringLiteral("88") + volts;
    if (panel == "Manometr_RPMED")
        return QStringLiteral("88888");
    if (panel == "TermVizED")
        return QStringLiteral("-888");
    if (panel == "Silnik_BarED")
        return QStringLiteral("888");
    return {};
}

void place(QWidget* widget, const Placement& p)
{
    if (p.fontSize && *p.fontSize > 0) {
        QFont font = widget->font();
        font.setPointSize(*p.fontSize);
        widget->setFont(font);
    }
    const int width = p.width.value_or(widget->sizeHint().width());
    const int height = p.height.value_or(widget->sizeHint().height());
    widget->setGeometry(p.left.value_or(widget->x()), p.top.value_or(widget->y()), width, height);
}

}  // namespace

// In the free space between the actuator and the thermometer, above the
// trace group; where that gap is too small, right of the thermometer, or
// across the page above everything on a tall window. Its font follows the
// window's height as the page's do, smaller where the space is tight, but
// never below the smallest font the pages are drawn with; its captions wrap
// rather than lose letters.
void LivePage::placeProbeHealth()
{
    const QRect actuator = actuatorPicture_->geometry();
    const QRect thermometer = thermometer_->geometry();
    const int beside = oscilloscope_->geometry().top() - 8;
    int topmost = page_->height();
    for (const QWidget* child : page_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child != probeHealth_ && !child->isHidden())
            topmost = std::min(topmost, child->y());
    const QRect places[] = {
        QRect(QPoint(actuator.right() + 8, actuator.top()), QPoint(thermometer.left() - 8, beside)),
        QRect(QPoint(thermometer.right() + 8, actuator.top()), QPoint(page_->width() - 8, beside)),
        QRect(QPoint(8, 4), QPoint(page_->width() - 8, topmost - 4)),
    };
    const int largest = std::clamp(windowHeight_ / 75, smallestProbeHealthFont, 12);
    QFont font = probeHealth_->font();
    // The panel's size at a font within a width: room for the verdict on up
    // to three lines (it is written later), captions and a threshold note
    // wrapped to the width.
    auto neededAt = [&](int points, int width) {
        font.setPointSize(points);
        probeHealth_->applyFont(font);
        const int wide =
            std::max(probeHealth_->minimumSizeHint().width(), std::min(width, probeHealth_->sizeHint().width() + 24));
        const int high =
            probeHealth_->hasHeightForWidth() ? probeHealth_->heightForWidth(wide) : probeHealth_->sizeHint().height();
        return QSize(wide, high + 3 * QFontMetrics(font).lineSpacing());
    };
    QRect chosen;
    int points = smallestProbeHealthFont;
    for (const QRect& place : places)
        for (int size = largest; size >= smallestProbeHealthFont && chosen.isNull(); --size)
            if (const QSize needed = neededAt(size, place.width());
                needed.width() <= place.width() && needed.height() <= place.height()) {
                chosen = QRect(place.topLeft(), needed);
                points = size;
            }
    // Nowhere whole at the smallest font: whole all the same, in the gap
    // beside the actuator, reaching down over the trace group's top and, if
    // it must, left over the actuator's pipe rather than under the
    // thermometer's scale.
    if (chosen.isNull()) {
        chosen = QRect(places[0].topLeft(), neededAt(points, places[0].width()));
        if (chosen.width() > places[0].width())
            chosen.moveRight(places[0].right());
        chosen.moveLeft(std::max(chosen.left(), 4));
    }
    font.setPointSize(points);
    probeHealth_->applyFont(font);
    probeHealth_->setGeometry(chosen);
    probeHealth_->setVisible(chosen.width() >= 120 && chosen.height() > 0);
    probeHealth_->raise();
    probeHealthPlacedWithNote_ = probeHealth_->thresholdShown();
}

void LivePage::layout(int windowWidth, int windowHeight)
{
    windowWidth_ = windowWidth;
    windowHeight_ = windowHeight;
    // Unbuilt, the build lays the page out. The first layout gives every
    // instrument its size and fonts; later ones made while the page is
    // hidden wait for its showing.
    if (!built_)
        return;
    if (layoutWhenShown_ && laidOut_ && !page_->isVisible())
        layoutDue_ = true;
    else
        layOutNow();
}

void LivePage::layOutWhenShown()
{
    layoutWhenShown_ = true;
}

void LivePage::layOutIfDue()
{
    build();
    if (layoutDue_)
        layOutNow();
}

bool LivePage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == page_ && event->type() == QEvent::Show)
        layOutIfDue();
    return QObject::eventFilter(watched, event);
}

void LivePage::layOutNow()
{
    layoutDue_ = false;
    laidOut_ = true;
    LiveViewInput input;
    input.windowWidth = windowWidth_;
    input.windowHeight = windowHeight_;
    input.pageWidth = page_->width();
    input.pageHeight = page_->height();
    input.probeFalling = oscilloscope_->probeFalling();
    input.textSize = [this](const std::string& name, int points) {
        const QLabel* label = page_->findChild<QLabel*>(QString::fromStdString(name));
        QFont font = label ? label->font() : page_->font();
        font.setPointSize(std::max(1, points));
        const QString text = widestPanelText(name);
        const QSize size = QFontMetrics(font).size(0, !text.isEmpty() ? text : label ? label->text() : QString());
        return std::pair<int, int>{size.width(), size.height()};
    };
    const LiveViewLayout layout = layoutLiveView(input);
    for (const auto& [name, placement] : layout.controls) {
        if (auto* widget = page_->findChild<QWidget*>(QString::fromStdString(name)))
            place(widget, placement);
    }
    lambdaBar_->setMinimumBarWidth(layout.lambdaMinimumBarWidth);
    thermometer_->setMinimumBarWidth(layout.thermometerMinimumBarWidth);
    thermometer_->setScaleFontSize(layout.thermometerScaleFont);
    for (auto* meter : std::initializer_list<InstrumentWidget*>{tpsMeter_, rpmMeter_}) {
        meter->setMainFontSize(layout.meterMainFont);
        meter->setUnitFontSize(layout.meterMainFont);
        meter->setScaleFontSize(layout.meterScaleFont);
    }
    actuatorPicture_->setPixmap(actuatorPicture(actuatorPicture_->size(), page_->devicePixelRatioF()));
    fuelSwitch_->setIconSize(fuelSwitch_->size() - QSize(4, 4));
    stepperGauge_->raise();
    stepperPanel_->raise();
    const LiveViewArea& area = layout.area;
    oscilloscope_->layout(area.windowWidth, area.windowHeight, tpsMeter_->width(), area.pageHeight);
    oscilloscope_->move(oscilloscope_->pos() + QPoint(area.dx, area.dy));
    // The state line sits in the page's bottom left corner, over nothing
    // the layout places.
    stateLine_->adjustSize();
    stateLine_->move(4, page_->height() - stateLine_->height() - 2);
    stateLine_->raise();
    placeProbeHealth();
}

}  // namespace dravinor::live
