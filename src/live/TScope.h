#pragma once

#include "WidgetTime.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

namespace dravinor::live {

// Colours of this system are written 0x00BBGGRR.
constexpr QRgb rgbFromBgr(std::uint32_t bgr)
{
    return qRgb(static_cast<int>(bgr & 0xFFu), static_cast<int>((bgr >> 8) & 0xFFu),
                static_cast<int>((bgr >> 16) & 0xFFu));
}
inline QColor colorFromBgr(std::uint32_t bgr) { return QColor(rgbFromBgr(bgr)); }

// Grid line positions as redrawGrid draws them: vertical lines one pixel left
// of every multiple of the spacing, horizontal lines from the bottom edge up.
std::vector<int> verticalGridLines(int width, int gridsize);
std::vector<int> horizontalGridLines(int height, int gridsize);

// A four-channel sweeping trace. Each step draws a 4-pixel segment per drawn
// channel at sweepX on an off-screen picture; at the right edge the picture is
// wiped with the grid and the sweep starts again at x 2, every trace
// continuing from its last height.
class TScope : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Gridsize READ gridsize WRITE setGridsize)
    Q_PROPERTY(bool Active READ active WRITE setActive)
    Q_PROPERTY(int Position_a READ position_a WRITE setPosition_a)
    Q_PROPERTY(int Position_b READ position_b WRITE setPosition_b)
    Q_PROPERTY(int Position_c READ position_c WRITE setPosition_c)
    Q_PROPERTY(int Position_d READ position_d WRITE setPosition_d)
    Q_PROPERTY(bool channel_a READ channel_a WRITE setChannel_a)
    Q_PROPERTY(bool channel_b READ channel_b WRITE setChannel_b)
    Q_PROPERTY(bool channel_c READ channel_c WRITE setChannel_c)
    Q_PROPERTY(bool channel_d READ channel_d WRITE setChannel_d)
    Q_PROPERTY(int Interval READ interval WRITE setInterval)
    Q_PROPERTY(int Channels READ channels WRITE setChannels)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(QColor Gridcolor READ gridcolor WRITE setGridcolor)
    Q_PROPERTY(QColor Linecolor_a READ linecolor_a WRITE setLinecolor_a)
    Q_PROPERTY(QColor Linecolor_b READ linecolor_b WRITE setLinecolor_b)
    Q_PROPERTY(QColor Linecolor_c READ linecolor_c WRITE setLinecolor_c)
    Q_PROPERTY(QColor Linecolor_d READ linecolor_d WRITE setLinecolor_d)
    Q_PROPERTY(QColor Basecolor READ basecolor WRITE setBasecolor)

public:
    static constexpr int channelCount = 4;
    static constexpr int segmentWidth = 4;

    // A scope created in code is loaded at once; one whose form values are
    // still to be set (Loading) waits for loaded(): until then Gridsize and
    // Active only store their values, so a form's Active true starts no
    // timer before the page first sets Active.
    enum class Creation { Loaded, Loading };
    explicit TScope(QWidget* parent = nullptr, Creation creation = Creation::Loaded);

    int gridsize() const { return gridsize_; }
    void setGridsize(int value);
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
    QColor linecolor(int channel) const { return ofChannel(linecolor_, channel); }
    void setLinecolor(int channel, const QColor& color);

    QColor color() const { return color_; }
    void setColor(const QColor& value) { color_ = value; }
    QColor gridcolor() const { return gridcolor_; }
    void setGridcolor(const QColor& value) { gridcolor_ = value; }
    QColor basecolor() const { return basecolor_; }
    void setBasecolor(const QColor& value) { basecolor_ = value; }

    // The form values are all set: mark loaded and draw the grid. The timer
    // stays as it is until Active or Interval is set.
    void loaded();

    // One sweep step, as the internal timer runs it.
    void step();
    // Wipes the traces: background and grid over the whole picture.
    void redrawGrid();

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

    // The named properties, for Q_PROPERTY.
    int position_a() const { return position(0); }
    int position_b() const { return position(1); }
    int position_c() const { return position(2); }
    int position_d() const { return position(3); }
    void setPosition_a(int v) { setPosition(0, v); }
    void setPosition_b(int v) { setPosition(1, v); }
    void setPosition_c(int v) { setPosition(2, v); }
    void setPosition_d(int v) { setPosition(3, v); }
    bool channel_a() const { return channelDrawn(0); }
    bool channel_b() const { return channelDrawn(1); }
    bool channel_c() const { return channelDrawn(2); }
    bool channel_d() const { return channelDrawn(3); }
    void setChannel_a(bool v) { setChannelDrawn(0, v); }
    void setChannel_b(bool v) { setChannelDrawn(1, v); }
    void setChannel_c(bool v) { setChannelDrawn(2, v); }
    void setChannel_d(bool v) { setChannelDrawn(3, v); }
    QColor linecolor_a() const { return linecolor(0); }
    QColor linecolor_b() const { return linecolor(1); }
    QColor linecolor_c() const { return linecolor(2); }
    QColor linecolor_d() const { return linecolor(3); }
    void setLinecolor_a(const QColor& c) { setLinecolor(0, c); }
    void setLinecolor_b(const QColor& c) { setLinecolor(1, c); }
    void setLinecolor_c(const QColor& c) { setLinecolor(2, c); }
    void setLinecolor_d(const QColor& c) { setLinecolor(3, c); }

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

    int gridsize_ = 50;
    bool active_ = false;
    int interval_ = 1;
    int channels_ = 0;
    std::array<int, channelCount> position_{};
    std::array<bool, channelCount> drawn_{true, true, true, true};
    std::array<QColor, channelCount> linecolor_{QColor(Qt::red), QColor(Qt::black), QColor(Qt::black),
                                                QColor(Qt::black)};
    QColor color_{Qt::white};
    QColor gridcolor_{rgbFromBgr(0x808080)};
    QColor basecolor_{Qt::white};

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
