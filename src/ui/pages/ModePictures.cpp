#include "ui/pages/ModePictures.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>
#include <span>

namespace dravinor::ui {

namespace {

constexpr int pictureWidth = 140;
constexpr int pictureHeight = 70;

// Chart frame, in logical pixels: labels on the left, the actuator band on
// top, the TPS band below it, one shared time axis.
constexpr qreal plotLeft = 29;
constexpr qreal plotRight = 135;
constexpr qreal actuatorTop = 4;
constexpr qreal actuatorBase = 47;
constexpr qreal tpsBase = 67;
constexpr qreal tpsLow = 64;
constexpr qreal tpsHigh = 54;
constexpr qreal tpsThreshold = 59;
constexpr qreal crossing = 56;  // the moment TPS passes its threshold

// Actuator levels (smaller y is wider open).
constexpr qreal levelMax = 10;
constexpr qreal levelStartAbove = 22;
constexpr qreal levelStartBelow = 30;
constexpr qreal levelIdle = 41;

const QColor ink(0x30, 0x30, 0x30);
const QColor guide(0x9a, 0x9a, 0x9a);
const QColor accent(0xd2, 0x4a, 0x12);

// One stage of the actuator after the crossing: hold a level up to x, or
// follow the probe (a wave) from one centre level to another up to x.
struct Stage {
    enum Kind { Hold, FollowLambda } kind;
    qreal untilX;
    qreal level;  // Hold: the level; FollowLambda: the centre it ends at
};

struct Mode {
    std::span<const Stage> stages;
    bool showsMax;
    qreal startLevel;  // 0: no start position in this mode
};

constexpr Stage economic[] = {
    {Stage::Hold, 88, levelStartBelow},
    {Stage::FollowLambda, plotRight - 2, levelStartBelow},
};
constexpr Stage economicMax[] = {
    {Stage::Hold, 74, levelMax},
    {Stage::Hold, 96, levelStartAbove},
    {Stage::FollowLambda, plotRight - 2, levelStartAbove},
};
// No start position: the probe takes over straight from max.
constexpr Stage dynamic[] = {
    {Stage::Hold, 78, levelMax},
    {Stage::FollowLambda, plotRight - 2, levelStartAbove},
};

const Mode modes[] = {
    {economic, false, levelStartBelow},
    {economicMax, true, levelStartAbove},
    {dynamic, true, 0},
};

QPainterPath actuatorPath(const Mode& mode)
{
    QPainterPath path({plotLeft + 1, levelIdle});
    path.lineTo(crossing, levelIdle);
    qreal level = levelIdle;
    qreal x = crossing;
    for (const Stage& s : mode.stages) {
        if (s.kind == Stage::Hold) {
            path.lineTo(x, s.level);  // the move is fast next to the probe's swings
            path.lineTo(s.untilX, s.level);
        } else {
            // Swings about a centre that eases from the last level to the target,
            // starting on the centre and moving down first, so the join has no step
            // and never passes above max.
            constexpr qreal period = 9;
            constexpr qreal amplitude = 3.5;
            const qreal from = level;
            const qreal span = s.untilX - x;
            for (qreal dx = 0.5; dx <= span; dx += 0.5) {
                const qreal t = dx / span;
                const qreal centre = from + (s.level - from) * (1 - std::pow(1 - t, 3));
                path.lineTo(x + dx, centre + amplitude * std::sin(2 * std::numbers::pi * dx / period));
            }
        }
        level = s.level;
        x = s.untilX;
    }
    return path;
}

void drawLabel(QPainter& p, qreal y, const QString& text)
{
    p.drawText(QRectF(0, y - 6, plotLeft - 3, 12), Qt::AlignRight | Qt::AlignVCenter, text);
}

void drawGuide(QPainter& p, qreal y)
{
    p.drawLine(QPointF(plotLeft, y), QPointF(plotRight, y));
}

void drawAxes(QPainter& p)
{
    p.setPen(QPen(ink, 1));
    p.drawLine(QPointF(plotLeft, actuatorTop), QPointF(plotLeft, tpsBase));
    for (qreal base : {actuatorBase, tpsBase}) {
        p.drawLine(QPointF(plotLeft, base), QPointF(plotRight + 3, base));
        const QPointF tip(plotRight + 4, base);
        p.drawLine(tip, tip + QPointF(-3, -2));
        p.drawLine(tip, tip + QPointF(-3, 2));
    }
}

void drawTps(QPainter& p)
{
    QPen dashed(guide, 1, Qt::DashLine);
    dashed.setDashPattern({3, 2});
    p.setPen(dashed);
    drawGuide(p, tpsThreshold);
    // The moment of the crossing, through both bands.
    p.drawLine(QPointF(crossing, actuatorTop), QPointF(crossing, tpsBase));

    p.setPen(QPen(ink, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const qreal rise = 6;  // the throttle opens over a moment, crossing mid-way
    QPainterPath tps({plotLeft + 1, tpsLow});
    tps.lineTo(crossing - rise / 2, tpsLow);
    tps.lineTo(crossing + rise / 2, tpsHigh);
    tps.lineTo(plotRight - 2, tpsHigh);
    p.drawPath(tps);
}

void drawActuator(QPainter& p, const Mode& mode)
{
    QPen dotted(guide, 1, Qt::DotLine);
    p.setPen(dotted);
    if (mode.showsMax)
        drawGuide(p, levelMax);
    if (mode.startLevel > 0)
        drawGuide(p, mode.startLevel);

    p.setPen(QPen(accent, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(actuatorPath(mode));
}

void drawLabels(QPainter& p, const Mode& mode)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(8);
    p.setFont(font);
    p.setPen(ink);
    if (mode.showsMax)
        drawLabel(p, levelMax, QStringLiteral("max"));
    if (mode.startLevel > 0)
        drawLabel(p, mode.startLevel, QStringLiteral("start"));
    drawLabel(p, tpsThreshold, QStringLiteral("TPS"));

    // The probe's symbol over the part that follows it.
    QFont lambda = font;
    lambda.setPixelSize(10);
    p.setFont(lambda);
    p.setPen(accent);
    const Stage& last = mode.stages.back();
    p.drawText(QRectF(plotRight - 16, last.level + 5, 16, 12), Qt::AlignCenter, QString(QChar(0x03BB)));
}

}  // namespace

QPixmap modeCommentPicture(int mode, qreal devicePixelRatio)
{
    if (mode < 1 || mode > 3)
        return {};
    const Mode& m = modes[mode - 1];

    QPixmap pixmap(QSize(pictureWidth, pictureHeight) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawTps(p);
    drawActuator(p, m);
    drawAxes(p);
    drawLabels(p, m);
    return pixmap;
}

}  // namespace dravinor::ui
