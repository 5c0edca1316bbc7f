#include "live/widgets/TankGauge.h"

#include "live/widgets/InstrumentColor.h"

#include <QPainter>

#include <algorithm>

namespace dravinor::live {

namespace {
constexpr qreal wallRatio = 0.06;
}

TankGauge::TankGauge(QWidget* parent) : InstrumentWidget(parent), fillColor_(QColor(colour::lime)) {}

void TankGauge::setFillColor(const QColor& color)
{
    if (color == fillColor_)
        return;
    fillColor_ = color;
    update();
}

QRectF TankGauge::tankRect() const
{
    const qreal wall = std::max<qreal>(2.0, std::min(width(), height()) * wallRatio);
    return QRectF(rect()).adjusted(wall, wall, -wall, -wall);
}

QRectF TankGauge::fillRect() const
{
    const QRectF tank = tankRect();
    const qreal level = tank.height() * ppt() / 1000.0;
    return {tank.left(), tank.bottom() - level, tank.width(), level};
}

void TankGauge::paintStaticLayer(QPainter& painter)
{
    const qreal wall = tankRect().left();
    QLinearGradient steel(0, 0, width(), 0);
    steel.setColorAt(0.0, QColor(0x5A, 0x5E, 0x66));
    steel.setColorAt(0.5, QColor(0x9A, 0x9E, 0xA6));
    steel.setColorAt(1.0, QColor(0x4A, 0x4E, 0x56));
    painter.setPen(QPen(QColor(0x20, 0x20, 0x24), 1));
    painter.setBrush(steel);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), wall, wall);

    const QRectF tank = tankRect();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(tank);
}

// Quarter marks go over the fill, so the level reads against them.
void TankGauge::paintMovingPart(QPainter& painter)
{
    const QRectF fill = fillRect();
    const QRectF tank = tankRect();
    if (!fill.isEmpty()) {
        QLinearGradient liquid(fill.topLeft(), fill.topRight());
        liquid.setColorAt(0.0, fillColor_.darker(115));
        liquid.setColorAt(0.4, fillColor_.lighter(115));
        liquid.setColorAt(1.0, fillColor_.darker(130));
        painter.setPen(Qt::NoPen);
        painter.setBrush(liquid);
        painter.drawRect(fill);
        painter.setPen(QPen(fillColor_.darker(250), std::max<qreal>(1.5, tank.height() * 0.02)));
        painter.drawLine(QLineF(fill.topLeft(), fill.topRight()));
    }
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30, 160), 1));
    for (int q = 1; q < 4; ++q) {
        const qreal y = tank.bottom() - tank.height() * q / 4.0;
        const qreal len = tank.width() * (q == 2 ? 0.3 : 0.18);
        painter.drawLine(QLineF(tank.right() - len, y, tank.right(), y));
        painter.drawLine(QLineF(tank.left(), y, tank.left() + len, y));
    }
}

}  // namespace dravinor::live
