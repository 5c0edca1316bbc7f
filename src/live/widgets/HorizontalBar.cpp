#include "live/widgets/HorizontalBar.h"

#include "live/widgets/ScaleFormat.h"

#include <QPainter>

#include <algorithm>
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
    QFont f = mainFont(track.height() * 0.7);
    f.setBold(true);
    painter.setFont(f);
    const QFontMetricsF metrics(f);
    // Dark figures on a light plate of their own read on the bright fill and
    // on the empty trough alike; a halo alone was lost in the green.
    const qreal width = metrics.horizontalAdvance(text);
    const qreal height = std::min(track.height() - 2, metrics.height());
    const QRectF plate(track.center().x() - width / 2 - 4, track.center().y() - height / 2, width + 8, height);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 230));
    painter.drawRoundedRect(plate, 3, 3);
    painter.setPen(QColor(0x10, 0x10, 0x10));
    painter.drawText(plate, Qt::AlignCenter, text);
}

}  // namespace dravinor::live
