#include "live/LivePictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace dravinor::live {

namespace {

QPixmap blankPixmap(QSize size, qreal ratio)
{
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

struct GlyphStyle {
    QColor lamp;
    QChar letter;
    qreal leverOffset;  // -1 left .. +1 right
};

GlyphStyle styleOf(FuelGlyph glyph)
{
    switch (glyph) {
    case FuelGlyph::Gas: return {QColor(0x00, 0xA0, 0x00), QChar('G'), 1.0};
    case FuelGlyph::Automatic: return {QColor(0xFF, 0x80, 0x00), QChar('A'), 0.0};
    case FuelGlyph::Petrol: return {QColor(0xE0, 0x00, 0x00), QChar('B'), -1.0};
    case FuelGlyph::None: break;
    }
    return {QColor(0x80, 0x80, 0x80), QChar(' '), 0.0};
}

}  // namespace

QPixmap fuelSwitchPicture(FuelGlyph glyph, qreal devicePixelRatio)
{
    QPixmap pixmap = blankPixmap(QSize(40, 40), devicePixelRatio);
    if (glyph == FuelGlyph::None)
        return pixmap;
    const GlyphStyle style = styleOf(glyph);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    // The switch plate.
    QLinearGradient plate(0, 0, 0, 40);
    plate.setColorAt(0, QColor(0x5A, 0x5A, 0x5A));
    plate.setColorAt(1, QColor(0x2A, 0x2A, 0x2A));
    painter.setPen(QPen(QColor(0x18, 0x18, 0x18), 1));
    painter.setBrush(plate);
    painter.drawRoundedRect(QRectF(1.5, 1.5, 37, 37), 6, 6);

    // The lamp of the state, top centre.
    painter.setPen(Qt::NoPen);
    painter.setBrush(style.lamp.lighter(130));
    painter.drawEllipse(QPointF(20, 9), 5.5, 5.5);
    painter.setBrush(QColor(255, 255, 255, 150));
    painter.drawEllipse(QPointF(18.5, 7.5), 1.8, 1.8);

    // The lever in its slot.
    painter.setBrush(QColor(0x10, 0x10, 0x10));
    painter.drawRoundedRect(QRectF(7, 17, 26, 8), 4, 4);
    const qreal knobX = 20 + style.leverOffset * 9;
    painter.setBrush(QColor(0xE8, 0xE8, 0xE8));
    painter.drawEllipse(QPointF(knobX, 21), 5, 5);

    // The letter: B(enzyna), A(utomat), G(az).
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(style.lamp.lighter(150));
    painter.drawText(QRectF(0, 26, 40, 13), Qt::AlignCenter, QString(style.letter));
    return pixmap;
}

QPixmap actuatorPicture(QSize size, qreal devicePixelRatio)
{
    QPixmap pixmap = blankPixmap(size, devicePixelRatio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 240 x 100 grid, scaled to the size asked for.
    painter.scale(size.width() / 240.0, size.height() / 100.0);

    const QColor outline(0x30, 0x30, 0x30);
    // The gas pipe through the mixer.
    QLinearGradient pipe(0, 40, 0, 62);
    pipe.setColorAt(0, QColor(0xD8, 0xD8, 0xD8));
    pipe.setColorAt(0.5, QColor(0xF4, 0xF4, 0xF4));
    pipe.setColorAt(1, QColor(0xA8, 0xA8, 0xA8));
    painter.setPen(QPen(outline, 1.2));
    painter.setBrush(pipe);
    painter.drawRect(QRectF(4, 40, 232, 22));
    // Flow arrows.
    painter.setPen(QPen(QColor(0x2E, 0x8B, 0x57), 2));
    for (qreal x : {14.0, 170.0}) {
        painter.drawLine(QPointF(x, 51), QPointF(x + 40, 51));
        painter.drawLine(QPointF(x + 40, 51), QPointF(x + 33, 46));
        painter.drawLine(QPointF(x + 40, 51), QPointF(x + 33, 56));
    }
    // The stepper-motor body on top of the valve, with its window.
    QLinearGradient body(70, 0, 150, 0);
    body.setColorAt(0, QColor(0x4A, 0x55, 0x68));
    body.setColorAt(0.5, QColor(0x6E, 0x7B, 0x92));
    body.setColorAt(1, QColor(0x3C, 0x46, 0x56));
    painter.setPen(QPen(outline, 1.2));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(62, 8, 128, 84), 8, 8);
    // Cooling ribs.
    painter.setPen(QPen(QColor(0x2C, 0x33, 0x40), 1.5));
    for (int i = 0; i < 5; ++i)
        painter.drawLine(QPointF(70 + i * 6, 14), QPointF(70 + i * 6, 86));
    // Cable gland.
    painter.setBrush(QColor(0x20, 0x20, 0x20));
    painter.drawRect(QRectF(176, 16, 14, 10));
    return pixmap;
}

}  // namespace dravinor::live
