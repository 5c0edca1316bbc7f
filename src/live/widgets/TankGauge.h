#pragma once

#include "live/widgets/InstrumentWidget.h"

namespace dravinor::live {

// A rectangular tank filled from the bottom to the value's height, with
// quarter marks; used for the actuator position.
class TankGauge : public InstrumentWidget {
    Q_OBJECT

public:
    explicit TankGauge(QWidget* parent = nullptr);

    void setFillColor(const QColor& color);
    QColor fillColor() const { return fillColor_; }

    QSize sizeHint() const override { return {80, 80}; }
    // Inside of the tank, and its filled part, in widget coordinates.
    QRectF tankRect() const;
    QRectF fillRect() const;

protected:
    void paintStaticLayer(QPainter& painter) override;
    void paintMovingPart(QPainter& painter) override;

private:
    QColor fillColor_;
};

}  // namespace dravinor::live
