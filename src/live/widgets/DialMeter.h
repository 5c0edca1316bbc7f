#pragma once

#include "live/widgets/PointerMeter.h"

namespace dravinor::live {

// Pointer meter on a 270-degree arc starting lower left, on a round face.
class DialMeter : public PointerMeter {
    Q_OBJECT

public:
    explicit DialMeter(QWidget* parent = nullptr) : PointerMeter(225.0, 270.0, 1.0, parent) {}
};

}  // namespace dravinor::live
