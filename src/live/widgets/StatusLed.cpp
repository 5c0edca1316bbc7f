#include "live/widgets/StatusLed.h"

#include "live/widgets/InstrumentColor.h"

#include <QPainter>
#include <QRadialGradient>

#include <algorithm>

namespace dravinor::live {

StatusLed::StatusLed(QWidget* parent) : StatusLed(QString(), parent) {}

StatusLed::StatusLed(const QString& caption, QWidget* parent)
    : QWidget(parent), colorOn_(QColor(colour::green)), colorOff_(QColor(colour::red)), caption_(caption)
{
}

void StatusLed::setChecked(bool on)
{
    if (on == checked_)
        return;
    checked_ = on;
    update(lampRect().toAlignedRect().adjusted(-1, -1, 1, 1));
}

void StatusLed::setColorOn(const QColor& color)
{
    if (color == colorOn_)
        return;
    colorOn_ = color;
    update();
}

void StatusLed::setColorOff(const QColor& color)
{
    if (color == colorOff_)
        return;
    colorOff_ = color;
    update();
}

void StatusLed::setCaption(const QString& text)
{
    if (text == caption_)
        return;
    caption_ = text;
    updateGeometry();
    update();
}

void StatusLed::setLampLeft(bool left)
{
    if (left == lampLeft_)
        return;
    lampLeft_ = left;
    update();
}

QRectF StatusLed::lampRect() const
{
    const qreal d = std::min<qreal>(height() - 2, fontMetrics().height() * 1.1);
    const qreal x = lampLeft_ ? 1.0 : width() - d - 1;
    return {x, (height() - d) / 2, d, d};
}

QSize StatusLed::sizeHint() const
{
    const int lamp = static_cast<int>(fontMetrics().height() * 1.1) + 2;
    const int gap = caption_.isEmpty() ? 0 : fontMetrics().averageCharWidth();
    return {lamp + gap + fontMetrics().horizontalAdvance(caption_), std::max(lamp, fontMetrics().height())};
}

void StatusLed::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF lamp = lampRect();
    const QColor c = currentColor();
    // A highlight off-centre makes a flat colour read as a lit dome.
    QRadialGradient dome(lamp.center() - QPointF(lamp.width(), lamp.height()) * 0.18, lamp.width() * 0.65);
    dome.setColorAt(0.0, c.lighter(190));
    dome.setColorAt(0.45, c);
    dome.setColorAt(1.0, c.darker(160));
    painter.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
    painter.setBrush(dome);
    painter.drawEllipse(lamp.adjusted(0.5, 0.5, -0.5, -0.5));

    if (caption_.isEmpty())
        return;
    const qreal gap = fontMetrics().averageCharWidth();
    const QRectF text = lampLeft_ ? QRectF(lamp.right() + gap, 0, width() - lamp.right() - gap, height())
                                  : QRectF(0, 0, lamp.left() - gap, height());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(text, Qt::AlignVCenter | (lampLeft_ ? Qt::AlignLeft : Qt::AlignRight), caption_);
}

}  // namespace dravinor::live
