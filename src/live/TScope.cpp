#include "live/TScope.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace dravinor::live {

std::vector<int> verticalGridLines(int width, int gridSpacing)
{
    // A spacing below 1 would never reach the edge; its only line, at x -1,
    // lies outside the picture anyway.
    std::vector<int> lines;
    if (gridSpacing <= 0)
        return lines;
    for (int x = 0; x < width; x += gridSpacing)
        lines.push_back(x - 1);
    return lines;
}

std::vector<int> horizontalGridLines(int height, int gridSpacing)
{
    std::vector<int> lines;
    if (gridSpacing <= 0)
        return lines;
    for (int y = height; y > 0; y -= gridSpacing)
        lines.push_back(y);
    return lines;
}

namespace {

// Segments are drawn 2 pixels wide; this much around the end points covers them.
constexpr int penMargin = 2;
// Far enough off the picture to be clipped, near enough for the rasteriser.
constexpr double farOff = 1 << 20;

int traceY(int height, int percent)
{
    // Rounds halves to even, as the trace always has.
    const double fromBottom = std::nearbyint(height / 100.0 * percent);
    return static_cast<int>(std::clamp(height - fromBottom, -farOff, farOff));
}

}  // namespace

TScope::TScope(QWidget* parent, Creation creation) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    timer_.setSingleShot(false);
    connect(&timer_, &Ticker::timeout, this, &TScope::step);
    resize(208, 120);
    fitImage();
    loaded_ = creation == Creation::Loaded;
}

void TScope::setGridSpacing(int value)
{
    gridSpacing_ = value / 2 * 2;
    if (!loaded_)
        return;
    redrawGrid();
    if (parentWidget())
        update();
}

void TScope::setActive(bool value)
{
    // The live tick sets this every 50 ms: a running sweep must keep its
    // own 100 ms rhythm, not start over each time.
    if (value == active_ && loaded_ && value == timer_.isActive())
        return;
    active_ = value;
    if (loaded_)
        restartTimer();
}

void TScope::setInterval(int value)
{
    timer_.stop();
    interval_ = value;
    if (loaded_)
        restartTimer();
}

void TScope::restartTimer()
{
    // A period of 0 would fire without pause; such a timer never ticks.
    const int period = interval_ * 10;
    timer_.setInterval(std::max(period, 0));
    if (active_ && period > 0)
        timer_.start();
    else
        timer_.stop();
}

void TScope::setPosition(int channel, int percent)
{
    position_.at(static_cast<std::size_t>(channel)) = percent;
}

void TScope::setChannelDrawn(int channel, bool drawn)
{
    drawn_.at(static_cast<std::size_t>(channel)) = drawn;
}

void TScope::setLineColor(int channel, const QColor& color)
{
    lineColor_.at(static_cast<std::size_t>(channel)) = color;
}

void TScope::loaded()
{
    loaded_ = true;
    redrawGrid();
}

const QImage& TScope::traceImage() const
{
    fitImage();
    return traceImage_;
}

void TScope::fitImage() const
{
    const QSize wanted = size().expandedTo(QSize(1, 1));
    if (traceImage_.size() == wanted)
        return;
    QImage resized(wanted, QImage::Format_RGB32);
    resized.fill(color_);
    if (!traceImage_.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, traceImage_);
    }
    traceImage_ = resized;
    resizedSinceWipe_ = true;
}

void TScope::step()
{
    fitImage();
    QRect segment;
    {
        QPainter painter(&traceImage_);
        QPen pen(Qt::SolidLine);
        pen.setWidth(2);
        pen.setCapStyle(Qt::RoundCap);
        for (int channel = 0; channel < channelCount; ++channel) {
            if (!channelDrawn(channel))
                continue;
            pen.setColor(lineColor(channel));
            painter.setPen(pen);
            const auto index = static_cast<std::size_t>(channel);
            const int y = traceY(height(), position_[index]);
            const QPoint from(sweepX_, lastY_[index]);
            const QPoint to(sweepX_ + segmentWidth, y);
            painter.drawLine(from, to);
            segment |= QRect(from, to).normalized();
            lastY_[index] = y;
        }
    }
    bool wiped = false;
    if (sweepX_ < width() - segmentWidth) {
        sweepX_ += segmentWidth;
    } else {
        sweepX_ = 2;
        redrawGrid();
        wiped = true;
    }
    // Only the new segment changed, unless the picture was wiped.
    if (wiped)
        update();
    else if (!segment.isNull())
        update(segment.adjusted(-penMargin, -penMargin, penMargin, penMargin) & rect());
    emit stepped();
}

void TScope::redrawGrid()
{
    fitImage();
    QPainter painter(&traceImage_);
    const int w = width();
    const int h = height();
    // The wipe leaves the top row and the left column alone, as it always
    // has; after a resize they hold pieces of the old picture's grid and
    // trace, which would stay as stray marks, so that wipe takes them too.
    painter.fillRect(QRect(resizedSinceWipe_ ? QPoint(0, 0) : QPoint(1, 1), QPoint(w, h)), color_);
    resizedSinceWipe_ = false;
    QPen pen(gridColor_, 1, Qt::SolidLine);
    painter.setPen(pen);
    for (int x : verticalGridLines(w, gridSpacing_))
        painter.drawLine(x, 0, x, h);
    for (int y : horizontalGridLines(h, gridSpacing_))
        painter.drawLine(0, y, w, y);
}

void TScope::clearPicture()
{
    resizedSinceWipe_ = true;
    redrawGrid();
    update();
}

void TScope::setFrozen(bool frozen)
{
    if (frozen == frozen_)
        return;
    frozen_ = frozen;
    heldImage_ = frozen ? traceImage() : QImage();
    update();
}

QImage TScope::shownImage() const
{
    return frozen_ ? heldImage_ : traceImage();
}

void TScope::paintEvent(QPaintEvent* event)
{
    fitImage();
    QPainter painter(this);
    painter.drawImage(event->rect(), frozen_ ? heldImage_ : traceImage_, event->rect());
}

void TScope::resizeEvent(QResizeEvent* event)
{
    fitImage();
    QWidget::resizeEvent(event);
}

}  // namespace dravinor::live
