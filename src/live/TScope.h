#pragma once

#include "live/WidgetTime.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

namespace dravinor::live {

// Grid line positions as redrawGrid draws them: vertical lines one pixel left
// of every multiple of the spacing, horizontal lines from the bottom edge up.
std::vector<int> verticalGridLines(int width, int gridSpacing);
std::vector<int> horizontalGridLines(int height, int gridSpacing);

// A four-channel sweeping trace. Each step draws a 4-pixel segment per drawn
// channel at sweepX on an off-screen picture; at the right edge the picture is
// wiped with the grid and the sweep starts again at x 2, every trace
// continuing from its last height.
// The component's own names for its settings, which the window's description
// uses: Gridsize (gridSpacing), Active, Interval, Channels, Position_a..d
// (position), channel_a..d (channelDrawn), Color, Gridcolor, Linecolor_a..d
// (lineColor) and Basecolor.
class TScope : public QWidget {
    Q_OBJECT

public:
    static constexpr int channelCount = 4;
    static constexpr int segmentWidth = 4;

    // A scope created in code is loaded at once; one whose form values are
    // still to be set (Loading) waits for loaded(): until then the grid
    // spacing and Active only store their values, so a form's Active true
    // starts no timer before the page first sets Active.
    enum class Creation { Loaded, Loading };
    explicit TScope(QWidget* parent = nullptr, Creation creation = Creation::Loaded);

    int gridSpacing() const { return gridSpacing_; }
    void setGridSpacing(int value);
    bool active() const { return active_; }
    void setActive(bool value);
    int interval() const { return interval_; }
    void setInterval(int value);
    int channels() const { return channels_; }
    void setChannels(int value) { channels_ = value; }

    // Channel inputs in percent of the height, channels a..d as 0..3.
    int position(int channel) const { return ofChannel(position_, channel); }
    void setPosition(int channel, int percent);
    bool channelDrawn(int channel) const { return ofChannel(drawn_, channel); }
    void setChannelDrawn(int channel, bool drawn);
    QColor lineColor(int channel) const { return ofChannel(lineColor_, channel); }
    void setLineColor(int channel, const QColor& color);

    QColor color() const { return color_; }
    void setColor(const QColor& value) { color_ = value; }
    QColor gridColor() const { return gridColor_; }
    void setGridColor(const QColor& value) { gridColor_ = value; }
    QColor baseColor() const { return baseColor_; }
    void setBaseColor(const QColor& value) { baseColor_ = value; }

    // The form values are all set: mark loaded and draw the grid. The timer
    // stays as it is until Active or Interval is set.
    void loaded();

    // One sweep step, as the internal timer runs it.
    void step();
    // Wipes the traces: background and grid over the whole picture.
    void redrawGrid();
    // The same, over the picture's edges too, which a wipe leaves alone:
    // after sizes and grids the page never showed, they would keep marks of them.
    void clearPicture();

    const QImage& traceImage() const;
    // A frozen trace holds its picture on screen while the sweep goes on
    // drawing underneath; thawed, the live sweep shows again.
    void setFrozen(bool frozen);
    bool frozen() const { return frozen_; }
    // What the screen shows: the held picture while frozen.
    QImage shownImage() const;
    int sweepX() const { return sweepX_; }
    int lastY(int channel) const { return ofChannel(lastY_, channel); }
    bool timerRunning() const { return timer_.isActive(); }

signals:
    // After every step.
    void stepped();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    template <typename T>
    static T ofChannel(const std::array<T, channelCount>& values, int channel)
    {
        return values.at(static_cast<std::size_t>(channel));
    }
    // Keeps the picture at the widget's size; a hidden widget gets no resize
    // event, so every user of the picture asks first.
    void fitImage() const;
    void restartTimer();

    int gridSpacing_ = 50;
    bool active_ = false;
    int interval_ = 1;
    int channels_ = 0;
    std::array<int, channelCount> position_{};
    std::array<bool, channelCount> drawn_{true, true, true, true};
    std::array<QColor, channelCount> lineColor_{QColor(Qt::red), QColor(Qt::black), QColor(Qt::black),
                                                QColor(Qt::black)};
    QColor color_{Qt::white};
    QColor gridColor_{QRgb(0x808080)};
    QColor baseColor_{Qt::white};

    bool loaded_ = false;
    Ticker timer_;
    mutable QImage traceImage_;
    QImage heldImage_;
    bool frozen_ = false;
    mutable bool resizedSinceWipe_ = false;  // the next wipe clears the edges too
    int sweepX_ = 0;
    std::array<int, channelCount> lastY_{};
};

}  // namespace dravinor::live
