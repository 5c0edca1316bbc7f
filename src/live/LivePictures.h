#pragma once

#include "live/LivePoller.h"

#include <QPixmap>

namespace dravinor::live {

// The fuel switch button's picture, 40 x 40: a rocker thrown to the left
// for petrol, centred for automatic, to the right for gas, with the lamp
// and letter of the state.
QPixmap fuelSwitchPicture(FuelGlyph glyph, qreal devicePixelRatio = 1.0);

// The backdrop of the actuator gauge, 240 x 100 logical pixels: the gas
// mixer's stepper-motor actuator with a window where the gauge sits.
QPixmap actuatorPicture(QSize size, qreal devicePixelRatio = 1.0);

}  // namespace dravinor::live
