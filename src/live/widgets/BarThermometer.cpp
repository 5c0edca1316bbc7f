#include "live/widgets/BarThermometer.h"

#include "live/widgets/InstrumentColor.h"
#include "live/widgets/ScaleFormat.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace dravinor::live {

namespace {
constexpr qreal pad = 3.0;
}

BarThermometer::BarThermometer(QWidget* parent) : InstrumentWidget(parent), columnColor_(QColor(colour::red))
{
    setSteps(9);
    setSubSteps(1);
}

void BarThermometer::setColumnColor(const QColor& color)
{
    if (color == columnColor_)
        return;
    columnColor_ = color;
    invalidateStaticLayer();  // the bulb is painted once, always full
}

void BarThermometer::setMinimumBarWidth(int pixels)
{
    if (pixels == minimumBarWidth_)
        return;
    minimumBarWidth_ = pixels;
    invalidateStaticLayer();
}

QFont BarThermometer::labelFont() const
{
    return scaleFont(std::min(width() * 0.2, height() * 0.065));
}

BarThermometer::Layout BarThermometer::layout() const
{
    Layout l{};
    const qreal w = width();
    const qreal h = height();
    l.column = std::min(w * 0.3, std::max<qreal>(minimumBarWidth_, std::round(w * 0.1)));
    l.tube = l.column + 2 * std::max<qreal>(2.0, l.column * 0.35);
    l.bulb = l.tube * 1.9;
    // The scale sits left of the glass; the pointer mark needs room to its right.
    l.centreX = std::min(w * 0.64, w - pad - l.bulb / 2 - l.tube * 0.2);
    const QFontMetricsF metrics(labelFont());
    l.scaleTop = pad + std::max(metrics.capHeight() / 2 + 1, l.tube / 2);
    l.bulbCentre = QPointF(l.centreX, h - pad - l.bulb / 2);
    l.scaleBottom = l.bulbCentre.y() - l.bulb * 0.75;
    return l;
}

qreal BarThermometer::levelY(double ppt) const
{
    const Layout l = layout();
    return l.scaleBottom - (l.scaleBottom - l.scaleTop) * ppt / 1000.0;
}

QRectF BarThermometer::columnRect() const
{
    const Layout l = layout();
    const qreal top = levelY(ppt());
    return {l.centreX - l.column / 2, top, l.column, l.bulbCentre.y() - top};
}

void BarThermometer::paintStaticLayer(QPainter& painter)
{
    const Layout l = layout();
    painter.setPen(QPen(QColor(0x50, 0x54, 0x5A), 1));
    painter.setBrush(QColor(0xFA, 0xFA, 0xFB));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);

    // Glass: a rounded tube joined to the bulb.
    QPainterPath glass;
    glass.addRoundedRect(
        QRectF(l.centreX - l.tube / 2, l.scaleTop - l.tube / 2, l.tube, l.bulbCentre.y() - l.scaleTop + l.tube / 2),
        l.tube / 2, l.tube / 2);
    glass.addEllipse(l.bulbCentre, l.bulb / 2, l.bulb / 2);
    glass.setFillRule(Qt::WindingFill);
    painter.setPen(QPen(QColor(0x60, 0x64, 0x6A), 1.2));
    painter.setBrush(QColor(0xEE, 0xF0, 0xF3));
    painter.drawPath(glass.simplified());

    QRadialGradient bulb(l.bulbCentre - QPointF(l.bulb, l.bulb) * 0.15, l.bulb / 2);
    bulb.setColorAt(0.0, columnColor_.lighter(150));
    bulb.setColorAt(1.0, columnColor_.darker(115));
    painter.setPen(Qt::NoPen);
    painter.setBrush(bulb);
    painter.drawEllipse(l.bulbCentre, l.bulb / 2 - 2, l.bulb / 2 - 2);

    const int minorPerMajor = std::max(1, subSteps());
    const int count = steps() * minorPerMajor;
    const qreal tickRight = l.centreX - l.tube / 2 - 2;
    const qreal majorLen = std::max<qreal>(4.0, l.tube * 0.6);
    for (int i = 0; i <= count; ++i) {
        const bool major = i % minorPerMajor == 0;
        const qreal y = levelY(1000.0 * i / count);
        painter.setPen(QPen(scaleColor(), major ? 1.6 : 1.0));
        painter.drawLine(QLineF(tickRight - (major ? majorLen : majorLen / 2), y, tickRight, y));
    }
    painter.setFont(labelFont());
    painter.setPen(scaleColor());
    const qreal labelRight = tickRight - majorLen - 2;
    const double from = model().valueFrom();
    const double to = model().valueTo();
    for (int i = 0; i <= steps(); ++i) {
        const qreal y = levelY(1000.0 * i / steps());
        painter.drawText(QRectF(0, y - 20, labelRight, 40), Qt::AlignRight | Qt::AlignVCenter,
                         formatScaleLabel(from + (to - from) * i / steps(), valueFormat()));
    }
}

void BarThermometer::paintMovingPart(QPainter& painter)
{
    const Layout l = layout();
    const QRectF column = columnRect();
    QLinearGradient shade(column.topLeft(), column.topRight());
    shade.setColorAt(0.0, columnColor_.lighter(140));
    shade.setColorAt(1.0, columnColor_.darker(120));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawRect(column);

    // A mark in the pointer colour beside the glass at the column's top.
    const qreal x = l.centreX + l.tube / 2 + 1;
    const qreal s = std::max<qreal>(3.0, l.tube * 0.45);
    const QPointF mark[] = {
        {x, column.top()}, {x + s * 1.3, column.top() - s * 0.8}, {x + s * 1.3, column.top() + s * 0.8}};
    painter.setPen(QPen(QColor(0x10, 0x10, 0x10), 1));
    painter.setBrush(pointerColor());
    painter.drawPolygon(mark, 3);
}

}  // namespace dravinor::live
