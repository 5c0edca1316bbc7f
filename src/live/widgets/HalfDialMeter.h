#pragma once

#include "live/widgets/PointerMeter.h"

namespace dravinor::live {

// Pointer meter on a 180-degree arc: left horizontal over the top to the
// right horizontal, pivot at the bottom of the face.
class HalfDialMeter : public PointerMeter {
    Q_OBJECT

public:
    explicit HalfDialMeter(QWidget* parent = nullptr) : PointerMeter(180.0, 180.0, 0.3, parent) {}
};

}  // namespace dravinor::live
