#pragma once

#include <QString>

namespace dravinor::live {

// A scale label in a number pattern such as "##0" or "##0.0": as many
// decimals as the pattern has digit places after its point, the locale's
// separator, and never "-0".
QString formatScaleLabel(double value, const QString& pattern);

}  // namespace dravinor::live
