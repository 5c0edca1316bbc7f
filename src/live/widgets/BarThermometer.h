#pragma once

#include "live/widgets/InstrumentWidget.h"

namespace dravinor::live {

// A thermometer: a column rising from a bulb along a scale of `Steps`
// labelled divisions, with a pointer mark at the column's top.
class BarThermometer : public InstrumentWidget {
    Q_OBJECT

public:
    explicit BarThermometer(QWidget* parent = nullptr);

    void setColumnColor(const QColor& color);
    // Thickness of the column, at least this many pixels.
    void setMinimumBarWidth(int pixels);
    QColor columnColor() const { return columnColor_; }

    QSize sizeHint() const override { return {65, 185}; }

    // Height of the scale position ppt, in widget coordinates.
    qreal levelY(double ppt) const;
    // The column above the bulb, up to the value.
    QRectF columnRect() const;

protected:
    void paintStaticLayer(QPainter& painter) override;
    void paintMovingPart(QPainter& painter) override;

private:
    struct Layout {
        qreal column;       // column width
        qreal tube;         // glass width
        qreal bulb;         // bulb diameter
        qreal centreX;      // axis of tube and bulb
        qreal scaleTop;     // y of ppt 1000
        qreal scaleBottom;  // y of ppt 0
        QPointF bulbCentre;
    };
    Layout layout() const;
    QFont labelFont() const;

    QColor columnColor_;
    int minimumBarWidth_ = 0;
};

}  // namespace dravinor::live
