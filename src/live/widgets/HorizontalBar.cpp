#include "HorizontalBar.h"

#include "ScaleFormat.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace dravinor::live {

QString HorizontalBar::barText() const
{
    if (ledStyle() || valueUnit().isEmpty())
        return {};
    // A progress bar may run to any maximum; its percentage is its share of the scale.
    if (valueUnit() == QLatin1String("%"))
        return QString::number(std::lround(ppt() / 10.0)) + QLatin1String(" %");
    return formatScaleLabel(value(), valueFormat()) + QLatin1Char(' ') + valueUnit();
}

void HorizontalBar::paintMovingPart(QPainter& painter)
{
    BarInstrument::paintMovingPart(painter);
    const QString text = barText();
    if (text.isEmpty())
        return;
    const QRectF track = trackRect();
    QFont f = mainFont(track.height() * 0.62);
    painter.setFont(f);
    const QFontMetricsF metrics(f);
    const QPointF at(track.center().x() - metrics.horizontalAdvance(text) / 2,
                     track.center().y() + metrics.capHeight() / 2);
    // Dark figures with a light halo read over the bar and the empty trough alike.
    QPainterPath path;
    path.addText(at, f, text);
    painter.setPen(QPen(QColor(255, 255, 255, 220), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x10, 0x10, 0x10));
    painter.drawPath(path);
}

}  // namespace dravinor::live
