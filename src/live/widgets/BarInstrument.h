#pragma once

#include "live/widgets/InstrumentWidget.h"

namespace dravinor::live {

// A straight bar on a track, plain or as LED segments, optionally in the
// colour of the sector holding the value, optionally growing both ways from
// the middle of the scale. Base of the vertical and horizontal bars.
class BarInstrument : public InstrumentWidget {
    Q_OBJECT

public:
    void setLedStyle(bool on);
    // The whole bar takes the colour of the sector the value is in.
    void setSectorColors(bool on);
    // The bar runs from the middle of the scale to the value.
    void setBidirectional(bool on);
    void setBarColor(const QColor& color);
    // Invalid: black for LEDs, light for a plain bar.
    void setBackgroundColor(const QColor& color);
    // Thickness of the bar across the track, at least this many pixels.
    void setMinimumBarWidth(int pixels);

    bool ledStyle() const { return led_; }
    bool bidirectional() const { return bidirectional_; }
    int minimumBarWidth() const { return minimumBarWidth_; }
    // What the bar is painted in now.
    QColor currentBarColor() const;

    // Length of one LED segment along the track (lit part plus gap).
    static constexpr int ledPitch = 4;

    // Where the bar runs and which part of it is lit, in widget coordinates.
    QRectF trackRect() const;
    QRectF fillRect() const;

protected:
    BarInstrument(Qt::Orientation orientation, QWidget* parent);

    void paintStaticLayer(QPainter& painter) override;
    void paintMovingPart(QPainter& painter) override;
    QColor backgroundColor() const;

private:
    QRectF ledRect(const QRectF& track, int index) const;
    int ledCount(const QRectF& track) const;
    QRectF spanRect(const QRectF& track, double fromPpt, double toPpt) const;

    Qt::Orientation orientation_;
    bool led_ = false;
    bool sectorColors_ = false;
    bool bidirectional_ = false;
    QColor barColor_;
    QColor background_;
    int minimumBarWidth_ = 0;
};

}  // namespace dravinor::live
