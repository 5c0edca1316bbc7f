#include "live/widgets/InstrumentWidget.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace dravinor::live {

InstrumentWidget::InstrumentWidget(QWidget* parent) : QWidget(parent)
{
    // Only the moving part changes between frames: no background fill first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void InstrumentWidget::setValue(float v)
{
    if (!model_.setValue(v))
        return;
    valueChanged();
    update();
}

void InstrumentWidget::setDigit(int d)
{
    if (!model_.setDigit(d))
        return;
    valueChanged();
    update();
}

// A new range relabels the scale and moves the value on it.
void InstrumentWidget::setValueFrom(float v)
{
    if (model_.setValueFrom(v))
        invalidateStaticLayer();
}

void InstrumentWidget::setValueTo(float v)
{
    if (model_.setValueTo(v))
        invalidateStaticLayer();
}

void InstrumentWidget::setDigitalFrom(int d)
{
    if (model_.setDigitalFrom(d))
        invalidateStaticLayer();
}

void InstrumentWidget::setDigitalTo(int d)
{
    if (model_.setDigitalTo(d))
        invalidateStaticLayer();
}

void InstrumentWidget::setLimits(float lower, float upper)
{
    if (model_.setLimits(lower, upper)) {
        valueChanged();
        update();
    }
}

void InstrumentWidget::setSectors(const Sectors& sectors)
{
    if (model_.setSectors(sectors))
        invalidateStaticLayer();
}

void InstrumentWidget::setSector(int index, int from, int to, const QColor& color)
{
    if (model_.setSector(index, {from, to, color}))
        invalidateStaticLayer();
}

void InstrumentWidget::setSectorBounds(int index, int from, int to)
{
    if (index >= 0 && index < static_cast<int>(model_.sectors().size()))
        setSector(index, from, to, model_.sectors()[static_cast<std::size_t>(index)].color);
}

void InstrumentWidget::setSectorColor(int index, const QColor& color)
{
    if (index >= 0 && index < static_cast<int>(model_.sectors().size())) {
        const auto& s = model_.sectors()[static_cast<std::size_t>(index)];
        setSector(index, s.from, s.to, color);
    }
}

void InstrumentWidget::setName1(const QString& text)
{
    if (text == name1_)
        return;
    name1_ = text;
    invalidateStaticLayer();
}

void InstrumentWidget::setName2(const QString& text)
{
    if (text == name2_)
        return;
    name2_ = text;
    invalidateStaticLayer();
}

void InstrumentWidget::setValueUnit(const QString& text)
{
    if (text == valueUnit_)
        return;
    valueUnit_ = text;
    invalidateStaticLayer();
}

void InstrumentWidget::setValueFormat(const QString& pattern)
{
    if (pattern == valueFormat_)
        return;
    valueFormat_ = pattern;
    invalidateStaticLayer();
}

void InstrumentWidget::setSteps(int steps)
{
    if (steps < 1 || steps > 30 || steps == steps_)
        return;
    steps_ = steps;
    invalidateStaticLayer();
}

void InstrumentWidget::setSubSteps(int subSteps)
{
    if (subSteps == subSteps_)
        return;
    subSteps_ = subSteps;
    invalidateStaticLayer();
}

void InstrumentWidget::setScaleColor(const QColor& color)
{
    if (color == scaleColor_)
        return;
    scaleColor_ = color;
    invalidateStaticLayer();
}

void InstrumentWidget::setPointerColor(const QColor& color)
{
    if (color == pointerColor_)
        return;
    pointerColor_ = color;
    update();
}

void InstrumentWidget::setMainFontSize(int points)
{
    if (points == mainFontSize_)
        return;
    mainFontSize_ = points;
    invalidateStaticLayer();
}

void InstrumentWidget::setUnitFontSize(int points)
{
    if (points == unitFontSize_)
        return;
    unitFontSize_ = points;
    invalidateStaticLayer();
}

void InstrumentWidget::setScaleFontSize(int points)
{
    if (points == scaleFontSize_)
        return;
    scaleFontSize_ = points;
    invalidateStaticLayer();
}

QFont InstrumentWidget::sizedFont(int points, qreal autoPixels) const
{
    QFont f = font();
    f.setBold(true);
    if (points > 0)
        f.setPointSize(points);
    else
        f.setPixelSize(std::max(7, static_cast<int>(std::lround(autoPixels))));
    return f;
}

QFont InstrumentWidget::mainFont(qreal autoPixels) const
{
    return sizedFont(mainFontSize_, autoPixels);
}

QFont InstrumentWidget::unitFont(qreal autoPixels) const
{
    return sizedFont(unitFontSize_, autoPixels);
}

QFont InstrumentWidget::scaleFont(qreal autoPixels) const
{
    return sizedFont(scaleFontSize_, autoPixels);
}

void InstrumentWidget::invalidateStaticLayer()
{
    staticLayer_ = QPixmap();
    update();
}

void InstrumentWidget::rebuildStaticLayer()
{
    const qreal dpr = devicePixelRatioF();
    staticLayer_ = QPixmap(size() * dpr);
    staticLayer_.setDevicePixelRatio(dpr);
    staticLayer_.fill(palette().color(backgroundRole()));
    QPainter painter(&staticLayer_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintStaticLayer(painter);
}

void InstrumentWidget::paintEvent(QPaintEvent*)
{
    // A move to a screen of another pixel ratio needs a sharper or smaller cache.
    if (staticLayer_.isNull() || staticLayer_.devicePixelRatio() != devicePixelRatioF())
        rebuildStaticLayer();
    QPainter painter(this);
    painter.drawPixmap(0, 0, staticLayer_);
    painter.setRenderHint(QPainter::Antialiasing);
    paintMovingPart(painter);
}

void InstrumentWidget::resizeEvent(QResizeEvent* event)
{
    staticLayer_ = QPixmap();
    QWidget::resizeEvent(event);
}

void InstrumentWidget::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::LanguageChange: invalidateStaticLayer(); break;
    default: break;
    }
    QWidget::changeEvent(event);
}

}  // namespace dravinor::live
