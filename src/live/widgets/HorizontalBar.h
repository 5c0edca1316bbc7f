#pragma once

#include "live/widgets/BarInstrument.h"

namespace dravinor::live {

// A horizontal bar growing to the right, plain or LED style. A plain bar
// with a unit shows its reading on the bar; "%" reads as the share of the scale.
class HorizontalBar : public BarInstrument {
    Q_OBJECT

public:
    explicit HorizontalBar(QWidget* parent = nullptr) : BarInstrument(Qt::Horizontal, parent) {}

    QSize sizeHint() const override { return {200, 24}; }
    // The reading shown on a plain bar; empty without a unit.
    QString barText() const;

protected:
    void paintMovingPart(QPainter& painter) override;
};

}  // namespace dravinor::live
