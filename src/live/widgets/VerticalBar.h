#pragma once

#include "live/widgets/BarInstrument.h"

namespace dravinor::live {

// A vertical bar rising with the value; the lambda bar draws it as LED
// segments in sector colours from the middle of the scale.
class VerticalBar : public BarInstrument {
    Q_OBJECT

public:
    explicit VerticalBar(QWidget* parent = nullptr) : BarInstrument(Qt::Vertical, parent) {}

    QSize sizeHint() const override { return {65, 185}; }
};

}  // namespace dravinor::live
