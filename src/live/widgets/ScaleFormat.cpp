#include "live/widgets/ScaleFormat.h"

#include "lang/ShownNumbers.h"

#include <cmath>

namespace dravinor::live {

QString formatScaleLabel(double value, const QString& pattern)
{
    int decimals = 0;
    if (const auto point = pattern.indexOf(QLatin1Char('.')); point >= 0) {
        for (auto i = point + 1; i < pattern.size(); ++i) {
            if (pattern[i] == QLatin1Char('0') || pattern[i] == QLatin1Char('#'))
                ++decimals;
        }
    }
    const double scale = std::pow(10.0, decimals);
    double rounded = std::round(value * scale) / scale;
    if (rounded == 0.0)
        rounded = 0.0;  // drops the sign of -0
    return QString::fromStdString(lang::decimalText(rounded, decimals));
}

}  // namespace dravinor::live
