#include "live/widgets/PointerMeter.h"

#include "live/widgets/ScaleFormat.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dravinor::live {

namespace {
constexpr int blinkIntervalMs = 250;
constexpr qreal bezelRadii = 0.05;
constexpr qreal tickOuterRadii = 0.9;
constexpr qreal majorTickRadii = 0.13;
constexpr qreal minorTickRadii = 0.07;
constexpr qreal sectorBandRadii = 0.07;
constexpr qreal needleRadii = 0.86;
constexpr qreal hubRadii = 0.085;

// The outline of a face of radius r whose pivot sits at centre; a half dial
// ends in a flat base `below` under the pivot.
QPainterPath faceShape(QPointF centre, qreal r, qreal below, bool round)
{
    QPainterPath path;
    if (round) {
        path.addEllipse(centre, r, r);
        return path;
    }
    const QRectF box(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
    const qreal corner = std::min(below, r * 0.2);
    path.moveTo(centre.x() - r, centre.y());
    path.arcTo(box, 180.0, -180.0);
    path.lineTo(centre.x() + r, centre.y() + below - corner);
    path.quadTo(centre.x() + r, centre.y() + below, centre.x() + r - corner, centre.y() + below);
    path.lineTo(centre.x() - r + corner, centre.y() + below);
    path.quadTo(centre.x() - r, centre.y() + below, centre.x() - r, centre.y() + below - corner);
    path.closeSubpath();
    return path;
}
}  // namespace

PointerMeter::PointerMeter(double startAngle, double span, double faceBelow, QWidget* parent)
    : InstrumentWidget(parent), startAngle_(startAngle), span_(span), faceBelow_(faceBelow)
{
    blinkTimer_.setInterval(blinkIntervalMs);
    connect(&blinkTimer_, &Ticker::timeout, this, [this] {
        blinkLit_ = !blinkLit_;
        update();
    });
}

QSize PointerMeter::sizeHint() const
{
    return {200, static_cast<int>(std::lround(200 * (1.0 + faceBelow_) / 2.0)) + 4};
}

QSize PointerMeter::minimumSizeHint() const
{
    return sizeHint() / 3;
}

void PointerMeter::setShowName(bool on)
{
    if (on == showName_)
        return;
    showName_ = on;
    invalidateStaticLayer();
}

void PointerMeter::setShowUnit(bool on)
{
    if (on == showUnit_)
        return;
    showUnit_ = on;
    invalidateStaticLayer();
}

void PointerMeter::setShowSectors(bool on)
{
    if (on == showSectors_)
        return;
    showSectors_ = on;
    invalidateStaticLayer();
}

void PointerMeter::setLimitBlink(bool on)
{
    if (on == limitBlink_)
        return;
    limitBlink_ = on;
    updateBlink();
}

void PointerMeter::valueChanged()
{
    updateBlink();
}

// The timer runs only while needed; it keeps running on a hidden page.
void PointerMeter::updateBlink()
{
    if (limitBlink_ && model().isOutsideLimits()) {
        if (!blinkTimer_.isActive())
            blinkTimer_.start();
        return;
    }
    blinkTimer_.stop();
    if (!blinkLit_) {
        blinkLit_ = true;
        update();
    }
}

QPointF PointerMeter::Dial::at(double angle, qreal radii) const
{
    const double rad = angle * std::numbers::pi / 180.0;
    return centre + QPointF(std::cos(rad), -std::sin(rad)) * radius * radii;
}

PointerMeter::Dial PointerMeter::dial() const
{
    const qreal margin = 2.0;
    const qreal w = width() - 2 * margin;
    const qreal h = height() - 2 * margin;
    const qreal r = std::max<qreal>(1.0, std::min(w / 2, h / (1.0 + faceBelow_)));
    const qreal top = margin + (h - r * (1.0 + faceBelow_)) / 2;
    return {QPointF(width() / 2.0, top + r), r};
}

// A light scale colour asks for a dark face to stay readable.
bool PointerMeter::lightFace() const
{
    return qGray(scaleColor().rgb()) < 140;
}

void PointerMeter::paintStaticLayer(QPainter& painter)
{
    const Dial d = dial();
    paintFace(painter, d);
    if (showSectors_)
        paintSectors(painter, d);
    paintTicks(painter, d);
    paintLabels(painter, d);
    paintTexts(painter, d);
}

void PointerMeter::paintFace(QPainter& painter, const Dial& d) const
{
    const bool round = faceBelow_ >= 1.0;
    const qreal r = d.radius;
    QLinearGradient bezel(d.centre - QPointF(0, r), d.centre + QPointF(0, r * faceBelow_));
    bezel.setColorAt(0.0, QColor(0xB8, 0xBC, 0xC2));
    bezel.setColorAt(1.0, QColor(0x40, 0x44, 0x4A));
    painter.setPen(QPen(QColor(0x20, 0x20, 0x20), std::max<qreal>(1.0, r * 0.01)));
    painter.setBrush(bezel);
    painter.drawPath(faceShape(d.centre, r, r * faceBelow_, round));

    const qreal inner = r * (1.0 - bezelRadii);
    QRadialGradient face(d.centre - QPointF(0, r * 0.3), r * 1.2);
    if (lightFace()) {
        face.setColorAt(0.0, Qt::white);
        face.setColorAt(1.0, QColor(0xE2, 0xE4, 0xE8));
    } else {
        face.setColorAt(0.0, QColor(0x3C, 0x40, 0x46));
        face.setColorAt(1.0, QColor(0x16, 0x18, 0x1C));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(face);
    painter.drawPath(faceShape(d.centre, inner, r * faceBelow_ - (r - inner), round));
}

// Each zone covers its ppt slots from..to, so adjacent zones meet without a gap.
void PointerMeter::paintSectors(QPainter& painter, const Dial& d) const
{
    const qreal band = d.radius * sectorBandRadii;
    const qreal mid = d.radius * tickOuterRadii - band / 2;
    const QRectF box(d.centre.x() - mid, d.centre.y() - mid, 2 * mid, 2 * mid);
    for (const auto& s : model().sectors()) {
        const int from = std::clamp(s.from, 0, 1000);
        const int to = std::clamp(s.to + 1, 0, 1000);
        if (to <= from || !s.color.isValid())
            continue;
        painter.setPen(QPen(s.color, band, Qt::SolidLine, Qt::FlatCap));
        const double a = angleAt(from);
        painter.drawArc(box, static_cast<int>(std::lround(a * 16)),
                        static_cast<int>(std::lround((angleAt(to) - a) * 16)));
    }
}

void PointerMeter::paintTicks(QPainter& painter, const Dial& d) const
{
    const int minorPerMajor = std::max(1, subSteps());
    const int count = steps() * minorPerMajor;
    const qreal r = d.radius;
    for (int i = 0; i <= count; ++i) {
        const bool major = i % minorPerMajor == 0;
        const double angle = angleAt(1000.0 * i / count);
        painter.setPen(
            QPen(scaleColor(), std::max<qreal>(1.0, r * (major ? 0.028 : 0.014)), Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(d.at(angle, tickOuterRadii),
                         d.at(angle, tickOuterRadii - (major ? majorTickRadii : minorTickRadii)));
    }
    // The arc joining the tick feet reads as a scale even without sectors.
    const qreal rr = r * tickOuterRadii;
    painter.setPen(QPen(scaleColor(), std::max<qreal>(1.0, r * 0.012)));
    const double a = angleAt(0);
    painter.drawArc(QRectF(d.centre.x() - rr, d.centre.y() - rr, 2 * rr, 2 * rr), static_cast<int>(std::lround(a * 16)),
                    static_cast<int>(std::lround((angleAt(1000) - a) * 16)));
}

void PointerMeter::paintLabels(QPainter& painter, const Dial& d) const
{
    painter.setFont(scaleFont(d.radius * 0.15));
    painter.setPen(scaleColor());
    const QFontMetricsF metrics(painter.font());
    const qreal inside = d.radius * (tickOuterRadii - majorTickRadii - 0.04);
    const double from = model().valueFrom();
    const double to = model().valueTo();
    for (int i = 0; i <= steps(); ++i) {
        const QString text = formatScaleLabel(from + (to - from) * i / steps(), valueFormat());
        const double angle = angleAt(1000.0 * i / steps());
        const double rad = angle * std::numbers::pi / 180.0;
        const QSizeF box(metrics.horizontalAdvance(text), metrics.capHeight());
        // Keep the label's near edge clear of the tick ends, whatever its width.
        const qreal reach = std::abs(std::cos(rad)) * box.width() / 2 + std::abs(std::sin(rad)) * box.height() / 2;
        const QPointF c = d.centre + QPointF(std::cos(rad), -std::sin(rad)) * (inside - reach);
        painter.drawText(QRectF(c.x() - box.width(), c.y() - metrics.height(), 2 * box.width(), 2 * metrics.height()),
                         Qt::AlignCenter, text);
    }
}

// A font no larger than the one given whose rendering of text fits the box.
static QFont fittedFont(QFont font, const QString& text, QSizeF box)
{
    int pixels = QFontInfo(font).pixelSize();
    for (;;) {
        const QFontMetricsF metrics(font);
        if (pixels <= 6 || (metrics.horizontalAdvance(text) <= box.width() && metrics.height() <= box.height()))
            return font;
        font.setPixelSize(--pixels);
    }
}

// Name and unit go where the pointer never passes and clear of the scale
// labels: a round dial keeps both in the gap at the bottom, the name above
// the unit; a half dial puts them in its base, left and right of the pivot,
// below the labels of the two ends of the scale.
void PointerMeter::paintTexts(QPainter& painter, const Dial& d) const
{
    const qreal r = d.radius;
    const bool round = faceBelow_ >= 1.0;
    QRectF nameBox;
    QRectF unitBox;
    if (round) {
        // Below the pivot a point is clear of the pointer's end positions
        // (225 and 315 degrees) while it is nearer the axis than the pivot.
        nameBox = QRectF(d.centre.x() - r * 0.25, d.centre.y() + r * 0.3, r * 0.5, r * 0.2);
        unitBox = QRectF(d.centre.x() - r * 0.22, d.centre.y() + r * 0.52, r * 0.44, r * 0.2);
    } else {
        const QFontMetricsF labels(scaleFont(r * 0.15));
        const qreal top = d.centre.y() + labels.capHeight() / 2 + r * 0.03;
        const qreal bottom = d.centre.y() + r * (faceBelow_ - bezelRadii);
        const qreal height = std::max<qreal>(1.0, bottom - top);
        nameBox = QRectF(d.centre.x() - r * 0.85, top, r * 0.7, height);
        unitBox = QRectF(d.centre.x() + r * 0.15, top, r * 0.7, height);
    }
    painter.setPen(scaleColor());
    if (showName_ && !name1().isEmpty()) {
        painter.setFont(fittedFont(mainFont(r * (round ? 0.17 : 0.15)), name1(), nameBox.size()));
        painter.drawText(nameBox, Qt::AlignCenter, name1());
    }
    if (showUnit_ && !valueUnit().isEmpty()) {
        painter.setFont(fittedFont(unitFont(r * (round ? 0.13 : 0.15)), valueUnit(), unitBox.size()));
        painter.drawText(unitBox, Qt::AlignCenter, valueUnit());
    }
}

void PointerMeter::paintMovingPart(QPainter& painter)
{
    const Dial d = dial();
    const qreal r = d.radius;
    painter.save();
    painter.translate(d.centre);
    painter.rotate(-angleAt(ppt()));

    // The needle in the pointer colour, a dark counterweight behind the pivot.
    QPainterPath needle;
    needle.moveTo(0, -r * 0.045);
    needle.lineTo(r * needleRadii, -r * 0.01);
    needle.lineTo(r * needleRadii, r * 0.01);
    needle.lineTo(0, r * 0.045);
    needle.closeSubpath();
    QPainterPath tail;
    tail.addRoundedRect(QRectF(-r * 0.22, -r * 0.04, r * 0.22, r * 0.08), r * 0.03, r * 0.03);

    // Soft shadow first, so the needle stands off the face.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawPath(needle.united(tail).translated(r * 0.015, r * 0.025));

    const QPen outline(QColor(0x10, 0x10, 0x10), std::max<qreal>(1.0, r * 0.012), Qt::SolidLine, Qt::RoundCap,
                       Qt::RoundJoin);
    painter.setPen(outline);
    painter.setBrush(QColor(0x28, 0x2A, 0x2E));
    painter.drawPath(tail);
    // Blinking shows the outline alone, so the reading is never lost.
    painter.setBrush(blinkLit_ ? QBrush(pointerColor()) : QBrush(Qt::NoBrush));
    painter.drawPath(needle);
    painter.restore();

    QRadialGradient hub(d.centre - QPointF(r, r) * 0.03, r * hubRadii);
    hub.setColorAt(0.0, QColor(0x90, 0x94, 0x9A));
    hub.setColorAt(1.0, QColor(0x18, 0x18, 0x1A));
    painter.setPen(QPen(QColor(0x10, 0x10, 0x10), std::max<qreal>(1.0, r * 0.01)));
    painter.setBrush(hub);
    painter.drawEllipse(d.centre, r * hubRadii, r * hubRadii);
}

}  // namespace dravinor::live
