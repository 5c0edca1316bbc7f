#include "live/widgets/BarInstrument.h"

#include "live/widgets/InstrumentColor.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace dravinor::live {

namespace {
constexpr qreal framePad = 3.0;

QColor blend(const QColor& a, const QColor& b, qreal t)
{
    const auto mix = [t](float from, float to) { return static_cast<float>(from + (to - from) * t); };
    return QColor::fromRgbF(mix(a.redF(), b.redF()), mix(a.greenF(), b.greenF()), mix(a.blueF(), b.blueF()));
}
}  // namespace

BarInstrument::BarInstrument(Qt::Orientation orientation, QWidget* parent)
    : InstrumentWidget(parent), orientation_(orientation), barColor_(QColor(colour::green))
{
}

void BarInstrument::setLedStyle(bool on)
{
    if (on == led_)
        return;
    led_ = on;
    invalidateStaticLayer();
}

void BarInstrument::setSectorColors(bool on)
{
    if (on == sectorColors_)
        return;
    sectorColors_ = on;
    invalidateStaticLayer();
}

void BarInstrument::setBidirectional(bool on)
{
    if (on == bidirectional_)
        return;
    bidirectional_ = on;
    invalidateStaticLayer();
}

void BarInstrument::setBarColor(const QColor& color)
{
    if (color == barColor_)
        return;
    barColor_ = color;
    invalidateStaticLayer();
}

void BarInstrument::setBackgroundColor(const QColor& color)
{
    if (color == background_)
        return;
    background_ = color;
    invalidateStaticLayer();
}

void BarInstrument::setMinimumBarWidth(int pixels)
{
    if (pixels == minimumBarWidth_)
        return;
    minimumBarWidth_ = pixels;
    invalidateStaticLayer();
}

QColor BarInstrument::backgroundColor() const
{
    if (background_.isValid())
        return background_;
    return led_ ? QColor(Qt::black) : QColor(0xF4, 0xF5, 0xF7);
}

QColor BarInstrument::currentBarColor() const
{
    if (sectorColors_) {
        if (const QColor c = model().sectorColor(); c.isValid())
            return c;
    }
    return barColor_;
}

QRectF BarInstrument::trackRect() const
{
    const QRectF inner = QRectF(rect()).adjusted(framePad, framePad, -framePad, -framePad);
    const bool vertical = orientation_ == Qt::Vertical;
    const qreal across = vertical ? inner.width() : inner.height();
    const qreal thickness = std::min(across, std::max<qreal>(minimumBarWidth_, across * (vertical ? 0.5 : 0.7)));
    if (vertical)
        return {inner.center().x() - thickness / 2, inner.top(), thickness, inner.height()};
    return {inner.left(), inner.center().y() - thickness / 2, inner.width(), thickness};
}

// The part of the track between two scale positions.
QRectF BarInstrument::spanRect(const QRectF& track, double fromPpt, double toPpt) const
{
    const double lo = std::min(fromPpt, toPpt) / 1000.0;
    const double hi = std::max(fromPpt, toPpt) / 1000.0;
    if (orientation_ == Qt::Vertical)
        return {track.left(), track.bottom() - hi * track.height(), track.width(), (hi - lo) * track.height()};
    return {track.left() + lo * track.width(), track.top(), (hi - lo) * track.width(), track.height()};
}

QRectF BarInstrument::fillRect() const
{
    return spanRect(trackRect(), bidirectional_ ? 500.0 : 0.0, ppt());
}

int BarInstrument::ledCount(const QRectF& track) const
{
    const qreal length = orientation_ == Qt::Vertical ? track.height() : track.width();
    return static_cast<int>(length / ledPitch);
}

// Segments count from the start of the scale: bottom or left.
QRectF BarInstrument::ledRect(const QRectF& track, int index) const
{
    const qreal lit = ledPitch - 1;
    if (orientation_ == Qt::Vertical)
        return {track.left(), track.bottom() - (index + 1) * ledPitch + 1, track.width(), lit};
    return {track.left() + index * ledPitch, track.top(), lit, track.height()};
}

void BarInstrument::paintStaticLayer(QPainter& painter)
{
    const QColor back = backgroundColor();
    painter.setPen(QPen(QColor(0x30, 0x30, 0x34), 1.5));
    painter.setBrush(back);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75), 3, 3);

    const QRectF track = trackRect();
    if (led_) {
        // Unlit segments glow faintly, so the scale length is visible at zero.
        const QColor unlit = blend(back, sectorColors_ ? QColor(0x80, 0x80, 0x80) : barColor_, 0.22);
        painter.setRenderHint(QPainter::Antialiasing, false);
        for (int i = 0, n = ledCount(track); i < n; ++i)
            painter.fillRect(ledRect(track, i), unlit);
        painter.setRenderHint(QPainter::Antialiasing, true);
    } else {
        painter.setPen(QPen(blend(back, Qt::black, 0.35), 1));
        painter.setBrush(blend(back, Qt::black, 0.06));
        painter.drawRect(track);
    }
    if (bidirectional_) {
        const QRectF mid = spanRect(track, 500, 500);
        painter.setPen(QPen(blend(back, Qt::white, 0.6), 1));
        painter.drawLine(orientation_ == Qt::Vertical
                             ? QLineF(track.left() - 2, mid.top(), track.right() + 2, mid.top())
                             : QLineF(mid.left(), track.top() - 2, mid.left(), track.bottom() + 2));
    }
}

void BarInstrument::paintMovingPart(QPainter& painter)
{
    const QRectF track = trackRect();
    const QRectF fill = fillRect();
    const QColor color = currentBarColor();
    if (led_) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        for (int i = 0, n = ledCount(track); i < n; ++i) {
            const QRectF seg = ledRect(track, i);
            if (fill.contains(seg.center()))
                painter.fillRect(seg, color);
        }
        return;
    }
    if (fill.isEmpty())
        return;
    // A little gloss along the bar, and a dark end line that reads on any trough.
    QLinearGradient gloss(fill.topLeft(), orientation_ == Qt::Vertical ? fill.topRight() : fill.bottomLeft());
    gloss.setColorAt(0.0, color.lighter(135));
    gloss.setColorAt(0.5, color);
    gloss.setColorAt(1.0, color.darker(125));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gloss);
    painter.drawRect(fill);
    painter.setPen(QPen(color.darker(220), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(fill.adjusted(0.5, 0.5, -0.5, -0.5));
}

}  // namespace dravinor::live
